#include "items/item_dialog_win.h"

#include "app/app_state.h"

bool RunAddItemDialog(AppState& app, HWND owner) {
  // The dialog is not built yet: the offered path stays in the prefill values.
  return false;
}

bool RunEditItemDialog(AppState& app, HWND owner) { return false; }
