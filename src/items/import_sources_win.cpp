// The Start-menu "Programs" folders are walked with their subfolders; the
// desktops only at their top, as the desktop shows them. A shortcut's
// location is its folder relative to the Start menu ("Programs",
// "Programs\Accessories"); a desktop's shortcuts are at "デスクトップ".
#include "items/import_sources_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <optional>

#include "items/import_texts.h"
#include "items/item_order.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "platform/sjis.h"
#include "platform/win_handles.h"

namespace {

// Folders below a "Programs" folder deeper than this are not walked: the
// paths would pass MAX_PATH long before, and a loop of links ends here.
constexpr int kMaxFolderDepth = 8;

std::optional<std::string> ShellFolderPath(int csidl) {
  char path[MAX_PATH + 1] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::nullopt;
  std::string text(FieldText(path, sizeof(path)));
  if (text.empty()) return std::nullopt;
  return text;
}

// The last component of a folder path ("Programs").
std::string FolderName(const std::string& folder) { return PathFindFileNameA(folder.c_str()); }

ImportCandidate ReadCandidate(const std::string& file, std::string stem, const std::string& location, bool isUrl) {
  ImportCandidate candidate;
  candidate.fileStem = std::move(stem);
  candidate.location = location;
  candidate.sourceFile = file;
  candidate.isUrl = isUrl;
  if (isUrl) {
    candidate.target = ReadUrlItem(file);
    candidate.readable = !candidate.target.empty();
    return candidate;
  }
  // An advertised or shell-item shortcut loads but names no file: unreadable.
  candidate.readable = ReadShellLinkAsStored(file, candidate.target, candidate.arguments) && !candidate.target.empty();
  candidate.targetIsFolder = candidate.readable && PathIsDirectoryA(candidate.target.c_str()) != FALSE;
  return candidate;
}

// Adds the shortcuts of folder, found at location; with depth >= 0 also
// those of its subfolders, at location + "\" + the subfolder's name.
void CollectFolder(const std::string& folder, const std::string& location, int depth,
                   std::vector<ImportCandidate>& found) {
  WIN32_FIND_DATAA entry;
  UniqueFindHandle listing(FindFirstFileA((folder + "\\*").c_str(), &entry));
  if (!listing) return;
  std::vector<std::string> subfolders;
  do {
    std::string name = entry.cFileName;
    std::string path = folder + "\\" + name;
    if (path.size() > kPathTextBytes) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      bool walk = depth >= 0 && depth < kMaxFolderDepth && name != "." && name != ".." &&
                  (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
      if (walk) subfolders.push_back(name);
      continue;
    }
    if (std::optional<std::string> stem = ItemNameOf(name, ".lnk")) {
      found.push_back(ReadCandidate(path, std::move(*stem), location, false));
    } else if (std::optional<std::string> urlStem = ItemNameOf(name, ".url")) {
      found.push_back(ReadCandidate(path, std::move(*urlStem), location, true));
    }
  } while (FindNextFileA(listing.get(), &entry));
  listing.reset();
  for (const std::string& name : subfolders) {
    CollectFolder(folder + "\\" + name, location + "\\" + name, depth + 1, found);
  }
}

}  // namespace

std::vector<ImportCandidate> FindImportCandidates() {
  std::vector<ImportCandidate> found;
  std::vector<std::string> walked;
  auto walk = [&](int csidl, bool startMenu) {
    std::optional<std::string> folder = ShellFolderPath(csidl);
    if (!folder) return;
    // Where the all-users and the user's folder are one, it is walked once.
    for (const std::string& seen : walked) {
      if (lstrcmpiA(seen.c_str(), folder->c_str()) == 0) return;
    }
    walked.push_back(*folder);
    if (startMenu) {
      CollectFolder(*folder, FolderName(*folder), 0, found);
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
