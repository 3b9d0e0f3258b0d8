#include "app/find_dialog_win.h"

#include <vector>

#include "app/app_state.h"
#include "app/item_command_texts.h"
#include "app/list_search.h"
#include "platform/sjis.h"
#include "resources/resource.h"

namespace {

void FocusTerm(HWND dialog) {
  // As the dialog manager does it: the edit's text is selected, so typing replaces the old term.
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_FIND_TERM)), TRUE);
}

std::string TermText(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_FIND_TERM);
  int length = GetWindowTextLengthA(edit);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(edit, text.data(), length + 1);
  // The edit limits typing, but Wine counts that limit in characters.
  return FitFindTerm(FieldText(text.data(), text.size()));
}

BOOL OnInit(HWND dialog, AppState& app) {
  app.openDialog = dialog;
  SendDlgItemMessageA(dialog, IDC_FIND_TERM, EM_LIMITTEXT, kFindTermTextBytes, 0);
  if (!app.findTerm.empty()) SetDlgItemTextA(dialog, IDC_FIND_TERM, FitFindTerm(app.findTerm).c_str());
  FocusTerm(dialog);
  return FALSE;  // the focus is set
}

void OnOk(HWND dialog, AppState& app) {
  std::string term = TermText(dialog);
  if (term.empty()) {
    MessageBoxA(dialog, kNoFindTermText, kInputErrorCaption, MB_OK | MB_ICONINFORMATION);
    FocusTerm(dialog);
    return;
  }
  app.findTerm = term;
  app.openDialog = nullptr;
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      return OnInit(dialog, *reinterpret_cast<AppState*>(lParam));
    }
    auto* app = reinterpret_cast<AppState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (app == nullptr || message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
      case IDOK: OnOk(dialog, *app); return TRUE;
      case IDCANCEL:
        app->openDialog = nullptr;
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      default: return FALSE;
    }
  } catch (...) {
    // Out of memory: nothing changes rather than letting the exception cross the dialog manager.
  }
  return FALSE;
}

}  // namespace

bool RunFindDialog(AppState& app, HWND owner) {
  INT_PTR result =
      DialogBoxParamA(app.instance, "FindDialog", owner, FindDialogProc, reinterpret_cast<LPARAM>(&app));
  app.openDialog = nullptr;  // also when the dialog could not be created
  return result == IDOK;
}
