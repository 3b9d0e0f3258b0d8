#include "items/item_name.h"

#include "platform/sjis_find.h"
#include "platform/sjis.h"

namespace {

// Half-width characters the item names may not keep, with their full-width
// Shift-JIS forms. None of the forms holds a character of the table, so the
// replacements cannot feed each other.
struct NameReplacement {
  const char* from;
  const char* to;
};
constexpr NameReplacement kNameReplacements[] = {
    {"!", "\x81\x49"},  // ！
    {"|", "\x81\x62"},  // ｜
    {"+", "\x81\x7B"},  // ＋
    {"/", "\x81\x5E"},  // ／
    {"%", "\x81\x93"},  // ％
    {"&", "\x81\x95"},  // ＆
    {";", "\x81\x47"},  // ；
    {":", "\x81\x46"},  // ：
};

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

std::size_t CharWidthAt(std::string_view text, std::size_t pos) {
  return (IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

}  // namespace

void ReplaceAll(std::string& text, std::string_view pattern, std::string_view replacement) {
  if (pattern.empty()) return;
  // Searching on after each replacement (rather than from the start) finds
  // the same matches and cannot loop when the replacement holds the pattern.
  // The position after a replacement is a character boundary because both
  // the match and the replacement are whole characters.
  std::size_t from = 0;
  while (from <= text.size()) {
    int found = FindIn(std::string_view(text).substr(from), pattern);
    if (found < 0) return;
    std::size_t at = from + static_cast<std::size_t>(found);
    text.replace(at, pattern.size(), replacement);
    from = at + replacement.size();
  }
}

std::string CleanItemName(std::string name) {
  for (const NameReplacement& pair : kNameReplacements) ReplaceAll(name, pair.from, pair.to);
  return name;
}

std::string_view LastPathComponent(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < path.size(); pos += CharWidthAt(path, pos)) {
    if (IsSeparator(path[pos]) && pos + 1 < path.size() && path[pos + 1] != '\\' && path[pos + 1] != '/') {
      start = pos + 1;
    }
  }
  return path.substr(start);
}

std::string ProposeItemName(std::string_view link, std::string_view path) {
  std::string_view fileName = LastPathComponent(link.empty() ? path : link);
  int dot = FindIn(fileName, ".");
  if (dot <= 0) return {};
  return std::string(fileName.substr(0, static_cast<std::size_t>(dot)));
}

bool HoldsMailSign(std::string_view path) { return FindIn(path, "@") >= 0; }

ItemKind DecideAddKind(std::string_view path, const PathFacts& facts) {
  if (facts.extension == ".url") return ItemKind::kImportUrl;
  if (facts.isUrl) return ItemKind::kUrl;
  if (facts.extension == ".lnk") return ItemKind::kCopyShortcut;
  if (facts.exists || !HoldsMailSign(path)) return ItemKind::kShortcut;
  return ItemKind::kMail;
}

ItemKind DecideEditKind(std::string_view path, const PathFacts& facts) {
  if (facts.isUrl) return ItemKind::kUrl;
  if (facts.exists || !HoldsMailSign(path)) return ItemKind::kShortcut;
  return ItemKind::kMail;
}

const char* ItemExtension(ItemKind kind) {
  switch (kind) {
    case ItemKind::kImportUrl:
    case ItemKind::kUrl: return ".url";
    case ItemKind::kMail: return ".mail";
    case ItemKind::kCopyShortcut:
    case ItemKind::kShortcut: break;
  }
  return ".lnk";
}

std::string FitItemName(std::string_view name, std::string_view folder, std::string_view extension) {
  std::size_t fixed = folder.size() + 1 + extension.size();
  if (fixed >= kItemPathMaxBytes) return {};
  return SjisCut(name, kItemPathMaxBytes - fixed);
}

bool IsPlainItemName(std::string_view name) { return !name.empty() && FindIn(name, "\\") < 0; }
