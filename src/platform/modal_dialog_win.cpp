#include "platform/modal_dialog_win.h"

#include "platform/notification_window_win.h"

namespace modal_dialog_detail {
namespace {

// Clears the open-dialog window when the dialog is over, however it ended.
class OpenDialogGuard {
 public:
  explicit OpenDialogGuard(HWND* openDialog) : openDialog_(openDialog) {}
  ~OpenDialogGuard() {
    if (openDialog_ != nullptr) *openDialog_ = nullptr;
  }
  OpenDialogGuard(const OpenDialogGuard&) = delete;
  OpenDialogGuard& operator=(const OpenDialogGuard&) = delete;

 private:
  HWND* openDialog_;
};

Run* RunOf(HWND dialog) { return reinterpret_cast<Run*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

INT_PTR CALLBACK ModalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      auto& run = *reinterpret_cast<Run*>(lParam);
      if (run.openDialog != nullptr) *run.openDialog = dialog;
      CreateNotificationWindow(dialog);  // a dialog's own notifications are not heard
      return run.dispatch(dialog, run, message, wParam, lParam);
    }
    Run* run = RunOf(dialog);
    if (run == nullptr) return FALSE;  // messages before WM_INITDIALOG
    return run->dispatch(dialog, *run, message, wParam, lParam);
  } catch (...) {
    // Out of memory: the dialog stays as it is rather than letting the
    // exception cross the dialog manager.
  }
  return FALSE;
}

}  // namespace

namespace {

// A dialog or message box whose owner is not in front opens behind the
// program that is, where neither the keys nor the screen reader reach it. A
// hidden owner (the main window kept in the tray) stays hidden.
void BringOwnerForward(HWND owner) {
  if (owner != nullptr && IsWindowVisible(owner)) SetForegroundWindow(owner);
}

}  // namespace

INT_PTR Show(const DialogOwner& owner, const char* templateName, Run& run) {
  OpenDialogGuard guard(run.openDialog);
  BringOwnerForward(owner.window);
  return DialogBoxParamA(owner.instance, templateName, owner.window, ModalDialogProc, reinterpret_cast<LPARAM>(&run));
}

}  // namespace modal_dialog_detail

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  modal_dialog_detail::BringOwnerForward(owner);
  return MessageBoxA(owner, text, caption, type);
}

void EndModalDialog(HWND dialog, INT_PTR result) {
  modal_dialog_detail::Run* run = modal_dialog_detail::RunOf(dialog);
  if (run != nullptr && run->openDialog != nullptr) *run->openDialog = nullptr;
  EndDialog(dialog, result);
}
