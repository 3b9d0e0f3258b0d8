// The add and edit dialog "FileDialog".
#pragma once
#include <windows.h>

#include <string>

#include "items/item_name.h"

struct AppState;

// What the edit command hands to the dialog for the selected item.
struct EditItemValues {
  std::string file;       // full path of the item's file
  std::string name;       // the list entry's text
  std::string target;     // shortcut target, URL or bare mail address; empty when unreadable
  std::string arguments;  // a shortcut's argument string; empty for other kinds
};

// Add mode with the prefill values of app, which are cleared when the dialog
// closes; true when an item was written.
bool RunAddItemDialog(AppState& app, HWND owner);

// How an edit ended. kSavedOldKept: the item was written under its new name
// but the file under the old name could not be deleted, so both are there.
enum class EditOutcome { kCancelled, kSaved, kSavedOldKept };

// Edit mode for one item.
EditOutcome RunEditItemDialog(AppState& app, HWND owner, const EditItemValues& values);

// Writes one item file all or nothing, as OK in the add dialog does: from
// path, which for kCopyShortcut and kImportUrl is the shortcut or internet
// shortcut to take in. False when it could not be put in place under its
// name; nothing of it is then left.
bool WriteItemFile(ItemKind kind, const std::string& path, const std::string& arguments, const std::string& itemPath);
