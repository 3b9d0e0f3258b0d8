// "QuickFindDialog": the term is searched for in every list after a short
// pause in typing, the matches are shown best first and their count spoken,
// and Enter runs the chosen one as its own list would.
#include "app/quick_find_dialog_win.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <vector>

#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/commands.h"
#include "app/item_command_texts.h"
#include "app/launch_win.h"
#include "app/list_search.h"
#include "app/selected_item_win.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "platform/common_controls_win.h"
#include "platform/dialog_controls_win.h"
#include "platform/modal_dialog_win.h"
#include "platform/sjis.h"
#include "records/records_win.h"
#include "resources/resource.h"
#include "speech/speech_win.h"

namespace {

constexpr UINT_PTR kSearchTimer = 1;
constexpr UINT kSearchPauseMs = 150;  // typing that pauses this long is searched for

struct QuickFindDialogState {
  AppState& app;
  std::vector<std::size_t> results;  // index entries, as the result list shows them
  bool searchPending = false;        // the term changed since the results were made
  std::size_t chosen = 0;            // what OK chose: an index entry,
  bool special = false;              // and whether Shift was down
};

// Makes the index anew after a list load: the shortcuts' targets come from
// the cache the load left, the URL and mail items' from their files, each
// read again only when its file changed since it was read last.
void RefreshIndex(AppState& app) {
  QuickFindState& find = app.quickFind;
  if (!find.stale) return;
  find.index.Clear();
  find.launchTargets.clear();
  for (int kind : {kPrograms, kFiles}) {
    for (const std::string& name : app.items.listedNames[kind]) {
      find.index.Add(FindItem{name, app.items.shortcuts.TargetOf(name), kind});
      find.launchTargets.push_back(ItemFilePath(app, kind, name));  // the shortcut itself is what runs
    }
  }
  auto known = std::move(find.itemTargets);
  find.itemTargets.clear();
  ItemFolderScan scan = ScanItemFolder(app.itemFolder);
  for (int kind : {kUrls, kMail}) {
    const char* extension = kind == kUrls ? ".url" : ".mail";
    std::map<std::string, ShortcutStamp> stamps;
    for (const ScanEntry& entry : kind == kUrls ? scan.urls : scan.mail) stamps[entry.name] = StampOf(entry);
    for (const std::string& name : app.items.listedNames[kind]) {
      std::string fileName = name + extension;
      auto stamp = stamps.find(name);
      auto read = known.find(fileName);
      std::string value;
      if (stamp != stamps.end() && read != known.end() && read->second.first == stamp->second) {
        value = read->second.second;
      } else {
        std::string itemFile = ItemFilePath(app, kind, name);
        value = kind == kUrls ? ReadUrlItem(itemFile) : ReadMailItem(itemFile);
      }
      if (stamp != stamps.end()) find.itemTargets[fileName] = {stamp->second, value};
      find.index.Add(FindItem{name, kind == kUrls ? value : BareMailAddress(value), kind});
      find.launchTargets.push_back(std::move(value));
    }
  }
  find.stale = false;
}

// The more recently launched an item, the earlier it comes: its place in the history.
void UpdateRecency(AppState& app) {
  LoadLog(app.dataFolder, app.historyLog);
  std::map<std::string, int> newest;
  for (int i = kRecordSlots - 1; i >= 0; --i) {
    const RecordEntry& entry = app.historyLog.entries[i];
    if (!entry.empty()) newest[entry.filePath] = i;
  }
  QuickFindState& find = app.quickFind;
  for (std::size_t i = 0; i < find.index.size(); ++i) {
    auto found = newest.find(find.launchTargets[i]);
    find.index.SetRecency(i, found == newest.end() ? -1 : found->second);
  }
}

std::string TermText(HWND dialog) { return DialogItemText(dialog, IDC_QUICK_TERM, kFindTermTextBytes); }

std::string CountText(std::size_t count) {
  char text[32] = {};
  std::snprintf(text, sizeof text, kQuickFindCountFormat, static_cast<unsigned>(count));
  return text;
}

void ShowResults(HWND dialog, QuickFindDialogState& state, bool speak) {
  KillTimer(dialog, kSearchTimer);
  state.searchPending = false;
  std::string term = TermText(dialog);
  const QuickFindIndex& index = state.app.quickFind.index;
  state.results = index.Search(term);
  HWND list = GetDlgItem(dialog, IDC_QUICK_RESULTS);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (std::size_t entry : state.results) {
    const FindItem& item = index.item(entry);
    std::string line = item.name + kQuickFindListOpen + kListNames[item.list] + kQuickFindListClose;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  // A term cleared away finds nothing, and saying so would only be noise.
  if (!speak || term.find_first_not_of(' ') == std::string::npos) return;
  SpeakText(state.app.voice, state.results.empty() ? std::string(kQuickFindNoneText) : CountText(state.results.size()), 0);
}

void MoveToResults(HWND dialog, QuickFindDialogState& state) {
  bool spoken = state.searchPending;
  if (state.searchPending) ShowResults(dialog, state, true);
  if (state.results.empty()) {
    // Down has nowhere to go: say so rather than leave the user in silence.
    if (!spoken) SpeakText(state.app.voice, kQuickFindNoneText, 0);
    return;
  }
  SendDlgItemMessageA(dialog, IDC_QUICK_RESULTS, LB_SETCURSEL, 0, 0);
  FocusDialogControl(dialog, IDC_QUICK_RESULTS);
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
    AddWindowSubclass(GetDlgItem(dialog, id), QuickFindKeys, id, reinterpret_cast<DWORD_PTR>(&state));
  }
  SendDlgItemMessageA(dialog, IDC_QUICK_TERM, EM_LIMITTEXT, kFindTermTextBytes, 0);
  SetDlgItemTextA(dialog, IDC_QUICK_TERM, state.app.quickFind.term.c_str());
  ShowResults(dialog, state, false);
  FocusDialogControl(dialog, IDC_QUICK_TERM);
  return FALSE;  // the focus is set
}

void Close(HWND dialog, QuickFindDialogState& state, INT_PTR result) {
  state.app.quickFind.term = TermText(dialog);
  EndModalDialog(dialog, result);
}

// Enter: in the term, the first result; elsewhere the selected one.
void OnRun(HWND dialog, QuickFindDialogState& state) {
  if (state.searchPending) ShowResults(dialog, state, false);
  if (state.results.empty()) {
    SpeakText(state.app.voice, kQuickFindNoneText, 0);
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
  if (id == IDC_QUICK_TERM && code == EN_CHANGE) {
    state.searchPending = true;
    SetTimer(dialog, kSearchTimer, kSearchPauseMs, nullptr);  // each keystroke starts the pause again
    return TRUE;
  }
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDOK: OnRun(dialog, state); return TRUE;
    case IDCANCEL: Close(dialog, state, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

constexpr DialogHandlers<QuickFindDialogState> kQuickFindDialog{OnInit, OnCommand, OnTimer};

}  // namespace

void CmdQuickFind(AppState& app, const CommandContext& command) {
  if (GetSelectedItem(app).listKind < 0) return;
  RefreshIndex(app);
  UpdateRecency(app);
  QuickFindDialogState state{app, {}};
  INT_PTR result = RunModalDialog(app.Owner(), "QuickFindDialog", kQuickFindDialog, state);
  if (result != IDOK || state.chosen >= app.quickFind.index.size()) return;
  FindItem item = app.quickFind.index.item(state.chosen);  // a copy: running may reload the lists
  RunListItem(app, item.list, item.name, state.special);
}
