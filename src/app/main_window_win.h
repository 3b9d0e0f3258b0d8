// The main window: four list panes, focus model, tray icon and hot key.
#pragma once
#include <windows.h>

#include "items/item_dialog_win.h"
#include "items/item_lists_win.h"

struct AppState;

// The one instance of the process-wide state.
AppState& TheApp();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The main window procedure's guard, as the dialog runner has its own: no
// exception may cross into the system's message dispatch. handle() handles
// one message; when it throws (out of memory, a thread that cannot start),
// the command ends where it stood, report() tells the user, and the program
// runs on. handle's result, or 0 after an exception.
template <class Handle, class Report>
LRESULT StopExceptions(Handle&& handle, Report&& report) noexcept {
  try {
    return handle();
  } catch (...) {
  }
  try {
    report();
  } catch (...) {
    // Not even the report could be made; the program still runs on.
  }
  return 0;
}

// Rebuilds the four lists from the ItemFolder in the sort order of the
// settings; the quick-find index is then stale, and a changed shortcut cache
// is saved a moment later (kSaveCacheTimer).
void LoadItemLists(AppState& app);
// The same, from what has been read already; with onlyBox one of the lists,
// the other empty boxes are left unfilled (FillListBoxes).
void ShowItemLists(AppState& app, ItemFolderRead read, int onlyBox = -1);

// Fills the list boxes a start left unfilled.
void FillListBoxes(AppState& app);

// One step of what a start leaves until the window first waits for input:
// filling one list box not shown, the Send-to check, adding the tray icon.
// Each takes a few milliseconds; false once none is left.
bool RunStartWorkStep(AppState& app);

// LoadItemLists a moment later (kReloadTimer), after the keys and messages
// already waiting, for a change that has been shown entry by entry.
void LoadItemListsSoon(AppState& app);

// Selects the first entry of each list box (an empty list keeps none).
void SelectFirstEntries(AppState& app);

// After an add or edit: shows the one item written (the lists' ShowWrittenItem)
// and rereads the folder soon, for what changed behind the program's back;
// reloads at once when the lists cannot take the one entry. Then selects the
// first entry of each list, as after a reload.
void ShowWrittenItemAndSelectFirst(AppState& app, const WrittenItem& written);

// Gives the focus to the visible list box and records it in savedFocus.
void FocusVisibleList(AppState& app);

// Left or Right for one of the four lists, which the message loop drops: they
// never move a list's selection. Filtered there rather than by subclassing the
// lists, since a subclass costs every message to a list a lookup, and under
// Wine filling 1,500 entries then took about 150 ms.
bool IsListSideKey(const AppState& app, const MSG& message);

// Index of the list box, or -1 when window is none of the four.
int ListIndexOf(const AppState& app, HWND window);
