#include "settings/update_check.h"

#include "resources/command_ids.h"

#ifndef HD_SITE_BASE
#error "HD_SITE_BASE (the maker's site, a string literal) comes from the build"
#endif

namespace {

struct CommandFile {
  int id;
  const char* path;
};

constexpr CommandFile kWebPages[] = {
    {IDM_CHANGE_HISTORY, "/hopdeck/history.html"},
    {IDM_PROGRAM_PAGE, kProgramPagePath},
    {IDM_MAKER_SITE, "/"},
    {IDM_CONTACT_FORM, "/inquiry/"},
};

constexpr CommandFile kHelpFiles[] = {
    {IDM_MANUAL, "manual.txt"},
    {IDM_KEY_LIST, "command.txt"},
};

const char* Lookup(const CommandFile* table, std::size_t count, int id) {
  for (std::size_t i = 0; i < count; ++i) {
    if (table[i].id == id) return table[i].path;
  }
  return nullptr;
}

}  // namespace

std::string SiteAddress(std::string_view path) {
  std::string address = HD_SITE_BASE;
  while (!address.empty() && address.back() == '/') address.pop_back();
  address += path;
  return address;
}

const char* WebPagePath(int commandId) { return Lookup(kWebPages, std::size(kWebPages), commandId); }

const char* HelpFileName(int commandId) { return Lookup(kHelpFiles, std::size(kHelpFiles), commandId); }

std::optional<int> ParseVersion(std::string_view bytes) {
  // Four digits at most, so the number always fits an int.
  int version = 0;
  std::size_t digits = 0;
  for (; digits < bytes.size() && digits < kVersionReadBytes; ++digits) {
    char c = bytes[digits];
    if (c < '0' || c > '9') break;
    version = version * 10 + (c - '0');
  }
  if (digits == 0) return std::nullopt;
  return version;
}

UpdateAnswer AnswerFor(const std::optional<std::string>& versionFile) {
  std::optional<int> version = versionFile ? ParseVersion(*versionFile) : std::nullopt;
  // A file that names no version says nothing about ours: "up to date" would be a guess.
  if (!version) return UpdateAnswer::kUnknown;
  return IsNewerVersion(*version) ? UpdateAnswer::kNewer : UpdateAnswer::kUpToDate;
}
