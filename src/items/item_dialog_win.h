// The add and edit dialog "FileDialog".
#pragma once
#include <windows.h>

#include <string>

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

// Where the dialog writes: the item folder, and the DataFolder, from which a
// relative path typed into the dialog counts.
struct ItemDialogFolders {
  std::string data;
  std::string items;
};

// Add mode with prefill, which is emptied when the dialog closes; true when
// an item was written.
bool RunAddItemDialog(const DialogOwner& owner, const ItemDialogFolders& folders, AddItemPrefill& prefill);

// How an edit ended. kSavedOldKept: the item was written under its new name
// but the file under the old name could not be deleted, so both are there.
enum class EditOutcome { kCancelled, kSaved, kSavedOldKept };

// Edit mode for one item.
EditOutcome RunEditItemDialog(const DialogOwner& owner, const ItemDialogFolders& folders, const EditItemValues& values);
