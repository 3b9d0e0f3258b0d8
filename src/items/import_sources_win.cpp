// The Start-menu "Programs" folders are walked with their subfolders; the
// desktops only at their top, as the desktop shows them. A shortcut's
// location is its folder relative to the Start menu ("Programs",
// "Programs\Accessories"); a desktop's shortcuts are at "デスクトップ".
#include "items/import_sources_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <cwchar>
#include <iterator>
#include <optional>

#include "items/import_texts.h"
#include "items/item_order.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "platform/files_win.h"
#include "platform/wide_text.h"
#include "platform/sjis.h"
#include "platform/win_handles.h"

namespace {

// Folders below a "Programs" folder deeper than this are not walked: the
// paths would pass MAX_PATH long before, and a loop of links ends here.
constexpr int kMaxFolderDepth = 8;

std::optional<std::wstring> ShellFolderPath(int csidl) {
  wchar_t path[MAX_PATH + 1] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::nullopt;
  path[MAX_PATH] = L'\0';
  std::wstring text(path);
  if (text.empty()) return std::nullopt;
  return text;
}

// Whether the code page's character in bytes may stand in a file name made
// for an item: printable, no path or pattern sign ("¥" comes out as "\").
bool SafeNameCharacter(const char* bytes, int length) {
  if (length == 2) return IsSjisLeadByte(static_cast<unsigned char>(bytes[0]));
  if (length != 1) return false;
  const unsigned char c = static_cast<unsigned char>(bytes[0]);
  if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA1) || c > 0xDF) return false;
  return std::strchr("\\/:*?\"<>|", c) == nullptr;
}

// An item name the code page carries for a file name it does not: each
// character that does not survive the round trip becomes its best-fit form
// where that is a safe name character ("é" gives "e"), else is left out
// ("™", Korean, emoji).
std::string CarriedName(const std::wstring& name) {
  std::string carried;
  for (std::size_t at = 0; at < name.size();) {
    std::size_t units = (IS_HIGH_SURROGATE(name[at]) && at + 1 < name.size() && IS_LOW_SURROGATE(name[at + 1])) ? 2 : 1;
    std::wstring_view character(name.data() + at, units);
    at += units;
    if (std::optional<std::string> exact = ExactAnsiText(character)) {
      carried += *exact;
      continue;
    }
    char bytes[8] = {};
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(CP_ACP, 0, character.data(), static_cast<int>(units), bytes, sizeof bytes, nullptr,
                                     &usedDefault);
    if (length > 0 && !usedDefault && SafeNameCharacter(bytes, length) &&
        ExactAnsiText(WideText(std::string_view(bytes, static_cast<std::size_t>(length))))) {
      carried.append(bytes, static_cast<std::size_t>(length));
    }
  }
  return carried;
}

// The last component of a folder path ("Programs").
std::wstring FolderName(const std::wstring& folder) { return PathFindFileNameW(folder.c_str()); }

// "URL" of an internet shortcut, read through the wide profile functions.
std::string ReadUrlOf(const std::wstring& file) {
  wchar_t value[2 * kPathBytes] = {};
  GetPrivateProfileStringW(L"InternetShortcut", L"URL", L"", value, static_cast<DWORD>(std::size(value) - 1), file.c_str());
  value[std::size(value) - 1] = L'\0';
  return SjisCut(LossyAnsiText(value), kPathTextBytes);
}

ImportCandidate ReadCandidate(const std::wstring& file, const std::wstring& stem, const std::string& location,
                              bool isUrl) {
  ImportCandidate candidate;
  if (std::optional<std::string> exact = ExactAnsiText(stem)) {
    candidate.fileStem = std::move(*exact);
  } else {
    candidate.fileStem = CarriedName(stem);
    candidate.stemMade = true;
  }
  candidate.location = location;
  candidate.sourceFile = LossyAnsiText(file);
  candidate.sourcePath = file;
  candidate.isUrl = isUrl;
  if (isUrl) {
    candidate.target = ReadUrlOf(file);
    candidate.readable = !candidate.target.empty();
    return candidate;
  }
  std::wstring target;
  std::wstring arguments;
  // An advertised or shell-item shortcut loads but names no file: unreadable.
  candidate.readable = ReadShellLinkAsStored(file, target, arguments) && !target.empty();
  candidate.target = SjisCut(LossyAnsiText(target), kPathTextBytes);
  candidate.arguments = SjisCut(LossyAnsiText(arguments), kPathTextBytes);
  candidate.targetIsFolder = candidate.readable && PathIsDirectoryW(target.c_str()) != FALSE;
  return candidate;
}

// The stem of name when it ends in extension (ASCII, compared without regard to case).
std::optional<std::wstring> WideStemOf(const std::wstring& name, const wchar_t* extension) {
  const std::size_t length = wcslen(extension);
  if (name.size() <= length) return std::nullopt;
  if (lstrcmpiW(name.c_str() + (name.size() - length), extension) != 0) return std::nullopt;
  return name.substr(0, name.size() - length);
}

// Adds the shortcuts of folder, found at location; with depth >= 0 also
// those of its subfolders, at location + "\" + the subfolder's name. Listed
// and opened wide, so a name the code page lacks ("Pokémon Ω") is walked.
void CollectFolder(const std::wstring& folder, const std::string& location, int depth,
                   std::vector<ImportCandidate>& found) {
  WIN32_FIND_DATAW entry;
  UniqueFindHandle listing(FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!listing) return;
  std::vector<std::wstring> subfolders;
  do {
    std::wstring name = entry.cFileName;
    std::wstring path = folder + L"\\" + name;
    if (path.size() >= MAX_PATH) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      bool walk = depth >= 0 && depth < kMaxFolderDepth && name != L"." && name != L".." &&
                  (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
      if (walk) subfolders.push_back(name);
      continue;
    }
    if (std::optional<std::wstring> stem = WideStemOf(name, L".lnk")) {
      found.push_back(ReadCandidate(path, *stem, location, false));
    } else if (std::optional<std::wstring> urlStem = WideStemOf(name, L".url")) {
      found.push_back(ReadCandidate(path, *urlStem, location, true));
    }
  } while (FindNextFileW(listing.get(), &entry));
  listing.reset();
  for (const std::wstring& name : subfolders) {
    CollectFolder(folder + L"\\" + name, location + "\\" + LossyAnsiText(name), depth + 1, found);
  }
}

}  // namespace

std::vector<ImportCandidate> FindImportCandidates() {
  std::vector<ImportCandidate> found;
  std::vector<std::wstring> walked;
  auto walk = [&](int csidl, bool startMenu) {
    std::optional<std::wstring> folder = ShellFolderPath(csidl);
    if (!folder) return;
    // Where the all-users and the user's folder are one, it is walked once.
    for (const std::wstring& seen : walked) {
      if (lstrcmpiW(seen.c_str(), folder->c_str()) == 0) return;
    }
    walked.push_back(*folder);
    if (startMenu) {
      CollectFolder(*folder, LossyAnsiText(FolderName(*folder)), 0, found);
    } else {
      CollectFolder(*folder, kDesktopLocation, -1, found);
    }
  };
  walk(CSIDL_COMMON_PROGRAMS, true);
  walk(CSIDL_PROGRAMS, true);
  walk(CSIDL_COMMON_DESKTOPDIRECTORY, false);
  walk(CSIDL_DESKTOPDIRECTORY, false);
  return found;
}

ExistingItems ReadExistingItems(const std::string& itemFolder) {
  ExistingItems existing;
  ItemFolderScan scan = ScanItemFolder(itemFolder);
  const std::vector<ScanEntry>& shortcuts = scan.shortcuts;
  existing.shortcutCount = shortcuts.size();
  for (const ScanEntry& entry : shortcuts) {
    std::string target;
    std::string arguments;
    if (ReadShellLinkAsStored(itemFolder + "\\" + entry.name + ".lnk", target, arguments) && !target.empty()) {
      existing.shortcuts.emplace_back(std::move(target), std::move(arguments));
    }
    existing.names.push_back(entry.name);
  }
  existing.urlCount = scan.urls.size();
  for (const ScanEntry& entry : scan.urls) existing.names.push_back(entry.name);
  for (const ScanEntry& entry : scan.mail) existing.names.push_back(entry.name);

  char program[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  if (length > 0 && length < MAX_PATH) existing.ownProgram.assign(program, length);
  return existing;
}

std::u16string CaseBlindKeyOf(std::string_view text) { return NameOrderKey(std::string(text).c_str()); }
