// Writing, renaming and deleting item files, each all or nothing: a file is
// written under a temporary name in the item folder and moved over its place
// only once it is complete and listed under exactly its own name.
#include <windows.h>
#include <shlwapi.h>

#include <functional>

#include "items/item_store_win.h"
#include "platform/files_win.h"
#include "platform/hd_string.h"
#include "platform/win_handles.h"

bool SameItemFile(const std::string& first, const std::string& second) {
  std::wstring a = WideText(first);
  std::wstring b = WideText(second);
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

namespace {

// Whether the file at path is listed under exactly its own name. A file
// system may store a name it cannot hold cut short while reporting success
// (Wine on Linux holds a name to 255 bytes of UTF-8, about 85 kanji): the
// item would then lose its extension and vanish from every list.
bool ListedUnderItsName(const std::string& path) {
  WIN32_FIND_DATAA found;
  UniqueFindHandle listing(FindFirstFileA(path.c_str(), &found));
  if (!listing) return false;
  return SameItemFile(found.cFileName, PathFindFileNameA(path.c_str()));
}

// Writes an item through write into a temporary file, then moves it to
// itemPath, replacing a file that is there. False when the new file could
// not be put in place under its name; then nothing of the write is left.
bool PlaceItemFile(const std::string& itemPath, const std::function<bool(const std::string&)>& write) {
  if (!ReplaceFileWith(itemPath, write)) return false;
  if (!ListedUnderItsName(itemPath)) {
    DeleteFileA(itemPath.c_str());  // the same path reaches the file under its cut name
    return false;
  }
  return true;
}

// Renames a file to a name that differs from its own only in the case of
// letters; nothing to do when the texts are identical.
void RenameCaseOnly(const std::string& oldPath, const std::string& newPath) {
  if (oldPath == newPath) return;
  MoveFileA(oldPath.c_str(), newPath.c_str());  // the file keeps its old spelling if refused
}

}  // namespace

bool SaveItem(ItemKind kind, const std::string& source, const std::string& arguments, const std::string& itemFile,
              ItemReplace replace) {
  auto start = [&](const std::string& pending) {
    return replace == ItemReplace::kFresh || StartFromCopy(itemFile, pending);
  };
  return PlaceItemFile(itemFile, [&](const std::string& pending) {
    switch (kind) {
      case ItemKind::kImportUrl: {
        // Only the URL is taken over from the internet-shortcut file.
        std::string url = ReadUrlItem(source);
        return start(pending) && WriteUrlItem(pending, url);
      }
      case ItemKind::kUrl:
        return start(pending) && WriteUrlItem(pending, source);
      case ItemKind::kCopyShortcut:
        return CopyFileA(source.c_str(), pending.c_str(), FALSE) != FALSE;
      case ItemKind::kShortcut:
        WriteShellLink(pending, source, arguments);
        return true;
      case ItemKind::kMail:
        return start(pending) && WriteMailItem(pending, source);
    }
    return false;
  });
}

RenameOutcome RenameItem(const std::string& oldFile, const std::string& newFile) {
  if (SameItemFile(newFile, oldFile)) {
    RenameCaseOnly(oldFile, newFile);
    return RenameOutcome::kRenamed;
  }
  bool placed = PlaceItemFile(newFile, [&](const std::string& pending) {
    return CopyFileA(oldFile.c_str(), pending.c_str(), FALSE) != FALSE;
  });
  if (!placed) return RenameOutcome::kFailed;
  return DeleteItem(oldFile) ? RenameOutcome::kRenamed : RenameOutcome::kOldKept;
}

bool DeleteItem(const std::string& itemFile) {
  DeleteFileA(itemFile.c_str());
  return !FileExists(itemFile);
}
