// Enter and Shift+Enter on the main lists: what the shell was asked to open,
// seen through the launch recorder, and what the history then holds.
#include <shlobj.h>

#include <tuple>

#include "record_scenario.h"

using namespace e2e;
using namespace records_e2e;

namespace {

constexpr int kPrograms = 0, kFiles = 1, kUrls = 2, kMail = 3;
const std::wstring kUrl = L"https://www.example.com/検索?q=ソフト";

}  // namespace

class LaunchScenario : public RecordScenario {};

TEST_F(LaunchScenario, EnterOpensEachKindOfItemAndRecordsIt) {
  PlantProgram(L"記録ソフト", L"from-the-shortcut");
  PlantItem(ItemKind::kUrl, L"検索", kUrl);
  PlantItem(ItemKind::kMail, L"友人", L"mailto:friend@example.com");
  Start();

  // The item file itself, named from the data folder as the program set it.
  const Entry program{L"c:\\ProgramData\\Velmora\\Hopdeck\\Lnk\\記録ソフト.lnk", L"記録ソフト"};
  const Entry url{kUrl, L"検索"};
  const Entry mail{L"mailto:friend@example.com", L"友人"};

  EXPECT_TRUE(ShowList(kPrograms));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"from-the-shortcut", true)) << ToSjis(Launches()[0]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {program}));

  EXPECT_TRUE(ShowList(kUrls));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(2));
  EXPECT_TRUE(Contains(Launches()[1], kUrl, true)) << ToSjis(Launches()[1]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {url, program}));

  EXPECT_TRUE(ShowList(kMail));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(3));
  EXPECT_TRUE(Contains(Launches()[2], L"mailto:friend@example.com", true)) << ToSjis(Launches()[2]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {mail, url, program}));
  EXPECT_TRUE(IsVisible(MainWindow())) << "a launch never hides the main window";
}

TEST_F(LaunchScenario, ShiftEnterOnAUrlStartsTheChosenBrowserWithTheUrl) {
  BrowserCopies browsers;
  // A space must not split the URL into two of the browser's arguments.
  const std::wstring kUrl = L"https://www.example.com/検索?q=ソフト 2";
  PlantItem(ItemKind::kUrl, L"検索", kUrl);
  Start();
  EXPECT_TRUE(ShowList(kUrls));

  // Google Chrome.
  PressKeys({VK_SHIFT, VK_RETURN});
  HWND dialog = WaitForDialog(kBrowserTitle);
  ASSERT_NE(dialog, nullptr);
  HWND combo = GetDlgItem(dialog, IDC_BROWSER_COMBO);
  EXPECT_EQ(ComboItems(combo), (std::vector<std::wstring>{L"Microsoft Edge", L"Firefox", L"Google Chrome"}));
  EXPECT_EQ(ComboSelection(combo), 0);
  SendMessageW(combo, CB_SETCURSEL, 2, 0);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"\\browsers\\Chrome.exe", true)) << ToSjis(Launches()[0]);
  EXPECT_TRUE(Contains(Launches()[0], L"\"" + kUrl + L"\"", true)) << ToSjis(Launches()[0]);

  // The first entry left selected: msedge.
  EXPECT_TRUE(ShowList(kUrls));
  PressKeys({VK_SHIFT, VK_RETURN});
  dialog = WaitForDialog(kBrowserTitle);
  ASSERT_NE(dialog, nullptr);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForLaunches(2));
  EXPECT_TRUE(Contains(Launches()[1], L"\\browsers\\msedge.exe", true)) << ToSjis(Launches()[1]);
  EXPECT_TRUE(Contains(Launches()[1], kUrl, true));

  // Recorded with the URL, not the browser, and once. The launch is recorded
  // before the handler of Shift+Enter returns, and so before a later key shows a list.
  EXPECT_TRUE(ShowList(kMail));
  EXPECT_TRUE(WaitForLog(HistoryFile(), {{kUrl, L"検索"}}));
}

TEST_F(LaunchScenario, CancellingTheBrowserChoiceOpensAndRecordsNothing) {
  PlantItem(ItemKind::kUrl, L"検索", kUrl);
  Start();
  EXPECT_TRUE(ShowList(kUrls));
  for (int way = 0; way < 2; ++way) {
    PressKeys({VK_SHIFT, VK_RETURN});
    HWND dialog = WaitForDialog(kBrowserTitle);
    ASSERT_NE(dialog, nullptr);
    if (way == 0) {
      ClickButton(dialog, IDCANCEL);
    } else {
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
    ASSERT_TRUE(WaitForDialogGone(dialog));
  }
  // A launch would be recorded before the handler of Shift+Enter returns, and
  // so before a later key shows a list.
  EXPECT_TRUE(ShowList(kMail));
  EXPECT_TRUE(Launches().empty());
  EXPECT_FALSE(FileExists(HistoryFile()));
}

TEST_F(LaunchScenario, ShiftEnterOnAMailItemActsAsEnter) {
  PlantItem(ItemKind::kMail, L"友人", L"mailto:friend@example.com");
  Start();
  EXPECT_TRUE(ShowList(kMail));
  PressKeys({VK_SHIFT, VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_EQ(FindDialog(kBrowserTitle), nullptr);
  EXPECT_TRUE(Contains(Launches()[0], L"mailto:friend@example.com", true));
  EXPECT_TRUE(WaitForLog(HistoryFile(), {{L"mailto:friend@example.com", L"友人"}}));
}

TEST_F(LaunchScenario, NothingHappensOnAnEmptyListOrAnItemWithoutItsUrl) {
  PlantItem(ItemKind::kUrl, L"壊れた", L"");
  PlantItem(ItemKind::kMail, L"宛先なし", L"");
  Start();

  // The files list is empty.
  BringToFront(MainWindow());
  PressKeys({VK_CONTROL, '2'});
  ASSERT_TRUE(WaitUntil([] { return ReadList(ListBox(kFiles)).focused; }));
  PressKeys({VK_RETURN});
  PressKeys({VK_SHIFT, VK_RETURN});

  // Items that lost their URL or address: nothing to open, nothing to record.
  EXPECT_TRUE(ShowList(kUrls));
  PressKeys({VK_RETURN});
  EXPECT_TRUE(ShowList(kMail));
  PressKeys({VK_RETURN});
  EXPECT_TRUE(ShowList(kFiles));  // handled after Enter, as a launch would be recorded
  EXPECT_TRUE(Launches().empty());
  EXPECT_EQ(FindDialog(kBrowserTitle), nullptr);
  EXPECT_FALSE(FileExists(HistoryFile()));
  // Only the lists' names were spoken.
  for (const std::wstring& text : SpokenTexts()) {
    EXPECT_TRUE(text == L"ファイル一覧" || text == L"URL一覧" || text == L"メールアドレス一覧") << ToSjis(text);
  }
  EXPECT_FALSE(SpokenTexts().empty()) << "the speech double heard nothing at all";
}

// Recorders planted in the data folder, which every account may write, under
// the names of Windows' own programs, a browser and a control-panel item:
// none of them runs. The real ones, which the test prefix routes to
// recorders (system32's taskmgr.exe and control.exe, App Paths for msedge),
// do, and none starts in the data folder.
TEST_F(LaunchScenario, NothingPlantedInTheDataFolderRuns) {
  CreateDirectoryW(L"C:\\ProgramData\\Velmora", nullptr);
  CreateDirectoryW(kDataFolder, nullptr);
  for (const wchar_t* name : {L"taskmgr.exe", L"msedge.exe", L"msedge", L"control.exe", L"timedate.cpl"}) {
    ASSERT_TRUE(CopyFileW(L"C:\\hdtest\\recorder.exe", (std::wstring(kDataFolder) + L"\\" + name).c_str(), FALSE));
  }
  PlantItem(ItemKind::kUrl, L"検索", kUrl);
  Start();

  PostCommand(IDM_TASK_MANAGER);
  ASSERT_TRUE(WaitForLaunches(1));
  // Row 0 of the utilities is "msedge", row 9 of the control panel "timedate.cpl".
  for (auto [command, title, row] : {std::tuple{IDM_FIXED_UTILITIES, L"Windowsユーティリティ", 0},
                                     std::tuple{IDM_FIXED_CONTROL_PANEL, L"Windows設定項目", 9}}) {
    HWND dialog = OpenDialog(command, title);
    ASSERT_NE(dialog, nullptr) << command;
    std::size_t before = Launches().size();
    SendMessageW(GetDlgItem(dialog, IDC_PICKER_LIST), LB_SETCURSEL, row, 0);
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitForLaunches(before + 1)) << command;
    ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitForDialogGone(dialog));
  }
  EXPECT_TRUE(ShowList(kUrls));
  PressKeys({VK_SHIFT, VK_RETURN});
  HWND dialog = WaitForDialog(kBrowserTitle);
  ASSERT_NE(dialog, nullptr);
  ClickButton(dialog, IDOK);  // Microsoft Edge
  ASSERT_TRUE(WaitForLaunches(4));

  std::vector<LaunchRecord> launches = LaunchRecords();
  ASSERT_EQ(launches.size(), 4u);
  EXPECT_TRUE(Contains(launches[0].commandLine, L"\\system32\\taskmgr.exe", true)) << ToSjis(launches[0].commandLine);
  EXPECT_TRUE(Contains(launches[1].commandLine, L"C:\\hdtest\\recorder.exe", true)) << ToSjis(launches[1].commandLine);
  EXPECT_TRUE(Contains(launches[2].commandLine, L"\\system32\\control.exe", true)) << ToSjis(launches[2].commandLine);
  EXPECT_TRUE(Contains(launches[2].commandLine, L" timedate.cpl", true)) << ToSjis(launches[2].commandLine);
  EXPECT_TRUE(Contains(launches[3].commandLine, L"C:\\hdtest\\recorder.exe\" \"" + kUrl + L"\"", true))
      << ToSjis(launches[3].commandLine);
  wchar_t profile[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile)));
  for (const LaunchRecord& launch : launches) {
    EXPECT_FALSE(Contains(launch.commandLine, L"ProgramData", true)) << ToSjis(launch.commandLine);
    // A bare name has no folder of its own: it starts in the user's profile.
    EXPECT_EQ(lstrcmpiW(launch.directory.c_str(), profile), 0) << ToSjis(launch.directory);
  }
}

// A URL item whose URL is a program path, and a mail item whose address is
// one: refused and said so, and nothing runs or is recorded.
TEST_F(LaunchScenario, AUrlOrAddressThatIsNoneIsRefused) {
  const std::wstring kRefused = L"このURLは開けません";
  PlantItem(ItemKind::kUrl, L"偽URL", L"C:\\hdtest\\recorder.exe");
  PlantItem(ItemKind::kMail, L"偽メール", L"C:\\hdtest\\recorder.exe");
  Start();

  EXPECT_TRUE(ShowList(kUrls));
  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitUntil([&] { return CountSpoken(kRefused) == 1; }));
  PressKeys({VK_SHIFT, VK_RETURN});  // refused before any browser is offered
  EXPECT_TRUE(WaitUntil([&] { return CountSpoken(kRefused) == 2; }));
  EXPECT_EQ(FindDialog(kBrowserTitle), nullptr);
  EXPECT_TRUE(ShowList(kMail));
  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitUntil([&] { return CountSpoken(kRefused) == 3; }));
  EXPECT_LT(SpeechDelay(kRefused, 0), 90.0) << "said at once";

  EXPECT_TRUE(ShowList(kUrls));  // handled after the last Enter, as a launch would be recorded
  EXPECT_TRUE(Launches().empty());
  EXPECT_FALSE(FileExists(HistoryFile()));
}
