// Enter and Shift+Enter on the main lists: what the shell was asked to open,
// seen through the launch recorder, and what the history then holds.
#include "record_scenario.h"

using namespace e2e;
using namespace records_e2e;

namespace {

constexpr int kPrograms = 0, kFiles = 1, kUrls = 2, kMail = 3;
constexpr wchar_t kBrowserTitle[] = L"ブラウザ選択";
const std::wstring kUrl = L"https://www.example.com/検索?q=ソフト";

}  // namespace

class LaunchScenario : public RecordScenario {};

TEST_F(LaunchScenario, EnterOpensEachKindOfItemAndRecordsIt) {
  PlantProgram(L"記録ソフト", L"from-the-shortcut");
  PlantUrl(L"検索", kUrl);
  PlantMail(L"友人", L"mailto:friend@example.com");
  Start();

  // The item file itself, named from the data folder as the program set it.
  const Entry program{L"c:\\ProgramData\\Velmora\\Hopdeck\\Lnk\\記録ソフト.lnk", L"記録ソフト"};
  const Entry url{kUrl, L"検索"};
  const Entry mail{L"mailto:friend@example.com", L"友人"};

  ShowList(kPrograms);
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"from-the-shortcut")) << ToSjis(Launches()[0]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {program}));

  ShowList(kUrls);
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(2));
  EXPECT_TRUE(Contains(Launches()[1], kUrl)) << ToSjis(Launches()[1]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {url, program}));

  ShowList(kMail);
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(3));
  EXPECT_TRUE(Contains(Launches()[2], L"mailto:friend@example.com")) << ToSjis(Launches()[2]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {mail, url, program}));
  EXPECT_TRUE(IsVisible(MainWindow())) << "a launch never hides the main window";
}

TEST_F(LaunchScenario, ShiftEnterOnAUrlStartsTheChosenBrowserWithTheUrl) {
  BrowserCopies browsers;
  // A space must not split the URL into two of the browser's arguments.
  const std::wstring kUrl = L"https://www.example.com/検索?q=ソフト 2";
  PlantUrl(L"検索", kUrl);
  Start();
  ShowList(kUrls);

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
  EXPECT_TRUE(Contains(Launches()[0], L"\\browsers\\Chrome.exe")) << ToSjis(Launches()[0]);
  EXPECT_TRUE(Contains(Launches()[0], L"\"" + kUrl + L"\"")) << ToSjis(Launches()[0]);

  // The first entry left selected: msedge.
  ShowList(kUrls);
  PressKeys({VK_SHIFT, VK_RETURN});
  dialog = WaitForDialog(kBrowserTitle);
  ASSERT_NE(dialog, nullptr);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForLaunches(2));
  EXPECT_TRUE(Contains(Launches()[1], L"\\browsers\\msedge.exe")) << ToSjis(Launches()[1]);
  EXPECT_TRUE(Contains(Launches()[1], kUrl));

  // Recorded with the URL, not the browser, and once.
  Sleep(500);  // the second launch is recorded after the shell returns
  EXPECT_TRUE(WaitForLog(HistoryFile(), {{kUrl, L"検索"}}));
}

TEST_F(LaunchScenario, CancellingTheBrowserChoiceOpensAndRecordsNothing) {
  PlantUrl(L"検索", kUrl);
  Start();
  ShowList(kUrls);
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
  Sleep(1000);
  EXPECT_TRUE(Launches().empty());
  EXPECT_FALSE(FileExists(HistoryFile()));
}

TEST_F(LaunchScenario, ShiftEnterOnAMailItemActsAsEnter) {
  PlantMail(L"友人", L"mailto:friend@example.com");
  Start();
  ShowList(kMail);
  PressKeys({VK_SHIFT, VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_EQ(FindDialog(kBrowserTitle), nullptr);
  EXPECT_TRUE(Contains(Launches()[0], L"mailto:friend@example.com"));
  EXPECT_TRUE(WaitForLog(HistoryFile(), {{L"mailto:friend@example.com", L"友人"}}));
}

TEST_F(LaunchScenario, NothingHappensOnAnEmptyListOrAnItemWithoutItsUrl) {
  PlantUrl(L"壊れた", L"");
  PlantMail(L"宛先なし", L"");
  Start();

  // The files list is empty.
  BringToFront(MainWindow());
  PressKeys({VK_CONTROL, '2'});
  ASSERT_TRUE(WaitUntil([] { return ReadList(ListBox(kFiles)).focused; }));
  PressKeys({VK_RETURN});
  PressKeys({VK_SHIFT, VK_RETURN});

  // Items that lost their URL or address: nothing to open, nothing to record.
  ShowList(kUrls);
  PressKeys({VK_RETURN});
  ShowList(kMail);
  PressKeys({VK_RETURN});
  Sleep(1000);
  EXPECT_TRUE(Launches().empty());
  EXPECT_EQ(FindDialog(kBrowserTitle), nullptr);
  EXPECT_FALSE(FileExists(HistoryFile()));
  // Only the lists' names were spoken.
  for (const std::wstring& text : SpokenTexts()) {
    EXPECT_TRUE(text == L"ファイル一覧" || text == L"URL一覧" || text == L"メールアドレス一覧") << ToSjis(text);
  }
  EXPECT_FALSE(SpokenTexts().empty()) << "the speech double heard nothing at all";
}
