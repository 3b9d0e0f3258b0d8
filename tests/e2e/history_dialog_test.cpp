// The history dialog: opening on an empty or filled history, deleting lines,
// running a line, Shift+Enter with the browser choice, and clearing all.
#include "record_scenario.h"

using namespace e2e;
using namespace records_e2e;

namespace {

constexpr wchar_t kTitle[] = L"履歴一覧";
constexpr wchar_t kClearQuestion[] = L"全てのファイル履歴を削除してもよろしいですか？";

std::wstring Line(const Entry& entry) { return entry.name + L" - " + entry.path; }

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

}  // namespace

class HistoryScenario : public RecordDialogScenario {
 protected:
  HistoryScenario() : RecordDialogScenario(IDM_HISTORY, kTitle, HistoryFile()) {}
};

TEST_F(HistoryScenario, AnEmptyHistoryDisablesOkAndClearAllAndIgnoresItsKeys) {
  Start();
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(ReadList(list_).items.empty());
  EXPECT_FALSE(Enabled(dialog, IDOK));
  EXPECT_FALSE(Enabled(dialog, IDC_HISTORY_CLEAR));
  EXPECT_TRUE(Enabled(dialog, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == list_; }));

  PressKeys({VK_DELETE});
  PressKeys({VK_RETURN});
  ASSERT_TRUE(KeysHandled(dialog));
  EXPECT_TRUE(IsVisible(dialog));
  EXPECT_EQ(CountSaid(kDeleted), 0);
  EXPECT_TRUE(Launches().empty());
  EXPECT_FALSE(FileExists(HistoryFile())) << "a launch was recorded";

  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(WaitForDialogGone(dialog));
}

TEST_F(HistoryScenario, DeleteRemovesTheSelectedLineFromListAndFile) {
  std::vector<Entry> entries = UrlEntries(3, L"履歴");
  entries[1] = {L"mailto:friend@example.com", L"友人"};
  HWND dialog = StartWith(entries);
  ASSERT_NE(dialog, nullptr);
  ListState state = ReadList(list_);
  EXPECT_EQ(state.items, (std::vector<std::wstring>{Line(entries[0]), L"友人 - friend@example.com", Line(entries[2])}));
  EXPECT_EQ(state.selection, 0);
  EXPECT_TRUE(Enabled(dialog, IDOK));
  EXPECT_TRUE(Enabled(dialog, IDC_HISTORY_CLEAR));

  // Left and Right never move the selection here.
  PressKeys({VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(list_).selection == 1; }));
  PressKeys({VK_RIGHT});
  PressKeys({VK_LEFT});
  PressKeys({VK_RIGHT});
  ASSERT_TRUE(KeysHandled(dialog));
  EXPECT_EQ(ReadList(list_).selection, 1);

  // The last of three: the new last line is selected.
  PressKeys({VK_END});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(list_).selection == 2; }));
  PressKeys({VK_DELETE});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(list_).items.size() == 2; }));
  EXPECT_EQ(ReadList(list_).selection, 1);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {entries[0], entries[1]}));
  EXPECT_TRUE(WaitUntil([] { return CountSpoken(kDeleted) == 1; }));

  // The first of two: the selection stays on line 0.
  PressKeys({VK_HOME});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(list_).selection == 0; }));
  PressKeys({VK_DELETE});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(list_).items.size() == 1; }));
  EXPECT_EQ(ReadList(list_).items[0], L"友人 - friend@example.com");
  EXPECT_EQ(ReadList(list_).selection, 0);
  EXPECT_TRUE(Enabled(dialog, IDOK));

  // The only line: the buttons go grey, and the confirmation comes 100 ms later.
  PressKeys({VK_DELETE});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(list_).items.empty(); }));
  EXPECT_FALSE(Enabled(dialog, IDOK));
  EXPECT_FALSE(Enabled(dialog, IDC_HISTORY_CLEAR));
  EXPECT_EQ(FocusOf(dialog), list_);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {}));
  ASSERT_TRUE(WaitUntil([] { return CountSpoken(kDeleted) == 3; }));
  EXPECT_GE(SpeechDelay(kDeleted, 2), 90.0);
}

TEST_F(HistoryScenario, RunningLineFiveClosesTheDialogAndMovesItToTheTop) {
  std::vector<Entry> entries = UrlEntries(7, L"履歴");
  HWND dialog = StartWith(entries);
  ASSERT_NE(dialog, nullptr);
  SendMessageW(list_, LB_SETCURSEL, 5, 0);
  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitForDialogGone(dialog));
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], entries[5].path, true)) << ToSjis(Launches()[0]);

  std::vector<Entry> expected = {entries[5], entries[0], entries[1], entries[2], entries[3], entries[4], entries[6]};
  EXPECT_TRUE(WaitForLog(HistoryFile(), expected));
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  std::vector<std::wstring> lines;
  for (const Entry& entry : expected) lines.push_back(Line(entry));
  EXPECT_EQ(ReadList(list_).items, lines);

  // Running line 0 leaves the order as it is.
  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitForDialogGone(dialog));
  ASSERT_TRUE(WaitForLaunches(2));
  EXPECT_TRUE(WaitForLog(HistoryFile(), expected));
}

TEST_F(HistoryScenario, ShiftEnterOnAUrlCancelledKeepsTheDialogAndTheHistory) {
  BrowserCopies browsers;
  std::vector<Entry> entries = UrlEntries(3, L"履歴");
  PlantLog(HistoryFile(), entries);
  std::string before = ReadFileBytes(HistoryFile());
  Start();
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  SendMessageW(list_, LB_SETCURSEL, 2, 0);

  PressKeys({VK_SHIFT, VK_RETURN});
  HWND browser = WaitForDialog(kBrowserTitle);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(GetWindow(browser, GW_OWNER), dialog);
  ClickButton(browser, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(browser));
  WaitForIdle();
  EXPECT_TRUE(IsVisible(dialog));
  EXPECT_EQ(ReadList(list_).selection, 2);
  EXPECT_TRUE(Launches().empty());
  EXPECT_EQ(ReadFileBytes(HistoryFile()), before);

  // Firefox this time: the dialog closes, the URL goes to Firefox and to the top.
  ASSERT_TRUE(BringToFront(dialog));
  PressKeys({VK_SHIFT, VK_RETURN});
  browser = WaitForDialog(kBrowserTitle);
  ASSERT_NE(browser, nullptr);
  SendMessageW(GetDlgItem(browser, IDC_BROWSER_COMBO), CB_SETCURSEL, 1, 0);
  ClickButton(browser, IDOK);
  EXPECT_TRUE(WaitForDialogGone(dialog));
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"\\browsers\\Firefox.exe", true)) << ToSjis(Launches()[0]);
  EXPECT_TRUE(Contains(Launches()[0], entries[2].path, true));
  EXPECT_TRUE(WaitForLog(HistoryFile(), {entries[2], entries[0], entries[1]}));
}

TEST_F(HistoryScenario, ClearAllAsksFirstAndNoChangesNothing) {
  PlantLog(HistoryFile(), UrlEntries(3, L"履歴"));
  std::string before = ReadFileBytes(HistoryFile());
  Start();
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  std::vector<std::wstring> lines = ReadList(list_).items;
  ASSERT_EQ(lines.size(), 3u);

  ClickButton(dialog, IDC_HISTORY_CLEAR);
  ASSERT_TRUE(ExpectMessageBox(kDeleteCaption, kClearQuestion, IDNO));
  EXPECT_EQ(ReadList(list_).items, lines);
  EXPECT_TRUE(Enabled(dialog, IDOK));
  // Written back after No, byte for byte as it was.
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(HistoryFile()) == before; }));
  EXPECT_EQ(CountSpoken(kDeleted), 0);

  ClickButton(dialog, IDC_HISTORY_CLEAR);
  ASSERT_TRUE(ExpectMessageBox(kDeleteCaption, kClearQuestion, IDYES));
  EXPECT_TRUE(WaitUntil([&] { return ReadList(list_).items.empty(); }));
  EXPECT_FALSE(Enabled(dialog, IDOK));
  EXPECT_FALSE(Enabled(dialog, IDC_HISTORY_CLEAR));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == list_; }));
  EXPECT_TRUE(WaitUntil([] { return CountSpoken(kDeleted) == 1; }));
  EXPECT_TRUE(WaitUntil([] { return ReadFileBytes(HistoryFile()) == LogBytes({}); }));

  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(dialog));
}
