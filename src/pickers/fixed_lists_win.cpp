// The five fixed-list pickers (IDM_FIXED_MAKER..IDM_FIXED_FOLDERS). Enter launches the
// selected row and keeps the picker open on the same row; Control+Enter
// launches and closes it. Every launch goes into the history.
#include "pickers/fixed_lists_win.h"

#include "pickers/fixed_lists.h"
#include "platform/files_win.h"
#include "platform/modal_dialog_win.h"
#include "records/launch_win.h"
#include "resources/resource.h"

namespace {

struct FixedListState {
  HWND mainWindow;  // owns the shell's own boxes
  const Voice& voice;
  const std::string& dataFolder;
  RecordLog& history;
  int commandId;  // IDM_FIXED_MAKER..IDM_FIXED_FOLDERS: which table
};

void LaunchRow(FixedListState& state, std::size_t row) {
  FixedLaunch launch = ResolveFixedLaunch(state.commandId, row, FileExists);
  // Windows' own programs are named bare ("notepad", "timedate.cpl"): Launch
  // finds them in the system folder. A target that does not start is
  // recorded like any other attempt.
  Launch(state.mainWindow, state.voice, state.dataFolder, state.history, launch.target, launch.name);
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
  LaunchRow(state, static_cast<std::size_t>(index));
  // Control read now, as the launch ends: held, the picker closes.
  if (GetKeyState(VK_CONTROL) < 0) EndModalDialog(dialog, IDOK);
}

BOOL OnCommand(HWND dialog, FixedListState& state, int id, int) {
  switch (id) {
    case IDOK:
      OnOk(dialog, state);
      return TRUE;
    default:
      return FALSE;  // list notifications, a double click among them, do nothing
  }
}

constexpr DialogHandlers<FixedListState> kFixedListDialog{OnInit, OnCommand};

}  // namespace

void LaunchFixedListRow(HWND owner, const Voice& voice, const std::string& dataFolder, RecordLog& history,
                        int commandId, std::size_t row) {
  FixedListState state{owner, voice, dataFolder, history, commandId};
  LaunchRow(state, row);
}

void RunFixedListDialog(const DialogOwner& owner, const Voice& voice, int commandId, const std::string& dataFolder,
                        RecordLog& history) {
  const char* dialogName = FixedListDialogName(commandId);
  if (dialogName == nullptr) return;
  FixedListState state{owner.window, voice, dataFolder, history, commandId};
  RunModalDialog(owner, dialogName, kFixedListDialog, state);
}
