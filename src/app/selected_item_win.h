// The entry that the main window's commands act on.
#pragma once
#include <windows.h>

#include <string>

struct AppState;

struct SelectedItem {
  int listKind = -1;  // ListKind of the focused list box, -1 when the focus is on none
  int index = -1;     // selection index, -1 when nothing is selected
  int count = 0;      // entries in that list
  std::string name;   // the entry's text (at most 260 bytes)
  bool valid() const { return listKind >= 0 && index >= 0; }
};

// The text of entry index of a list box; "" when there is none.
std::string ListEntryText(HWND list, int index);

// The focused list box and its selection.
SelectedItem GetSelectedItem(const AppState& app);

// The item file of a list entry in app.itemFolder.
std::string ItemFilePath(const AppState& app, int listKind, const std::string& name);
