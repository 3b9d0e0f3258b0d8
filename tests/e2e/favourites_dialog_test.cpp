// Favourites: adding the selected item (full log, duplicates, what a program
// favourite keeps) and the favourites dialog (running keeps it open, the
// history gains the favourite, deleting, Left and Right).
#include <memory>
#include <thread>

#include "record_scenario.h"

using namespace e2e;
using namespace records_e2e;

namespace {

constexpr int kPrograms = 0, kUrls = 2;
constexpr wchar_t kTitle[] = L"お気に入り一覧";
constexpr wchar_t kFull[] = L"お気に入りは上限の50件まで登録されています";
const std::wstring kUrl = L"https://www.example.com/お気に入り";

}  // namespace

class FavouritesScenario : public RecordDialogScenario {
 protected:
  FavouritesScenario() : RecordDialogScenario(IDM_FAVOURITES, kTitle, FavouritesFile()) {}
  // IDM_ADD_FAVOURITE on the focused list, by its key or posted; waits until text is spoken.
  bool Add(const std::wstring& text, bool byKey = false) {
    int before = CountSpoken(text);
    if (byKey) {
      BringToFront(MainWindow());
      PressKeys({VK_CONTROL, VK_F2});
    } else {
      PostCommand(IDM_ADD_FAVOURITE);
    }
    return WaitUntil([&] { return CountSpoken(text) > before; });
  }
};

TEST_F(FavouritesScenario, AddingAUrlTwiceIsRefusedTheSecondTime) {
  PlantItem(ItemKind::kUrl, L"検索", kUrl);
  Start();
  EXPECT_TRUE(ShowList(kUrls));
  ASSERT_TRUE(Add(L"検索をお気に入りに登録しました", true));
  EXPECT_TRUE(WaitForLog(FavouritesFile(), {{kUrl, L"検索"}}));
  std::string once = ReadFileBytes(FavouritesFile());

  ASSERT_TRUE(Add(L"検索はすでにお気に入りに登録されています", true));
  EXPECT_GE(SpeechDelay(L"検索はすでにお気に入りに登録されています", 0), 90.0);
  EXPECT_EQ(ReadFileBytes(FavouritesFile()), once);
  EXPECT_TRUE(ReadList(ListBox(kUrls)).focused) << "the focus stays in the list";
  EXPECT_EQ(FindDialog(kTitle), nullptr);
}

TEST_F(FavouritesScenario, AnItemWithoutATargetIsRefusedAsSuch) {
  PlantItem(ItemKind::kUrl, L"空", L"");
  Start();
  EXPECT_TRUE(ShowList(kUrls));
  ASSERT_TRUE(Add(L"空のリンク先を取得できませんでした", true));
  EXPECT_GE(SpeechDelay(L"空のリンク先を取得できませんでした", 0), 90.0);
  EXPECT_EQ(CountSpoken(L"空はすでにお気に入りに登録されています"), 0) << "it is no duplicate";
  EXPECT_FALSE(FileExists(FavouritesFile())) << "nothing is written";
}

TEST_F(FavouritesScenario, AFullLogRefusesEvenADuplicate) {
  std::vector<Entry> entries = UrlEntries(50, L"お気に入り");
  entries[7] = {kUrl, L"既存"};
  PlantLog(FavouritesFile(), entries);
  PlantItem(ItemKind::kUrl, L"検索", kUrl);
  PlantItem(ItemKind::kUrl, L"新しい", L"https://www.example.com/new");
  Start();
  EXPECT_TRUE(ShowList(kUrls));
  std::string before = ReadFileBytes(FavouritesFile());
  for (int line : {0, 1}) {  // "新しい" (new) and "検索" (already a favourite)
    SendMessageW(ListBox(kUrls), LB_SETCURSEL, line, 0);
    ASSERT_TRUE(Add(kFull)) << "line " << line;
    EXPECT_GE(SpeechDelay(kFull, line), 90.0);
  }
  // Each attempt was handled once its text was spoken; its braille came first.
  EXPECT_EQ(CountSaid(L"検索はすでにお気に入りに登録されています"), 0);
  EXPECT_EQ(ReadFileBytes(FavouritesFile()), before);
}

TEST_F(FavouritesScenario, AProgramFavouriteKeepsTheShortcutsTargetAndGoesOnTop) {
  PlantLog(FavouritesFile(), UrlEntries(2, L"お気に入り"));
  PlantProgram(L"記録ソフト", L"arguments are not kept");
  Start();
  EXPECT_TRUE(ShowList(kPrograms));
  ASSERT_TRUE(Add(L"記録ソフトをお気に入りに登録しました"));
  std::vector<Entry> favourites = ListedEntries(FavouritesFile());
  ASSERT_EQ(favourites.size(), 3u);
  EXPECT_TRUE(Contains(favourites[0].path, L"C:\\hdtest\\recorder.exe", true)) << favourites[0];
  EXPECT_FALSE(Contains(favourites[0].path, L".lnk", true));
  EXPECT_EQ(favourites[0].name, L"記録ソフト");
  EXPECT_EQ(favourites[1], UrlEntries(2, L"お気に入り")[0]);

  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ListState state = ReadList(list_);
  ASSERT_EQ(state.items.size(), 3u);
  EXPECT_EQ(state.items[0], L"記録ソフト - " + favourites[0].path);
  EXPECT_EQ(state.selection, 0);
}

TEST_F(FavouritesScenario, EnterRunsAndKeepsTheDialogOpenAndTheHistoryGainsIt) {
  std::vector<Entry> entries = UrlEntries(3, L"お気に入り");
  HWND dialog = StartWith(entries, true);
  ASSERT_NE(dialog, nullptr) << "no dialog, or its list without the focus";

  // Left and Right move the selection as in any list box.
  PressKeys({VK_RIGHT});
  PressKeys({VK_RIGHT});
  EXPECT_TRUE(WaitUntil([&] { return ReadList(list_).selection == 2; }));
  PressKeys({VK_LEFT});
  EXPECT_TRUE(WaitUntil([&] { return ReadList(list_).selection == 1; }));

  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], entries[1].path, true)) << ToSjis(Launches()[0]);
  EXPECT_TRUE(WaitForLog(HistoryFile(), {entries[1]}));
  EXPECT_TRUE(IsVisible(dialog));
  EXPECT_EQ(ReadList(list_).selection, 1);
  EXPECT_EQ(ListedEntries(FavouritesFile()), entries);

  // Again, with OK this time: the dialog is still there to run another. (The
  // program just started may hold the foreground, so no keys here.)
  SendMessageW(list_, LB_SETCURSEL, 0, 0);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForLaunches(2));
  EXPECT_TRUE(Contains(Launches()[1], entries[0].path, true)) << ToSjis(Launches()[1]);
  EXPECT_TRUE(IsVisible(dialog));
  EXPECT_TRUE(WaitForLog(HistoryFile(), {entries[0], entries[1]}));

  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(dialog));
}

TEST_F(FavouritesScenario, DeletingTheLastFavouriteDisablesOk) {
  std::vector<Entry> entries = UrlEntries(2, L"お気に入り");
  HWND dialog = StartWith(entries, true);
  ASSERT_NE(dialog, nullptr);

  PressKeys({VK_DELETE});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(list_).items.size() == 1; }));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  EXPECT_EQ(ReadList(list_).selection, 0);
  EXPECT_TRUE(WaitForLog(FavouritesFile(), {entries[1]}));

  PressKeys({VK_DELETE});
  ASSERT_TRUE(WaitUntil([&] { return ReadList(list_).items.empty(); }));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  EXPECT_TRUE(WaitForLog(FavouritesFile(), {}));
  EXPECT_TRUE(WaitUntil([] { return CountSpoken(kDeleted) == 2; }));
  EXPECT_GE(SpeechDelay(kDeleted, 1), 90.0);

  // An empty list runs nothing.
  PressKeys({VK_RETURN});
  ASSERT_TRUE(KeysHandled(dialog));
  EXPECT_TRUE(Launches().empty());
  EXPECT_FALSE(FileExists(HistoryFile())) << "a launch was recorded";
  EXPECT_TRUE(IsVisible(dialog));
}

// A scanner holds the log for a moment, sharing nothing: the favourite waits
// for it and is stored, with what the log held before.
TEST_F(FavouritesScenario, ALogHeldForAMomentStillTakesTheFavourite) {
  std::vector<Entry> entries = UrlEntries(1, L"お気に入り");
  PlantLog(FavouritesFile(), entries);
  PlantItem(ItemKind::kUrl, L"検索", kUrl);
  Start();
  EXPECT_TRUE(ShowList(kUrls));
  HANDLE held = CreateFileW(FavouritesFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread release([held] {
    Sleep(400);
    CloseHandle(held);
  });
  bool added = Add(L"検索をお気に入りに登録しました", true);
  release.join();
  ASSERT_TRUE(added);
  entries.insert(entries.begin(), Entry{kUrl, L"検索"});
  EXPECT_TRUE(WaitForLog(FavouritesFile(), entries));
  EXPECT_EQ(CountSpoken(L"検索をお気に入りに登録できませんでした"), 0);
}

// Another program holds the log open without letting it be replaced: neither
// adding nor deleting may be confirmed, and the file stays as it was.
TEST_F(FavouritesScenario, ALogThatCannotBeWrittenIsReportedAndKept) {
  std::vector<Entry> entries = UrlEntries(1, L"お気に入り");
  PlantLog(FavouritesFile(), entries);
  const std::string before = ReadFileBytes(FavouritesFile());
  PlantItem(ItemKind::kUrl, L"検索", kUrl);
  // Let go when the scenario ends early too, so the next one can clear the data folder.
  std::unique_ptr<void, decltype(&CloseHandle)> held(
      CreateFileW(FavouritesFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
      &CloseHandle);
  ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
  Start();
  EXPECT_TRUE(ShowList(kUrls));
  ASSERT_TRUE(Add(L"検索をお気に入りに登録できませんでした", true));
  EXPECT_EQ(CountSpoken(L"検索をお気に入りに登録しました"), 0);

  HWND dialog = Open(true);
  ASSERT_NE(dialog, nullptr);
  PressKeys({VK_DELETE});
  EXPECT_TRUE(WaitUntil([] { return CountSpoken(kNotDeleted) == 1; }));
  EXPECT_EQ(CountSpoken(kDeleted), 0);
  EXPECT_EQ(ReadList(list_).items.size(), 1u) << "the line stays, as in the file";
  EXPECT_EQ(ReadList(list_).selection, 0);
  held.reset();
  EXPECT_EQ(ReadFileBytes(FavouritesFile()), before);
  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(dialog));
}
