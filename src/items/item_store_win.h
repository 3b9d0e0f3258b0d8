// Item files in the ItemFolder: shortcuts (.lnk), internet shortcuts (.url)
// and mail items (.mail). The file name without its extension is the item's
// name, byte for byte as the list shows it.
#pragma once
#include <optional>
#include <string>

#include "items/item_name.h"

// The DataFolder as the system reads it back, and its item folder ("\Lnk").
struct DataFolders {
  std::string data;
  std::string items;
};

// Creates the data folders, makes the DataFolder the current directory (for
// start-up only: nothing of the program counts on it later), and removes the
// temporary files that an interrupted write left in both folders. Nothing
// when a folder cannot be created or the DataFolder cannot be made current;
// unusableFolder then names it, and nothing was removed anywhere.
std::optional<DataFolders> PrepareDataFolders(std::string& unusableFolder);

// Item file of a list entry in itemFolder: "%s\%s.lnk" (programs, files),
// "%s\%s.url" (URLs), "%s\%s.mail" (mail).
std::string ItemFilePath(const std::string& itemFolder, int listKind, const std::string& name);

// Reads a shortcut's target and argument string. False (and both empty) when
// the file cannot be loaded or resolved.
[[nodiscard]] bool ReadShellLink(const std::string& linkPath, std::string& target, std::string& arguments);
// The same as the shortcut holds them, without resolving it: for reading
// many shortcuts at once, where a search for a moved target (or a window
// asking about it) would be out of place.
[[nodiscard]] bool ReadShellLinkAsStored(const std::string& linkPath, std::string& target, std::string& arguments);
// A shortcut's target as ReadShellLink gives it, taken from the file's bytes
// where they hold it plainly (most shortcuts), so a list load does not open
// the shell-link object for each one; nothing when they do not. It needs
// neither COM nor a window, so any thread may call it.
std::optional<std::string> ReadPlainShortcutTarget(const std::string& linkPath);

// The same through the shell-link object's wide side, for a shortcut whose
// path (or target) holds characters code page 932 lacks; nothing is cut.
[[nodiscard]] bool ReadShellLinkAsStored(const std::wstring& linkPath, std::wstring& target, std::wstring& arguments);

// Writes (or replaces) a shortcut to target, its working folder the target's
// folder. Failures are not reported.
void WriteShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments);
// The same; false when the shortcut was not written whole.
[[nodiscard]] bool SaveShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments);

// Writes to pending the shortcut at linkPath with only its target changed
// (and its working folder, where that was the old target's folder). False
// when it cannot be loaded or saved.
[[nodiscard]] bool RetargetShellLink(const std::string& linkPath, const std::string& pending, const std::string& target);

// "URL" of section "InternetShortcut"; "" when missing. At most 260 bytes.
std::string ReadUrlItem(const std::string& itemFile);
// "MailAddress" of section "EMailShortcut" ("mailto:" included); "" when missing.
std::string ReadMailItem(const std::string& itemFile);
// The address without a leading "mailto:"; a value without it is used whole.
std::string BareMailAddress(const std::string& mailValue);

// What an item file holds: a shortcut's target and argument string, the URL,
// or a mail item's whole "MailAddress" value ("mailto:" included). Both are
// empty when the file cannot be read.
struct ItemContent {
  std::string target;
  std::string arguments;
};
ItemContent ReadItem(int listKind, const std::string& itemFile);

// Replaces section "InternetShortcut" with "URL=" + url; other sections stay.
// False when the file could not be written.
[[nodiscard]] bool WriteUrlItem(const std::string& itemFile, const std::string& url);
// Replaces section "EMailShortcut" with "MailAddress=mailto:" + address.
[[nodiscard]] bool WriteMailItem(const std::string& itemFile, const std::string& address);

// Writing, renaming and deleting item files (item_files_win.cpp). Every item
// file is first written completely under a temporary name in the item folder
// (".tmp", which no list scans) and then moved over its place: a write that
// fails never costs the item it was to replace, and an old file is deleted
// only once its successor is in place.

// Whether a URL or mail item written over an existing file keeps that file's
// other sections (kMerge) or rewrites it afresh (kFresh).
enum class ItemReplace { kMerge, kFresh };

// Writes one item file all or nothing: from source, which for kCopyShortcut
// and kImportUrl is the shortcut or internet shortcut to take in (an absolute
// path), else the target, URL or address. False when it could not be put in
// place under its name; nothing of it is then left.
[[nodiscard]] bool SaveItem(ItemKind kind, const std::string& source, const std::string& arguments, const std::string& itemFile,
              ItemReplace replace = ItemReplace::kMerge);

// How a rename ended. kOldKept: the item is in place under its new name, but
// the file under the old name could not be deleted, so both are there.
enum class RenameOutcome { kFailed, kRenamed, kOldKept };

// Moves oldFile to newFile with its content untouched, replacing a file that
// is there. A name that differs only in the case of letters is renamed in
// place (the file keeps its old spelling where that is refused).
[[nodiscard]] RenameOutcome RenameItem(const std::string& oldFile, const std::string& newFile);

// Takes in the shortcut at source (a path the code page may not carry) as the
// item file, a byte copy, all or nothing.
[[nodiscard]] bool CopyInItem(const std::wstring& source, const std::string& itemFile);

// An item as the edit dialog found it and where it is to go.
struct EditedItem {
  std::string oldFile;       // the item's file
  std::string itemFile;      // the file under the name now typed (maybe oldFile)
  bool targetKept = false;   // the target field holds the text the dialog showed
};

// Writes an edited item from what the dialog holds (kind, source and
// arguments as for SaveItem). A target left as shown is a rename of the file
// alone; a new target of a shortcut changes that and nothing else of it. The
// new file is in place before the old one goes. kRenamed also when it was
// rewritten in its own place; kOldKept as for RenameItem.
[[nodiscard]] RenameOutcome SaveEditedItem(ItemKind kind, const std::string& source, const std::string& arguments,
                             const EditedItem& edited);

// Deletes an item file, waiting out a moment's hold; false when it is still
// there (read-only, or held open by another program).
[[nodiscard]] bool DeleteItem(const std::string& itemFile);

// Whether two item file paths name the same file: compared as the file system
// compares names, without regard to case.
bool SameItemFile(const std::string& first, const std::string& second);
