// The history and favourites dialogs differ in little: the history closes
// after every run, swallows Left and Right in its list and has a clear-all
// button; the favourites dialog stays open after a plain run.
#include "records/record_dialog_win.h"

#include <shlwapi.h>

#include "platform/common_controls_win.h"
#include "platform/modal_dialog_win.h"
#include "platform/sjis.h"
#include "records/browser_dialog_win.h"
#include "records/launch_target.h"
#include "records/launch_win.h"
#include "records/record_log.h"
#include "records/record_texts.h"
#include "records/records_win.h"
#include "resources/resource.h"
#include "speech/speech_win.h"


namespace {

struct RecordDialogState {
  HINSTANCE instance;  // holds the browser choice dialog
  HWND mainWindow;     // owns the shell's own boxes: this dialog may be gone by then
  RecordDialogKind kind;
  RecordLog& log;
  RecordLog& historyLog;  // where runs are recorded: log itself for the history dialog
  const std::string& dataFolder;
  const Voice& voice;
  bool history() const { return kind == RecordDialogKind::kHistory; }
};

// OK, and for the history the clear-all button, stay disabled once the list
// is empty: nothing in the dialog can fill it again.
void DisableForEmptyList(HWND dialog, const RecordDialogState& state) {
  EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
  if (state.history()) EnableWindow(GetDlgItem(dialog, IDC_HISTORY_CLEAR), FALSE);
}

// Runs entry `line` of the list: plainly, with a chosen browser (Shift on a
// URL) or as administrator (Shift otherwise), then records it in the history.
void OnRun(HWND dialog, RecordDialogState& state) {
  int line = static_cast<int>(SendDlgItemMessageA(dialog, IDC_RECORD_LIST, LB_GETCURSEL, 0, 0));
  if (line < 0 || line >= ListedCount(state.log)) return;
  // A copy: recording reloads the history, whose entry this may be.
  RecordEntry entry = state.log.entries[line];
  bool shift = GetKeyState(VK_SHIFT) < 0;

  if (!shift) {
    if (state.history()) EndModalDialog(dialog, IDOK);
    Launch(state.mainWindow, state.voice, state.dataFolder, state.historyLog, entry.filePath, entry.fileName);
  } else if (PathIsURLA(entry.filePath.c_str())) {
    // Refused before the choice: no browser may be handed this one.
    if (!BrowserMayOpen(entry.filePath)) {
      SpeakText(state.voice, kUrlRefusedText, 0);
      return;
    }
    int browser = -1;
    // This dialog stays recorded as the open one meanwhile.
    if (!RunBrowserChoiceDialog({state.instance, dialog, nullptr}, browser)) return;  // the dialog stays, nothing is run
    EndModalDialog(dialog, IDOK);
    LaunchWithBrowser(state.mainWindow, state.voice, state.dataFolder, state.historyLog, browser, entry.filePath, entry.fileName);
  } else {
    EndModalDialog(dialog, IDOK);
    Launch(state.mainWindow, state.voice, state.dataFolder, state.historyLog, entry.filePath, entry.fileName, "runas");
  }
}

// The log could not be written, so the change did not happen: the dialog
// shows the file as it is again, with the selection where it was.
void ShowLogAsItIs(HWND dialog, RecordDialogState& state, int line) {
  LoadLog(state.dataFolder, state.log);
  FillRecordList(dialog, state.log);
  HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
  int count = ListedCount(state.log);
  if (count > 0) {
    SendMessageA(list, LB_SETCURSEL, line < count ? line : count - 1, 0);
    EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
    if (state.history()) EnableWindow(GetDlgItem(dialog, IDC_HISTORY_CLEAR), TRUE);
  }
  SetFocus(list);
}

void OnClearAll(HWND dialog, RecordDialogState& state) {
  int answer = ShowMessageBox(dialog, kHistoryClearQuestion, kDeleteCaption, MB_YESNO | MB_ICONQUESTION);
  if (answer != IDYES) {
    (void)SaveLog(state.dataFolder, state.log);  // written back after No as well, unchanged: a failure loses nothing
    return;
  }
  int line = static_cast<int>(SendDlgItemMessageA(dialog, IDC_RECORD_LIST, LB_GETCURSEL, 0, 0));
  ClearLog(state.log);
  if (!SaveLog(state.dataFolder, state.log)) {
    ShowLogAsItIs(dialog, state, line);
    SpeakText(state.voice, kNotDeletedText, 0);
    return;
  }
  FillRecordList(dialog, state.log);
  SetFocus(GetDlgItem(dialog, IDC_RECORD_LIST));
  DisableForEmptyList(dialog, state);
  SpeakText(state.voice, kDeletedText, 0);
}

// Delete: the selected line leaves the list and the log alike, so line n
// stays entry n.
void DeleteSelectedLine(HWND list, RecordDialogState& state) {
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  int line = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  if (count <= 0 || line < 0 || line >= count) return;
  RemoveRecord(state.log, line);
  if (!SaveLog(state.dataFolder, state.log)) {
    ShowLogAsItIs(GetParent(list), state, line);
    SpeakText(state.voice, kNotDeletedText, 100);
    return;
  }
  SendMessageA(list, LB_DELETESTRING, line, 0);
  SendMessageA(list, LB_SETCURSEL, line == count - 1 ? line - 1 : line, 0);
  if (count == 1) DisableForEmptyList(GetParent(list), state);
  SpeakText(state.voice, kDeletedText, 100);
}

LRESULT CALLBACK RecordListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR data) {
  auto& state = *reinterpret_cast<RecordDialogState*>(data);
  if (message == WM_KEYDOWN) {
    if (wParam == VK_DELETE) {
      DeleteSelectedLine(list, state);
      return 0;
    }
    if (state.history() && (wParam == VK_LEFT || wParam == VK_RIGHT)) return 0;
  }
  if (message == WM_NCDESTROY) DropWindowSubclass(list, RecordListKeys, id);
  return NextSubclassProc(list, message, wParam, lParam);
}

BOOL OnInit(HWND dialog, RecordDialogState& state) {
  // Refused, Enter still runs the entry (IDOK); Shift+Enter and Delete do nothing.
  (void)AddWindowSubclass(GetDlgItem(dialog, IDC_RECORD_LIST), RecordListKeys, 0, reinterpret_cast<DWORD_PTR>(&state));
  LoadLog(state.dataFolder, state.log);
  FillRecordList(dialog, state.log);
  if (ListedCount(state.log) == 0) DisableForEmptyList(dialog, state);
  return TRUE;  // the dialog manager focuses the list, the first tab stop
}

BOOL OnCommand(HWND dialog, RecordDialogState& state, int id, int code) {
  switch (id) {
    case IDOK:
      OnRun(dialog, state);
      return TRUE;
    case IDC_HISTORY_CLEAR:
      if (state.history() && code == BN_CLICKED) OnClearAll(dialog, state);
      return TRUE;
    default:
      return FALSE;
  }
}

constexpr DialogHandlers<RecordDialogState> kRecordDialog{OnInit, OnCommand};

}  // namespace

void RunRecordDialog(const DialogOwner& owner, RecordDialogKind kind, RecordLog& log, RecordLog& history,
                     const std::string& dataFolder, const Voice& voice) {
  RecordDialogState state{owner.instance, owner.window, kind, log, history, dataFolder, voice};
  RunModalDialog(owner, state.history() ? "HistoryDialog" : "BookMarkDialog", kRecordDialog, state);
}
