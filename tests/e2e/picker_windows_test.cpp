// The running-applications picker and the task manager, driven as a user
// does: windows of this test stand in for the user's applications.
#include "harness/harness.h"

#include <memory>

using namespace e2e;

namespace {

constexpr wchar_t kPickerTitle[] = L"起動中のアプリケーション";

struct Spec {
  std::wstring title;
  DWORD style;
};

// Windows with these titles and styles, on a thread that answers for them.
class TestWindows : public WindowThread {
 public:
  explicit TestWindows(std::vector<Spec> specs)
      : WindowThread([specs = std::move(specs)] {
          std::vector<HWND> windows;
          for (const Spec& spec : specs) {
            windows.push_back(CreateWindowExW(0, L"STATIC", spec.title.c_str(), spec.style, 10, 10, 200, 60, nullptr,
                                              nullptr, GetModuleHandleW(nullptr), nullptr));
          }
          return windows;
        }) {}
};

HWND OpenPicker() {
  PostCommand(IDM_RUNNING_APPS);
  return WaitForDialog(kPickerTitle);
}

// The titles the picker should show, read the same way from this side:
// front to back, visible, no pop-up bit, titled, not Hopdeck's main window.
std::vector<std::wstring> EligibleTitles(HWND skip) {
  struct Walk {
    HWND skip;
    std::vector<std::wstring> titles;
  } walk{skip, {}};
  EnumWindows(
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto& w = *reinterpret_cast<Walk*>(data);
        if (window == w.skip || !IsWindowVisible(window)) return TRUE;
        if (static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & WS_POPUP) return TRUE;
        std::wstring title = WindowText(window);
        if (!title.empty()) w.titles.push_back(title);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
  return walk.titles;
}

// Visible dialogs of the Hopdeck process, whatever their title.
int HopdeckDialogCount(DWORD processId) {
  struct Count {
    DWORD process;
    int dialogs;
  } count{processId, 0};
  EnumWindows(
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto& c = *reinterpret_cast<Count*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (owner == c.process && IsWindowVisible(window) && lstrcmpW(className, L"#32770") == 0) ++c.dialogs;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.dialogs;
}

}  // namespace

class RunningAppsScenario : public Scenario {};

TEST_F(RunningAppsScenario, ListsOnlyEligibleWindowsAndRestoresTheMinimisedOneChosen) {
  TestWindows windows({
      {L"hd-e2e-normal", WS_OVERLAPPEDWINDOW | WS_VISIBLE},
      {L"hd-e2e-tool", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE},
      {L"hd-e2e-minimised", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE},
      {L"hd-e2e-hidden", WS_OVERLAPPEDWINDOW},
      {L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE},
  });
  ASSERT_EQ(windows.size(), 5u);
  HWND minimisedWindow = windows[2];
  ASSERT_TRUE(IsIconic(minimisedWindow));
  Start();

  HWND picker = OpenPicker();
  ASSERT_NE(picker, nullptr);
  HWND list = GetDlgItem(picker, IDC_PICKER_LIST);
  ListState shown = ReadList(list);
  EXPECT_NE(shown.IndexOf(L"hd-e2e-normal"), -1);
  EXPECT_NE(shown.IndexOf(L"hd-e2e-tool"), -1);
  int minimised = shown.IndexOf(L"hd-e2e-minimised");
  ASSERT_NE(minimised, -1);
  EXPECT_EQ(shown.IndexOf(L"hd-e2e-hidden"), -1);
  EXPECT_EQ(shown.IndexOf(L""), -1) << "an untitled window was listed";
  EXPECT_EQ(shown.IndexOf(L"Hopdeck"), -1) << "the main window was listed";
  EXPECT_EQ(shown.items, EligibleTitles(MainWindow()));
  EXPECT_EQ(shown.selection, 0);

  // Left and Right do not move the selection; Down does.
  ASSERT_TRUE(BringToFront(picker));
  ASSERT_GE(shown.items.size(), 3u);
  EXPECT_TRUE(OnlyDownMovesTheSelection(list));

  SendMessageW(list, LB_SETCURSEL, minimised, 0);
  ClickButton(picker, IDOK);
  EXPECT_TRUE(WaitForDialogGone(picker));
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(minimisedWindow); })) << "the chosen window stayed minimised";
  EXPECT_TRUE(WaitUntil([&] { return Foreground() == minimisedWindow; }));
}

TEST_F(RunningAppsScenario, ChoosingAWindowInFrontBringsItForwardAndCancelLeavesAllAlone) {
  TestWindows windows({{L"hd-e2e-back", WS_OVERLAPPEDWINDOW | WS_VISIBLE}});
  Start();

  HWND picker = OpenPicker();
  ASSERT_NE(picker, nullptr);
  ClickButton(picker, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(picker));
  EXPECT_NE(Foreground(), windows[0]);

  picker = OpenPicker();
  ASSERT_NE(picker, nullptr);
  HWND list = GetDlgItem(picker, IDC_PICKER_LIST);
  int index = ReadList(list).IndexOf(L"hd-e2e-back");
  ASSERT_NE(index, -1);
  SendMessageW(list, LB_SETCURSEL, index, 0);
  ClickButton(picker, IDOK);
  EXPECT_TRUE(WaitForDialogGone(picker));
  EXPECT_TRUE(WaitUntil([&] { return Foreground() == windows[0]; })) << "the chosen window was not brought forward";
}

TEST_F(RunningAppsScenario, ListsTheFirstThirtyOfMoreEligibleWindows) {
  std::vector<Spec> specs;
  for (int i = 0; i < 35; ++i) specs.push_back({L"hd-e2e-many-" + std::to_wstring(i), WS_OVERLAPPEDWINDOW | WS_VISIBLE});
  TestWindows windows(std::move(specs));
  Start();

  HWND picker = OpenPicker();
  ASSERT_NE(picker, nullptr);
  ListState shown = ReadList(GetDlgItem(picker, IDC_PICKER_LIST));
  std::vector<std::wstring> eligible = EligibleTitles(MainWindow());
  ASSERT_GT(eligible.size(), 30u);
  eligible.resize(30);
  EXPECT_EQ(shown.items, eligible);
  ClickButton(picker, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(picker));
}

TEST_F(RunningAppsScenario, ControlF6StartsTheTaskManagerWithoutADialog) {
  Start();
  ASSERT_TRUE(BringToFront(MainWindow()));
  PressKeys({VK_CONTROL, VK_F6});
  ASSERT_TRUE(WaitForLaunches(1));
  std::wstring commandLine = Launches().front();
  CharLowerW(commandLine.data());
  EXPECT_NE(commandLine.find(L"taskmgr"), std::wstring::npos) << ToSjis(commandLine);
  EXPECT_EQ(HopdeckDialogCount(hopdeck_.id()), 0);
}
