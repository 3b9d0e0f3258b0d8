// "QuickFindDialog": the term is searched for in every source after a short
// pause in typing, the matches are shown best first and their count spoken,
// and Enter runs the chosen one as its own place would. The dialog shows,
// speaks and dispatches; what the sources hold and how each runs is in
// search_index_win.h and the search_source_*_win.cpp files.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/item_command_texts.h"
#include "app/list_search.h"
#include "app/search_index_win.h"
#include "app/search_sources_win.h"
#include "app/selected_item_win.h"
#include "platform/common_controls_win.h"
#include "platform/dialog_controls_win.h"
#include "platform/modal_dialog_win.h"
#include "platform/sjis.h"
#include "resources/resource.h"
#include "speech/speech_win.h"

namespace {

constexpr UINT_PTR kSearchTimer = 1;
constexpr UINT kSearchPauseMs = 150;  // typing that pauses this long is searched for

// What "リストに追加" did: the entry that now shows the kept item, if any, and what to say.
struct KeepResult {
  std::optional<std::size_t> entry;
  std::string spoken;
};

struct QuickFindDialogState {
  const Voice& voice;
  const SearchIndex& index;
  std::string& term;                                       // shown as the dialog opens, kept as it closes
  std::function<KeepResult(std::size_t entry)> keep;       // takes an entry whose source keeps into a list
  std::vector<std::size_t> results;  // index entries, as the result list shows them
  bool searchPending = false;        // the term changed since the results were made
  std::size_t chosen = 0;            // what OK chose: an index entry,
  bool special = false;              // and whether Shift was down
};

std::string TermText(HWND dialog) { return DialogItemText(dialog, IDC_QUICK_TERM, kFindTermTextBytes); }

std::string CountText(std::size_t count) {
  char text[32] = {};
  std::snprintf(text, sizeof text, kQuickFindCountFormat, static_cast<unsigned>(count));
  return text;
}

// The selected result, if there is one.
std::optional<std::size_t> SelectedResult(HWND dialog, const QuickFindDialogState& state) {
  LRESULT selected = SendDlgItemMessageA(dialog, IDC_QUICK_RESULTS, LB_GETCURSEL, 0, 0);
  if (selected < 0 || static_cast<std::size_t>(selected) >= state.results.size()) return std::nullopt;
  return state.results[static_cast<std::size_t>(selected)];
}

// "リストに追加" is there only for a selected result that a source can keep.
void UpdateKeepButton(HWND dialog, const QuickFindDialogState& state) {
  std::optional<std::size_t> entry = SelectedResult(dialog, state);
  bool keepable = entry && state.index.entry(*entry).source->keep != nullptr;
  HWND button = GetDlgItem(dialog, IDC_QUICK_KEEP);
  // The focus never stays on a button that goes grey: it moves to the results.
  if (!keepable && GetFocus() == button) FocusDialogControl(dialog, IDC_QUICK_RESULTS);
  EnableWindow(button, keepable ? TRUE : FALSE);
}

void ShowResults(HWND dialog, QuickFindDialogState& state, bool speak) {
  KillTimer(dialog, kSearchTimer);
  state.searchPending = false;
  std::string term = TermText(dialog);
  state.results = state.index.Search(term);
  HWND list = GetDlgItem(dialog, IDC_QUICK_RESULTS);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (std::size_t entry : state.results) {
    std::string line = state.index.LineOf(entry);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateKeepButton(dialog, state);
  // A term cleared away finds nothing, and saying so would only be noise.
  if (!speak || term.find_first_not_of(' ') == std::string::npos) return;
  SpeakText(state.voice, state.results.empty() ? std::string(kQuickFindNoneText) : CountText(state.results.size()), 0);
}

void MoveToResults(HWND dialog, QuickFindDialogState& state) {
  bool spoken = state.searchPending;
  if (state.searchPending) ShowResults(dialog, state, true);
  if (state.results.empty()) {
    // Down has nowhere to go: say so rather than leave the user in silence.
    if (!spoken) SpeakText(state.voice, kQuickFindNoneText, 0);
    return;
  }
  SendDlgItemMessageA(dialog, IDC_QUICK_RESULTS, LB_SETCURSEL, 0, 0);
  UpdateKeepButton(dialog, state);
  FocusDialogControl(dialog, IDC_QUICK_RESULTS);
}

// Takes the selected Start-menu or desktop shortcut into a list: the results
// are made again, the item's line selected, and the outcome said.
void OnKeep(HWND dialog, QuickFindDialogState& state) {
  std::optional<std::size_t> entry = SelectedResult(dialog, state);
  if (!entry || state.index.entry(*entry).source->keep == nullptr) return;
  KeepResult kept = state.keep(*entry);
  ShowResults(dialog, state, false);
  std::size_t row = 0;
  while (kept.entry && row < state.results.size() && state.results[row] != *kept.entry) ++row;
  if (kept.entry && row < state.results.size()) {
    SendDlgItemMessageA(dialog, IDC_QUICK_RESULTS, LB_SETCURSEL, row, 0);
    UpdateKeepButton(dialog, state);
    FocusDialogControl(dialog, IDC_QUICK_RESULTS);
  } else {
    FocusDialogControl(dialog, state.results.empty() ? IDC_QUICK_TERM : IDC_QUICK_RESULTS);
  }
  SpeakText(state.voice, kept.spoken, 0);
}

// Down in the term goes to the results; Up on the first result comes back.
LRESULT CALLBACK QuickFindKeys(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data) {
  if (message == WM_KEYDOWN) {
    auto& state = *reinterpret_cast<QuickFindDialogState*>(data);
    HWND dialog = GetParent(control);
    if (id == IDC_QUICK_TERM && wParam == VK_DOWN) {
      MoveToResults(dialog, state);
      return 0;
    }
    if (id == IDC_QUICK_RESULTS && wParam == VK_UP && SendMessageA(control, LB_GETCURSEL, 0, 0) <= 0) {
      FocusDialogControl(dialog, IDC_QUICK_TERM);
      return 0;
    }
  }
  if (message == WM_NCDESTROY) DropWindowSubclass(control, QuickFindKeys, id);
  return NextSubclassProc(control, message, wParam, lParam);
}

BOOL OnInit(HWND dialog, QuickFindDialogState& state) {
  for (int id : {IDC_QUICK_TERM, IDC_QUICK_RESULTS}) {
    // Refused, the two keep the dialog manager's keys alone.
    (void)AddWindowSubclass(GetDlgItem(dialog, id), QuickFindKeys, id, reinterpret_cast<DWORD_PTR>(&state));
  }
  SendDlgItemMessageA(dialog, IDC_QUICK_TERM, EM_LIMITTEXT, kFindTermTextBytes, 0);
  SetDlgItemTextA(dialog, IDC_QUICK_TERM, state.term.c_str());
  ShowResults(dialog, state, false);
  FocusDialogControl(dialog, IDC_QUICK_TERM);
  return FALSE;  // the focus is set
}

void Close(HWND dialog, QuickFindDialogState& state, INT_PTR result) {
  state.term = TermText(dialog);
  EndModalDialog(dialog, result);
}

// Enter: in the term, the first result; elsewhere the selected one.
void OnRun(HWND dialog, QuickFindDialogState& state) {
  if (state.searchPending) ShowResults(dialog, state, false);
  if (state.results.empty()) {
    SpeakText(state.voice, kQuickFindNoneText, 0);
    return;
  }
  LRESULT selected = SendDlgItemMessageA(dialog, IDC_QUICK_RESULTS, LB_GETCURSEL, 0, 0);
  bool inTerm = GetFocus() == GetDlgItem(dialog, IDC_QUICK_TERM);
  std::size_t row = (inTerm || selected < 0 || static_cast<std::size_t>(selected) >= state.results.size())
                        ? 0
                        : static_cast<std::size_t>(selected);
  state.chosen = state.results[row];
  state.special = GetKeyState(VK_SHIFT) < 0;
  Close(dialog, state, IDOK);
}

BOOL OnTimer(HWND dialog, QuickFindDialogState& state, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_TIMER || wParam != kSearchTimer) return FALSE;
  ShowResults(dialog, state, true);
  return TRUE;
}

BOOL OnCommand(HWND dialog, QuickFindDialogState& state, int id, int code) {
  if (id == IDC_QUICK_RESULTS && code == LBN_SELCHANGE) {
    UpdateKeepButton(dialog, state);
    return TRUE;
  }
  if (id == IDC_QUICK_TERM && code == EN_CHANGE) {
    state.searchPending = true;
    SetTimer(dialog, kSearchTimer, kSearchPauseMs, nullptr);  // each keystroke starts the pause again
    return TRUE;
  }
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDOK: OnRun(dialog, state); return TRUE;
    case IDC_QUICK_KEEP: OnKeep(dialog, state); return TRUE;
    case IDCANCEL: Close(dialog, state, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

constexpr DialogHandlers<QuickFindDialogState> kQuickFindDialog{OnInit, OnCommand, OnTimer};

// The entry of the list item name of list, as the index holds it now.
std::optional<std::size_t> ListEntryOf(const SearchIndex& index, int list, const std::string& name) {
  for (std::size_t i = 0; i < index.size(); ++i) {
    if (index.entry(i).source == &kListSearchSource && index.item(i).list == list && index.item(i).name == name) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace

void CmdQuickFind(AppState& app, const CommandContext& command) {
  if (GetSelectedItem(app).listKind < 0) return;
  RefreshSearchIndex(app);
  auto keep = [&app](std::size_t entry) {
    // A copy: keeping loads the lists again, and the index is then made anew.
    SearchEntry chosen = app.quickFind.index.entry(entry);
    SearchSource::Kept kept = chosen.source->keep(app, chosen);
    if (kept.list < 0) return KeepResult{std::nullopt, std::move(kept.spoken)};
    RefreshSearchIndex(app);
    return KeepResult{ListEntryOf(app.quickFind.index, kept.list, kept.name), std::move(kept.spoken)};
  };
  QuickFindDialogState state{app.voice, app.quickFind.index, app.quickFind.term, keep, {}};
  INT_PTR result = RunModalDialog(app.Owner(), "QuickFindDialog", kQuickFindDialog, state);
  if (result != IDOK || state.chosen >= app.quickFind.index.size()) return;
  // Copies: running may load the lists again.
  FindItem item = app.quickFind.index.item(state.chosen);
  SearchEntry entry = app.quickFind.index.entry(state.chosen);
  entry.source->run(app, item, entry, state.special);
}
