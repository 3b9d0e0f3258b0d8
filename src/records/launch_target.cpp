#include "records/launch_target.h"

#include "platform/sjis_find.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// A suffix of ASCII bytes: "." is below the trail-byte range, so a match
// that begins with "." always begins on a character boundary.
bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
  return text.size() > suffix.size() && EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// Control bytes end a command line's argument or the line itself; a double
// quote ends the quoted argument a handler is given ("%1"), so the rest of
// the value would reach the handler as arguments of its own. None of them
// can be a trail byte.
bool HoldsArgumentBreak(std::string_view text) {
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"') return true;
  }
  return false;
}

bool HoldsSeparator(std::string_view text) { return FindIn(text, "\\") >= 0 || FindIn(text, "/") >= 0; }

}  // namespace

std::string_view UrlScheme(std::string_view text) {
  if (text.empty() || !IsAsciiLetter(text[0])) return {};
  std::size_t end = 1;
  while (end < text.size() &&
         (IsAsciiLetter(text[end]) || IsAsciiDigit(text[end]) || text[end] == '+' || text[end] == '-' ||
          text[end] == '.')) {
    ++end;
  }
  if (end >= text.size() || text[end] != ':' || end < 2) return {};
  return text.substr(0, end);
}

TargetForm ClassifyTarget(std::string_view target) {
  if (target.empty()) return TargetForm::kEmpty;
  if (!UrlScheme(target).empty()) return TargetForm::kAddress;
  if (target[0] == '\\' || target[0] == '/') return TargetForm::kPath;  // a share, or the root of the current drive
  bool drive = target.size() >= 2 && IsAsciiLetter(target[0]) && target[1] == ':';
  if (drive) {
    return target.size() >= 3 && (target[2] == '\\' || target[2] == '/') ? TargetForm::kPath
                                                                          : TargetForm::kRelativePath;
  }
  if (HoldsSeparator(target) || FindIn(target, ":") >= 0 || target == "." || target == "..") {
    return TargetForm::kRelativePath;
  }
  return TargetForm::kBareName;
}

std::string ProgramFileName(std::string_view bareName) {
  std::string name(bareName);
  // "." lies below the trail-byte range: a byte "." is always a character.
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) name += ".exe";
  return name;
}

bool IsControlPanelName(std::string_view bareName) { return EndsWithIgnoreCase(bareName, ".cpl"); }

bool IsShortcutPath(std::string_view path) { return EndsWithIgnoreCase(path, ".lnk"); }

bool UrlMayOpen(std::string_view url, const std::function<bool(std::string_view scheme)>& isUrlProtocol) {
  std::string_view scheme = UrlScheme(url);
  if (scheme.empty() || EqualsIgnoreCase(scheme, "file") || HoldsArgumentBreak(url)) return false;
  return isUrlProtocol(scheme);
}

bool MailMayOpen(std::string_view value) {
  constexpr std::string_view kPrefix = "mailto:";
  if (!StartsWithIgnoreCase(value, kPrefix) || HoldsArgumentBreak(value)) return false;
  std::string_view address = value.substr(kPrefix.size());
  int query = FindIn(address, "?");
  if (query >= 0) address = address.substr(0, static_cast<std::size_t>(query));
  int at = FindIn(address, "@");
  return at > 0 && static_cast<std::size_t>(at) + 1 < address.size();
}

bool BrowserMayOpen(std::string_view url) {
  std::string_view scheme = UrlScheme(url);
  if (!EqualsIgnoreCase(scheme, "http") && !EqualsIgnoreCase(scheme, "https")) return false;
  return !HoldsArgumentBreak(url);
}
