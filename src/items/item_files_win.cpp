// Writing, renaming and deleting item files, each all or nothing: a file is
// written under a temporary name in the item folder and moved over its place
// only once it is complete and listed under exactly its own name.
#include <windows.h>
#include <shlwapi.h>

#include <functional>

#include "items/item_store_win.h"
#include "platform/files_win.h"
#include "platform/wide_text.h"
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
    // The same path reaches the file under its cut name; one that cannot go
    // adds nothing to the failure reported below.
    (void)DeleteOwnFile(itemPath);
    return false;
  }
  return true;
}

// Renames a file to a name that differs from its own only in the case of
// letters; nothing to do when the texts are identical.
void RenameCaseOnly(const std::string& oldPath, const std::string& newPath) {
  if (oldPath == newPath) return;
  // The file keeps its old spelling if refused.
  (void)RetryWhileHeld([&] { return MoveFileA(oldPath.c_str(), newPath.c_str()) != FALSE; });
}

bool CopyWaitingOutHolds(const std::string& source, const std::string& pending) {
  return RetryWhileHeld([&] { return CopyFileA(source.c_str(), pending.c_str(), FALSE) != FALSE; });
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
        return CopyWaitingOutHolds(source, pending);
      case ItemKind::kShortcut:
        return SaveShellLink(pending, source, arguments);
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
  bool placed = PlaceItemFile(newFile, [&](const std::string& pending) { return CopyWaitingOutHolds(oldFile, pending); });
  if (!placed) return RenameOutcome::kFailed;
  return DeleteItem(oldFile) ? RenameOutcome::kRenamed : RenameOutcome::kOldKept;
}

bool CopyInItem(const std::wstring& source, const std::string& itemFile) {
  return PlaceItemFile(itemFile, [&](const std::string& pending) {
    std::wstring widePending = WideText(pending);
    return RetryWhileHeld([&] { return CopyFileW(source.c_str(), widePending.c_str(), FALSE) != FALSE; });
  });
}

RenameOutcome SaveEditedItem(ItemKind kind, const std::string& source, const std::string& arguments,
                             const EditedItem& edited) {
  const std::string& oldFile = edited.oldFile;
  const std::string& itemFile = edited.itemFile;
  const bool sameFile = SameItemFile(itemFile, oldFile);
  const char* extension = ItemExtension(kind);
  const bool sameKind = SameItemFile(PathFindExtensionA(oldFile.c_str()), extension);
  // The target as the dialog showed it: the file is only renamed, its bytes
  // untouched. Writing it back would put the code page's form of the target
  // (a best-fit "e" for "é") and the shell-link object's cuts into the item.
  // A URL or mail item renamed over another one is still written into it, so
  // that file's other sections stay.
  const bool mergeInto = kind != ItemKind::kShortcut && !sameFile && FileExists(itemFile);
  if (sameKind && edited.targetKept && !mergeInto) {
    if (sameFile) {
      RenameCaseOnly(oldFile, itemFile);
      return RenameOutcome::kRenamed;
    }
    return RenameItem(oldFile, itemFile);
  }
  bool placed = false;
  if (sameKind && kind == ItemKind::kShortcut) {
    placed = PlaceItemFile(sameFile ? oldFile : itemFile,
                           [&](const std::string& pending) { return RetargetShellLink(oldFile, pending, source); });
  } else {
    // Rewritten in its own place, or written under its new name; the new file
    // replaces the old one only once it is complete.
    placed = SaveItem(kind, source, arguments, sameFile ? oldFile : itemFile,
                      sameFile ? ItemReplace::kFresh : ItemReplace::kMerge);
  }
  if (!placed) return RenameOutcome::kFailed;
  if (sameFile) {
    RenameCaseOnly(oldFile, itemFile);  // only the case of letters can differ
    return RenameOutcome::kRenamed;
  }
  // The item now lives under its new name; the old file goes. One that cannot
  // be deleted stays beside the new one, and the caller says so.
  return DeleteItem(oldFile) ? RenameOutcome::kRenamed : RenameOutcome::kOldKept;
}

bool DeleteItem(const std::string& itemFile) { return DeleteOwnFile(itemFile) && !FileExists(itemFile); }
