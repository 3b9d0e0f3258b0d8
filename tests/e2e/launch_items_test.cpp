// Enter and Shift+Enter on the main lists: what the shell was asked to open,
// seen through the launch recorder, and what the history then holds.
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
  HWND combo = GetDlgItem(dialog, 101);
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
