#include "pickers/running_apps_win.h"


#include "pickers/picker_texts.h"
#include "platform/key_filter_win.h"
#include "platform/modal_dialog_win.h"
#include "platform/sjis.h"
#include "platform/window_front_win.h"
#include "records/launch_win.h"
#include "resources/resource.h"

namespace {

struct Collector {
  HWND skip;
  std::vector<RunningWindow> windows;
};

// The title as the window reports it, cut on a character boundary.
std::string TitleOf(HWND window) {
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string title(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(window, title.data(), length + 1);
  if (copied <= 0) return {};
  title.resize(static_cast<std::size_t>(copied));
  return SjisCut(title, kWindowTitleBytes);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
  auto& collector = *reinterpret_cast<Collector*>(lParam);
  if (window == collector.skip) return TRUE;
  // Pop-ups are dialogs, menus and tool tips: never something to switch to.
  auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  if (!IsWindowVisible(window) || (style & WS_POPUP) != 0) return TRUE;
  std::string title = TitleOf(window);
  if (title.empty()) return TRUE;
  collector.windows.push_back({window, std::move(title)});
  return collector.windows.size() < kMaxRunningWindows;
}

struct RunningAppsState {
  HWND mainWindow;  // never listed
  std::vector<RunningWindow> windows;  // line i of the list is windows[i]
  HWND chosen = nullptr;               // set by OK
};

BOOL OnInit(HWND dialog, RunningAppsState& state) {
  HWND list = GetDlgItem(dialog, IDC_PICKER_LIST);
  InstallKeyFilter(list);
  state.windows = CollectRunningWindows(state.mainWindow);
  for (std::size_t i = 0; i < state.windows.size(); ++i) {
    SendMessageA(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(state.windows[i].title.c_str()));
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  return TRUE;
}

BOOL OnCommand(HWND dialog, RunningAppsState& state, int id, int) {
  if (id == IDOK) {
    auto index = SendDlgItemMessageA(dialog, IDC_PICKER_LIST, LB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<std::size_t>(index) < state.windows.size()) {
      state.chosen = state.windows[static_cast<std::size_t>(index)].window;
    }
    EndModalDialog(dialog, IDOK);
    return TRUE;
  }
  return FALSE;
}

constexpr DialogHandlers<RunningAppsState> kRunningAppsDialog{OnInit, OnCommand};

}  // namespace

std::vector<RunningWindow> CollectRunningWindows(HWND skip) {
  Collector collector{skip, {}};
  collector.windows.reserve(kMaxRunningWindows);
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&collector));
  return std::move(collector.windows);
}

void RunRunningAppsDialog(const DialogOwner& owner) {
  RunningAppsState state{owner.window, {}, nullptr};
  INT_PTR result = RunModalDialog(owner, "WindowDialog", kRunningAppsDialog, state);
  // Brought forward only once the picker is gone: its owner is activated
  // when it closes, and would otherwise take the front back. A window closed
  // since the list was built is left alone.
  if (result != IDOK || state.chosen == nullptr || !IsWindow(state.chosen)) return;
  BringWindowForward(state.chosen);
}

void OpenTaskManager(HWND owner) {
  ShellOpen(owner, nullptr, kTaskManagerCommand);  // from the system folder, never beside our data
}
