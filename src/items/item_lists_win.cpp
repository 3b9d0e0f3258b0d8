#include "items/item_lists_win.h"

#include "app/app_state.h"

void LoadItemLists(AppState& app) {}

void ReloadItemLists(AppState& app) {
  SetCurrentDirectoryA(app.itemFolder.c_str());
  LoadItemLists(app);
  SetCurrentDirectoryA(app.dataFolder.c_str());
}

void SelectFirstEntries(AppState& app) {
  for (HWND list : app.lists) SendMessageA(list, LB_SETCURSEL, 0, 0);
}
