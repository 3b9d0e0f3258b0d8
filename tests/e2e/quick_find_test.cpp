// Control+E: one search over all four lists as the user types, its spoken
// count, the keys between the term and the results, and running a match.
#include <shlobj.h>

#include "item_scenario.h"
#include "record_scenario.h"

using namespace e2e;
using namespace records_e2e;

namespace {

constexpr wchar_t kTitle[] = L"すべてのリストから検索";
constexpr int kPrograms = 0, kUrls = 2;

HWND OpenQuickFind(int fromList) {
  EXPECT_TRUE(ShowList(fromList));
  PressKeys({VK_CONTROL, 'E'});
  return WaitForDialog(kTitle);
}

// Types term as the edit receives it and waits for the count it speaks.
bool Search(HWND dialog, const std::wstring& term, const std::wstring& count) {
  std::size_t spoken = SpokenTexts().size();
  SetWindowTextOf(GetDlgItem(dialog, IDC_QUICK_TERM), term);
  return item_e2e::SpokenAfter(spoken, count);
}

}  // namespace

class QuickFindScenario : public RecordScenario {};

TEST_F(QuickFindScenario, TypingNarrowsAndSpeaksTheCountAndEnterRunsTheBestMatchAndRecordsIt) {
  PlantProgram(L"メモ帳", L"from-memo");
  PlantProgram(L"電卓", L"from-calc");
  PlantItem(ItemKind::kUrl, L"めもサイト", L"https://memo.example.jp/");
  PlantItem(ItemKind::kMail, L"友人", L"mailto:memo@example.com");  // only its address holds the term
  Start();
  HWND dialog = OpenQuickFind(kPrograms);
  ASSERT_NE(dialog, nullptr);

  ASSERT_TRUE(Search(dialog, L"zzz", L"見つかりません"));
  std::size_t spoken = SpokenTexts().size();
  PressKeys({VK_DOWN});
  EXPECT_TRUE(item_e2e::SpokenAfter(spoken, L"見つかりません")) << "Down with nothing found says so";
  // The lists come first, then Windows' own rows, within each kind of match.
  ASSERT_TRUE(Search(dialog, L"memo", L"4件"));
  EXPECT_EQ(ReadList(GetDlgItem(dialog, IDC_QUICK_RESULTS)).items,
            (std::vector<std::wstring>{L"メモ帳（プログラム一覧）", L"めもサイト（URL一覧）", L"メモ帳（Windowsユーティリティ）",
                                       L"友人（メールアドレス一覧）"}));
  EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, IDC_QUICK_TERM)) << "the focus stays in the term";

  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitForDialogGone(dialog));
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"from-memo", true)) << ToSjis(Launches()[0]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {Entry{L"c:\\ProgramData\\Velmora\\Hopdeck\\Lnk\\メモ帳.lnk", L"メモ帳"}}));
}

TEST_F(QuickFindScenario, ArrowsMoveBetweenTermAndResultsShiftEnterActsAsItsListAndEscapeGoesBack) {
  BrowserCopies browsers;
  PlantItem(ItemKind::kUrl, L"サンプル", L"https://www.example.com/");
  PlantItem(ItemKind::kUrl, L"サンプル集", L"https://www.example.org/");
  Start();
  HWND dialog = OpenQuickFind(kUrls);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Search(dialog, L"sanpuru", L"2件"));

  HWND term = GetDlgItem(dialog, IDC_QUICK_TERM), results = GetDlgItem(dialog, IDC_QUICK_RESULTS);
  PressKeys({VK_DOWN});
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == results && ReadList(results).selection == 0; }));
  PressKeys({VK_UP});
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == term; })) << "Up on the first result goes back to the term";
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(results).selection == 1; }));

  // Shift+Enter on a URL asks for the browser, as it does in the URL list.
  PressKeys({VK_SHIFT, VK_RETURN});
  EXPECT_TRUE(WaitForDialogGone(dialog));
  HWND browser = WaitForDialog(kBrowserTitle);
  ASSERT_NE(browser, nullptr);
  ClickButton(browser, IDOK);
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"\\browsers\\msedge.exe", true)) << ToSjis(Launches()[0]);
  EXPECT_TRUE(Contains(Launches()[0], L"https://www.example.org/", true)) << ToSjis(Launches()[0]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {Entry{L"https://www.example.org/", L"サンプル集"}}));

  // The term is kept; Escape closes and puts the focus back on the list.
  dialog = OpenQuickFind(kUrls);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_QUICK_TERM)), L"sanpuru");
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(WaitForDialogGone(dialog));
  EXPECT_TRUE(WaitUntil([] { return FocusOf(MainWindow()) == ListBox(kUrls); }));
  EXPECT_EQ(Launches().size(), 1u);
}

// The readings come from the input method's stand-in on a thread of Hopdeck's
// own, so a term typed again finds what was learnt since; the next start
// takes them from the item cache and asks for none.
TEST_F(QuickFindScenario, KanjiNamesAreFoundByTheirReadingsWhichTheNextStartDoesNotAskForAgain) {
  const std::wstring imeLog = L"C:\\hdtest\\ime.log";
  DeleteFileW(imeLog.c_str());
  PlantProgram(L"電卓", L"from-calc");
  PlantProgram(L"議事録メモ", L"from-minutes");
  PlantItem(ItemKind::kUrl, L"天気予報", L"https://tenki.example.jp/");
  Start();
  HWND dialog = OpenQuickFind(kPrograms);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Search(dialog, L"dentaku", L"1件"); }, 20000));
  HWND results = GetDlgItem(dialog, IDC_QUICK_RESULTS);
  const std::vector<std::wstring> calculator{L"電卓（プログラム一覧）"};
  EXPECT_EQ(ReadList(results).items, calculator);
  for (const wchar_t* term : {L"でんたく", L"ｄｅｎｔａｋｕ"}) {
    ASSERT_TRUE(Search(dialog, term, L"1件")) << ToSjis(term);
    EXPECT_EQ(ReadList(results).items, calculator) << ToSjis(term);
  }
  ASSERT_TRUE(Search(dialog, L"gijiroku", L"1件"));
  EXPECT_EQ(ReadList(results).items, std::vector<std::wstring>{L"議事録メモ（プログラム一覧）"});
  ASSERT_TRUE(Search(dialog, L"tenki", L"1件"));
  EXPECT_EQ(ReadList(results).items, std::vector<std::wstring>{L"天気予報（URL一覧）"});

  ASSERT_TRUE(Search(dialog, L"dentaku", L"1件"));
  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitForDialogGone(dialog));
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"from-calc", true)) << ToSjis(Launches()[0]);
  ASSERT_TRUE(Quit().has_value());
  std::wstring asked = FromUtf8(test_support::ReadWholeFile(imeLog));
  for (const wchar_t* name : {L"電卓", L"議事録メモ", L"天気予報"}) {
    EXPECT_TRUE(Contains(asked, std::wstring(L"GetJMorphResult\t") + name + L"\r\n")) << ToSjis(asked);
  }

  DeleteFileW(imeLog.c_str());
  Start();
  dialog = OpenQuickFind(kPrograms);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Search(dialog, L"dentaku", L"1件")) << "known from the start";
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(WaitForDialogGone(dialog));
  ASSERT_TRUE(Quit().has_value());
  EXPECT_FALSE(FileExists(imeLog)) << ToSjis(FromUtf8(test_support::ReadWholeFile(imeLog)));
}

TEST_F(QuickFindScenario, TheHotKeyOpensTheSearchWhichFindsWindowsOwnRowsAndRunsThemAsTheirPicker) {
  e2e::WriteDword(setting_value::kHotKeyScreen, 1);  // "ホットキーで開く画面": "検索"
  Start();
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitUntil([] { return !IsVisible(MainWindow()); }));
  PressKeys({VK_CONTROL, VK_SHIFT, 'M'});
  HWND dialog = WaitForDialog(kTitle);
  ASSERT_NE(dialog, nullptr);
  HWND term = GetDlgItem(dialog, IDC_QUICK_TERM), results = GetDlgItem(dialog, IDC_QUICK_RESULTS);
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == term; })) << "the focus is in the term";

  auto shows = [&](const std::wstring& line) {
    return WaitUntil([&] {
      std::vector<std::wstring> lines = ReadList(results).items;
      return std::find(lines.begin(), lines.end(), line) != lines.end();
    });
  };
  SetWindowTextOf(term, L"電源とスリープ");
  EXPECT_TRUE(shows(L"電源とスリープ（Windows 10 PC設定）"));
  SetWindowTextOf(term, L"microsoft edge");
  ASSERT_TRUE(shows(L"Microsoft Edge（Windowsユーティリティ）"));
  PressKeys({VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == results && ReadList(results).selection == 0; }));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_QUICK_KEEP))) << "a table row cannot be added to a list";

  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitForDialogGone(dialog));
  ASSERT_TRUE(WaitForLaunches(1)) << "msedge did not start";
  EXPECT_TRUE(WaitForLog(HistoryFile(), {Entry{L"msedge", L"Microsoft Edge"}}));
}

namespace {

// Start-menu shortcuts of the scenario's own, made elsewhere and copied into
// place: one saved straight into the Start menu would reach the Linux menus.
class StartMenuSearchScenario : public QuickFindScenario {
 protected:
  void SetUp() override {
    QuickFindScenario::SetUp();
    if (HasFatalFailure()) return;
    RemoveTree(Folder());
    CreateDirectoryW(L"C:\\hdtest\\search", nullptr);
    CreateDirectoryW(Folder().c_str(), nullptr);
  }
  void TearDown() override {
    QuickFindScenario::TearDown();
    RemoveTree(Folder());
  }
  static std::wstring Folder() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\HdFind"; }
  static void PlantLink(const std::wstring& name, const std::wstring& target, const std::wstring& arguments) {
    std::wstring staged = L"C:\\hdtest\\search\\" + name + L".lnk";
    WriteShortcut(staged, target, arguments);
    ASSERT_TRUE(CopyFileW(staged.c_str(), (Folder() + L"\\" + name + L".lnk").c_str(), FALSE));
  }
};

}  // namespace

TEST_F(StartMenuSearchScenario, AStartMenuProgramIsFoundRunRecordedAndAddedAndAnItemShowsOnce) {
  PlantLink(L"Sketchpad", L"C:\\hdtest\\recorder.exe", L"from-sketch");
  PlantLink(L"Notebook", L"C:\\hdtest\\recorder.exe", L"from-notebook");
  PlantProgram(L"Notebook item", L"from-notebook");  // the same target and arguments: an item already
  Start();
  HWND dialog = OpenQuickFind(kPrograms);
  ASSERT_NE(dialog, nullptr);
  HWND results = GetDlgItem(dialog, IDC_QUICK_RESULTS), keep = GetDlgItem(dialog, IDC_QUICK_KEEP);
  ASSERT_TRUE(Search(dialog, L"notebook", L"1件")) << "the item shows, the shortcut does not";
  EXPECT_EQ(ReadList(results).items, (std::vector<std::wstring>{L"Notebook item（プログラム一覧）"}));
  PressKeys({VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == results; }));
  EXPECT_FALSE(IsWindowEnabled(keep)) << "an item cannot be added again";

  ASSERT_TRUE(Search(dialog, L"sketch", L"1件"));
  EXPECT_EQ(ReadList(results).items, (std::vector<std::wstring>{L"Sketchpad（スタートメニュー）"}));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForDialogGone(dialog));
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"from-sketch", true)) << ToSjis(Launches()[0]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {Entry{Folder() + L"\\Sketchpad.lnk", L"Sketchpad"}}));

  // Kept: written into the programs list, and the line becomes the item's.
  dialog = OpenQuickFind(kPrograms);
  ASSERT_NE(dialog, nullptr);
  results = GetDlgItem(dialog, IDC_QUICK_RESULTS);
  keep = GetDlgItem(dialog, IDC_QUICK_KEEP);
  PressKeys({VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == results && IsWindowEnabled(keep); }));
  std::size_t spoken = SpokenTexts().size();
  PostMessageW(keep, BM_CLICK, 0, 0);
  EXPECT_TRUE(item_e2e::SpokenAfter(spoken, L"1件の項目を追加しました"));
  EXPECT_TRUE(WaitUntil([&] {
    return ReadList(results).items == std::vector<std::wstring>{L"Sketchpad（プログラム一覧）"} &&
           ReadList(results).selection == 0;
  })) << "the line becomes the item's";
  EXPECT_TRUE(FileExists(std::wstring(kItemFolder) + L"\\Sketchpad.lnk"));
  EXPECT_FALSE(IsWindowEnabled(keep));
}

// 500 shortcuts leave the shortcut lists no room: the Start menu is still
// searched, and only keeping a shortcut is refused, aloud.
TEST_F(StartMenuSearchScenario, WithTheShortcutListsFullAStartMenuProgramIsFoundAndKeepingItIsRefused) {
  PlantLink(L"Sketchpad", L"C:\\hdtest\\recorder.exe", L"from-sketch");
  ASSERT_TRUE(item_e2e::PlantFullShortcutLists(L"C:\\hdtest\\recorder.exe"));
  Start();
  HWND dialog = OpenQuickFind(kPrograms);
  ASSERT_NE(dialog, nullptr);
  HWND results = GetDlgItem(dialog, IDC_QUICK_RESULTS), keep = GetDlgItem(dialog, IDC_QUICK_KEEP);
  ASSERT_TRUE(Search(dialog, L"sketch", L"1件"));
  EXPECT_EQ(ReadList(results).items, (std::vector<std::wstring>{L"Sketchpad（スタートメニュー）"}));
  PressKeys({VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == results && IsWindowEnabled(keep); }));
  std::size_t spoken = SpokenTexts().size();
  PostMessageW(keep, BM_CLICK, 0, 0);
  EXPECT_TRUE(item_e2e::SpokenAfter(spoken, L"リストの項目数が上限の500件に達しているため、追加できません。"));
  EXPECT_FALSE(FileExists(std::wstring(kItemFolder) + L"\\Sketchpad.lnk"));
}

TEST_F(QuickFindScenario, ARunningWindowIsFoundAndEnterRestoresItRecordingNothing) {
  WindowThread windows([] {
    return std::vector<HWND>{CreateWindowExW(0, L"STATIC", L"hd-e2e-sketch", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE,
                                             10, 10, 200, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)};
  });
  ASSERT_TRUE(IsIconic(windows[0]));
  Start();
  HWND dialog = OpenQuickFind(kPrograms);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Search(dialog, L"hd-e2e-sketch", L"1件"));
  EXPECT_EQ(ReadList(GetDlgItem(dialog, IDC_QUICK_RESULTS)).items,
            (std::vector<std::wstring>{L"hd-e2e-sketch（起動中）"}));
  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitForDialogGone(dialog)) << "the search closes";
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(windows[0]); })) << "the window stayed minimised";
  EXPECT_TRUE(WaitUntil([&] { return Foreground() == windows[0]; }));
  EXPECT_FALSE(FileExists(HistoryFile())) << "nothing is recorded";
}
