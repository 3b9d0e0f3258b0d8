// The five fixed-list pickers (IDM_FIXED_MAKER..IDM_FIXED_FOLDERS). Enter launches the
// selected row and keeps the picker open on the same row; Control+Enter
// launches and closes it. Every launch goes into the history.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "app/app_state.h"
#include "app/commands.h"
#include "pickers/fixed_lists.h"
#include "platform/files_win.h"
#include "platform/modal_dialog_win.h"
#include "platform/sjis.h"
#include "records/records_win.h"
#include "resources/resource.h"

namespace {

struct FixedListState {
  AppState& app;
  int commandId;  // IDM_FIXED_MAKER..IDM_FIXED_FOLDERS: which table
};

void LaunchRow(AppState& app, int commandId, std::size_t row) {
  FixedLaunch launch = ResolveFixedLaunch(commandId, row, FileExists);
  if (launch.target.empty()) return;
  std::string folder = launch.runInFolder ? ContainingFolder(launch.target) : std::string();
  // The shell's answer is not examined: a target that does not start is
  // recorded like any other attempt.
  ShellExecuteA(nullptr, nullptr, launch.target.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(), SW_SHOW);
  RecordLaunch(app, launch.target, launch.name);
}

BOOL OnInit(HWND dialog, FixedListState& state) {
  HWND list = GetDlgItem(dialog, IDC_PICKER_LIST);
  std::vector<std::string_view> names = FixedListNames(state.commandId);
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string name(names[i]);
    SendMessageA(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  return TRUE;
}

void OnOk(HWND dialog, FixedListState& state) {
  auto index = SendDlgItemMessageA(dialog, IDC_PICKER_LIST, LB_GETCURSEL, 0, 0);
  if (index < 0) return;
  LaunchRow(state.app, state.commandId, static_cast<std::size_t>(index));
  // Control read now, as the launch ends: held, the picker closes.
  if (GetKeyState(VK_CONTROL) < 0) EndModalDialog(dialog, IDOK);
}

BOOL OnCommand(HWND dialog, FixedListState& state, int id, int) {
  switch (id) {
    case IDOK:
      OnOk(dialog, state);
      return TRUE;
    case IDCANCEL:
      EndModalDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;  // list notifications, a double click among them, do nothing
  }
}

constexpr DialogHandlers<FixedListState> kFixedListDialog{OnInit, OnCommand};

}  // namespace

void CmdFixedList(AppState& app, const CommandContext& command) {
  const char* dialogName = FixedListDialogName(command.id);
  if (dialogName == nullptr) return;
  SetForegroundWindow(app.mainWindow);
  FixedListState state{app, command.id};
  RunModalDialog(app.instance, dialogName, app.mainWindow, &app.openDialog, kFixedListDialog, state);
}
