#include "app/find_dialog_win.h"

#include "app/item_command_texts.h"
#include "app/list_search.h"
#include "platform/dialog_controls_win.h"
#include "platform/modal_dialog_win.h"
#include "resources/resource.h"

namespace {

// The edit's text is selected, so typing replaces the old term.
void FocusTerm(HWND dialog) { FocusDialogControl(dialog, IDC_FIND_TERM); }

std::string TermText(HWND dialog) { return DialogItemText(dialog, IDC_FIND_TERM, kFindTermTextBytes); }

// The term the list search keeps between finds.
struct FindDialogState {
  std::string& term;
};

BOOL OnInit(HWND dialog, FindDialogState& state) {
  SendDlgItemMessageA(dialog, IDC_FIND_TERM, EM_LIMITTEXT, kFindTermTextBytes, 0);
  if (!state.term.empty()) SetDlgItemTextA(dialog, IDC_FIND_TERM, FitFindTerm(state.term).c_str());
  FocusTerm(dialog);
  return FALSE;  // the focus is set
}

void OnOk(HWND dialog, FindDialogState& state) {
  std::string term = TermText(dialog);
  if (term.empty()) {
    ShowMessageBox(dialog, kNoFindTermText, kInputErrorCaption, MB_OK | MB_ICONINFORMATION);
    FocusTerm(dialog);
    return;
  }
  state.term = term;
  EndModalDialog(dialog, IDOK);
}

BOOL OnCommand(HWND dialog, FindDialogState& state, int id, int code) {
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDOK: OnOk(dialog, state); return TRUE;
    default: return FALSE;
  }
}

constexpr DialogHandlers<FindDialogState> kFindDialog{OnInit, OnCommand};

}  // namespace

bool RunFindDialog(const DialogOwner& owner, std::string& term) {
  FindDialogState state{term};
  return RunModalDialog(owner, "FindDialog", kFindDialog, state) == IDOK;
}
