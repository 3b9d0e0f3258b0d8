#include "app/find_dialog_win.h"

#include "app/app_state.h"
#include "app/item_command_texts.h"
#include "app/list_search.h"
#include "platform/dialog_controls_win.h"
#include "platform/modal_dialog_win.h"
#include "resources/resource.h"

namespace {

// The edit's text is selected, so typing replaces the old term.
void FocusTerm(HWND dialog) { FocusDialogControl(dialog, IDC_FIND_TERM); }

std::string TermText(HWND dialog) { return DialogItemText(dialog, IDC_FIND_TERM, kFindTermTextBytes); }

BOOL OnInit(HWND dialog, AppState& app) {
  SendDlgItemMessageA(dialog, IDC_FIND_TERM, EM_LIMITTEXT, kFindTermTextBytes, 0);
  if (!app.findTerm.empty()) SetDlgItemTextA(dialog, IDC_FIND_TERM, FitFindTerm(app.findTerm).c_str());
  FocusTerm(dialog);
  return FALSE;  // the focus is set
}

void OnOk(HWND dialog, AppState& app) {
  std::string term = TermText(dialog);
  if (term.empty()) {
    ShowMessageBox(dialog, kNoFindTermText, kInputErrorCaption, MB_OK | MB_ICONINFORMATION);
    FocusTerm(dialog);
    return;
  }
  app.findTerm = term;
  EndModalDialog(dialog, IDOK);
}

BOOL OnCommand(HWND dialog, AppState& app, int id, int code) {
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDOK: OnOk(dialog, app); return TRUE;
    case IDCANCEL: EndModalDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

constexpr DialogHandlers<AppState> kFindDialog{OnInit, OnCommand};

}  // namespace

bool RunFindDialog(const DialogOwner& owner, AppState& app) {
  return RunModalDialog(owner, "FindDialog", kFindDialog, app) == IDOK;
}
