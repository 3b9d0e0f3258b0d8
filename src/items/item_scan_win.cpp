#include "items/item_scan_win.h"

#include <windows.h>

#include <utility>

#include "platform/files_win.h"
#include "platform/wide_text.h"
#include "platform/win_handles.h"

namespace {

std::u16string WideKey(const char* fileName) {
  std::wstring wide = WideText(fileName);
  // One code unit at a time, without language rules, as NTFS's upcase table maps them.
  CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return std::u16string(wide.begin(), wide.end());
}

}  // namespace

std::u16string NameOrderKey(const char* fileName) {
  // An ASCII name needs no conversion, and only its a-z change.
  std::u16string key;
  for (const char* c = fileName; *c != '\0'; ++c) {
    if (static_cast<unsigned char>(*c) >= 0x80) return WideKey(fileName);
    key.push_back(static_cast<char16_t>(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c));
  }
  return key;
}

namespace {

std::uint64_t Join(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }
std::uint64_t Join(const FILETIME& time) { return Join(time.dwHighDateTime, time.dwLowDateTime); }

}  // namespace

// Wine and FAT or network drives list files in no particular order, so the
// names are put in order here, before the cap: a folder of 501 items then
// shows the same 500 wherever it lives. The pattern is absolute, so the scan
// never depends on (or looks in) the current directory. One listing serves all
// three kinds. The listing is read wide: a name the code page cannot carry
// exactly (a hand-placed "Café.lnk") is no item of the program's. The A
// functions would give it as "Cafe.lnk", a file that does not exist or is
// another item, and a command on the entry would act on that one.
namespace {

ItemFolderScan ScanPattern(const std::string& pattern) {
  ItemFolderScan scan;
  const std::pair<const char*, std::vector<ScanEntry>*> kinds[] = {
      {".lnk", &scan.shortcuts}, {".url", &scan.urls}, {".mail", &scan.mail}};
  std::wstring widePattern = WideText(pattern);
  WIN32_FIND_DATAW found;
  // Without the 8.3 name, which the scan never uses and Wine works out for every file.
  UniqueFindHandle listing(FindFirstFileExW(widePattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                            FIND_FIRST_EX_LARGE_FETCH));
  if (!listing) return scan;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::optional<std::string> fileName = ExactAnsiText(found.cFileName);
    if (!fileName) continue;
    for (const auto& [extension, entries] : kinds) {
      std::optional<std::string> name = ItemNameOf(*fileName, extension);
      if (!name) continue;
      entries->push_back(ScanEntry{std::move(*name), NameOrderKey(fileName->c_str()), Join(found.ftCreationTime),
                                   Join(found.ftLastWriteTime), Join(found.nFileSizeHigh, found.nFileSizeLow)});
      break;
    }
  } while (FindNextFileW(listing.get(), &found));
  for (const auto& [extension, entries] : kinds) FinishScan(*entries);
  return scan;
}

}  // namespace

ItemFolderScan ScanItemFolder(const std::string& folder) { return ScanPattern(folder + "\\*"); }

ItemFolderScan ScanItemFile(const std::string& itemFile) {
  // A name holding '*' or '?' would be a pattern: such a file is no item.
  if (itemFile.find_first_of("*?") != std::string::npos) return {};
  return ScanPattern(itemFile);
}
