// The add and edit dialog "FileDialog".
#pragma once
#include <windows.h>

#include <string>

#include "items/item_store_win.h"
#include "platform/modal_dialog_win.h"

// What the edit command hands to the dialog for the selected item.
struct EditItemValues {
  std::string file;       // full path of the item's file
  std::string name;       // the list entry's text
  std::string target;     // shortcut target, URL or bare mail address; empty when unreadable
  std::string arguments;  // a shortcut's argument string; empty for other kinds
};

// What the add dialog starts with: a path handed over from the command line
// or a second instance, the shortcut it was read from, and that shortcut's
// argument string.
struct AddItemPrefill {
  std::string path;
  std::string link;
  std::string arguments;
};

// What an OK put in place: the item file written (its kind is its extension,
// its name the file name without it) and, for an edit that moved the item
// to another name or kind, the item's old file, now gone. The lists show the
// change from this without rereading the folder.
struct WrittenItem {
  std::string file;
  std::string removedFile;  // empty when none went
};

// The dialogs write into folders.items; a relative path typed into them
// counts from folders.data.

// Add mode with prefill, which is emptied when the dialog closes; true when
// an item was written, which written then names.
bool RunAddItemDialog(const DialogOwner& owner, const DataFolders& folders, AddItemPrefill& prefill,
                      WrittenItem& written);

// How an edit ended. kSavedOldKept: the item was written under its new name
// but the file under the old name could not be deleted, so both are there.
enum class EditOutcome { kCancelled, kSaved, kSavedOldKept };

// Edit mode for one item; written names what was saved unless it was cancelled.
EditOutcome RunEditItemDialog(const DialogOwner& owner, const DataFolders& folders, const EditItemValues& values,
                              WrittenItem& written);
