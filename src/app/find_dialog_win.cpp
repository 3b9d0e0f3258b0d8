#include "app/find_dialog_win.h"

#include <vector>

#include "app/app_state.h"
#include "app/item_command_texts.h"
#include "app/list_search.h"
#include "platform/modal_dialog_win.h"
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

bool RunFindDialog(AppState& app, HWND owner) {
  return RunModalDialog(app.instance, "FindDialog", owner, &app.openDialog, kFindDialog, app) == IDOK;
}
