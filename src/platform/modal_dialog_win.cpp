#include "platform/modal_dialog_win.h"

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

INT_PTR Show(HINSTANCE instance, const char* templateName, HWND owner, Run& run) {
  OpenDialogGuard guard(run.openDialog);
  return DialogBoxParamA(instance, templateName, owner, ModalDialogProc, reinterpret_cast<LPARAM>(&run));
}

}  // namespace modal_dialog_detail

void EndModalDialog(HWND dialog, INT_PTR result) {
  modal_dialog_detail::Run* run = modal_dialog_detail::RunOf(dialog);
  if (run != nullptr && run->openDialog != nullptr) *run->openDialog = nullptr;
  EndDialog(dialog, result);
}
