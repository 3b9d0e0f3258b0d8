// The one way a modal dialog runs. A dialog is a state struct, a table of
// handlers and an entry point that calls RunModalDialog with both. The runner
// keeps the state pointer on the dialog, sends each message to its handler,
// stops exceptions at the dialog procedure, and keeps the caller's "open
// dialog" window up to date while the dialog is shown.
#pragma once
#include <windows.h>

// Where a dialog opens: the program's instance (which holds the template), the
// owner window, and the caller's record of the dialog that is open (nullptr
// records nothing). Subsystems take one instead of the program's whole state.
struct DialogOwner {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HWND* openDialog = nullptr;
};

// What a dialog does with its messages; every handler gets the dialog and the
// state passed to RunModalDialog.
template <class State>
struct DialogHandlers {
  // WM_INITDIALOG: TRUE lets the dialog manager focus the first tab stop,
  // FALSE when the handler set the focus itself.
  BOOL (*onInit)(HWND dialog, State& state) = nullptr;
  // WM_COMMAND with the control id and the notification code; what it returns
  // is what the procedure returns. An IDCANCEL (Cancel, Escape, the close box)
  // it leaves (FALSE, or no handler) ends the dialog with IDCANCEL.
  BOOL (*onCommand)(HWND dialog, State& state, int id, int code) = nullptr;
  // Any other message (a timer, a posted WM_APP message, a notification):
  // FALSE leaves it to the dialog manager.
  BOOL (*onMessage)(HWND dialog, State& state, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
};

// Ends a dialog shown by RunModalDialog with result. The open-dialog window is
// cleared first, so the owner, activated as the dialog goes, sees no dialog.
void EndModalDialog(HWND dialog, INT_PTR result);

namespace modal_dialog_detail {

struct Run {
  HWND* openDialog;     // set to the dialog while it is shown; nullptr records nothing
  void* state;          // a State*
  const void* handlers; // a const DialogHandlers<State>*
  INT_PTR (*dispatch)(HWND dialog, const Run& run, UINT message, WPARAM wParam, LPARAM lParam);
};

template <class State>
INT_PTR Dispatch(HWND dialog, const Run& run, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto& handlers = *static_cast<const DialogHandlers<State>*>(run.handlers);
  State& state = *static_cast<State*>(run.state);
  if (message == WM_INITDIALOG) return handlers.onInit != nullptr ? handlers.onInit(dialog, state) : TRUE;
  if (message == WM_COMMAND) {
    int id = LOWORD(wParam);
    if (handlers.onCommand != nullptr && handlers.onCommand(dialog, state, id, HIWORD(wParam))) return TRUE;
    if (id != IDCANCEL) return FALSE;
    EndModalDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return handlers.onMessage != nullptr ? handlers.onMessage(dialog, state, message, wParam, lParam) : FALSE;
}

INT_PTR Show(const DialogOwner& owner, const char* templateName, Run& run);

}  // namespace modal_dialog_detail

// Shows dialog templateName of owner.instance, owned by owner.window, which
// is brought to the foreground first; returns what the dialog ended with (-1
// or 0 when it could not be shown). *owner.openDialog holds the dialog from
// WM_INITDIALOG until it ends, and nullptr afterwards, also when it could not
// be shown.
template <class State>
INT_PTR RunModalDialog(const DialogOwner& owner, const char* templateName, const DialogHandlers<State>& handlers,
                       State& state) {
  modal_dialog_detail::Run run{owner.openDialog, &state, &handlers, &modal_dialog_detail::Dispatch<State>};
  return modal_dialog_detail::Show(owner, templateName, run);
}

// A message box owned by owner, brought to the foreground first as for a
// dialog; returns MessageBoxA's answer (0 when it could not be shown).
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
