// The item commands on the focused list: position, list name, sort order,
// find forwards and backwards, delete, copy and open the target's folder.
#include <cstring>

#include "item_scenario.h"

using namespace item_e2e;

namespace {

constexpr wchar_t kNotFound[] = L"見つかりませんでした";

std::wstring Numbered(int n) { return L"Site" + std::wstring(n < 10 ? L"0" : L"") + std::to_wstring(n); }

// A visible top-level window of any process whose title contains text.
HWND WindowTitled(const std::wstring& text) {
  return FirstWindow([&](HWND window) {
    return IsWindowVisible(window) && WindowText(window).find(text) != std::wstring::npos;
  });
}

}  // namespace

class ItemCommandsScenario : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    WriteDword(setting_value::kSpeechEngine, 1);  // PC-Talker: it also hears the entries that find selects
    PlaceSpeechDoubles(true, Nvda::kNone);
  }

  // Runs a command and waits for the first text it speaks; "" when none came.
  std::wstring Speaks(int command, int timeoutMs = 3000) {
    std::size_t from = SpokenTexts().size();
    PostCommand(command);
    std::wstring spoken;
    WaitUntil(
        [&] {
          std::vector<std::wstring> texts = SpokenTexts();
          if (texts.size() <= from) return false;
          spoken = texts[from];
          return true;
        },
        timeoutMs);
    return spoken;
  }
};

TEST_F(ItemCommandsScenario, PositionListNameAndSortOrderAreSpoken) {
  for (int n = 1; n <= 12; ++n) PlantItem(ItemKind::kUrl, Numbered(n), L"https://example.com/" + std::to_wstring(n));
  Start();
  ASSERT_TRUE(ShowAndSelect(2, 2));
  EXPECT_EQ(Speaks(IDM_SPEAK_POSITION), L"12項目中3項目目");
  Select(2, -1);
  EXPECT_EQ(Speaks(IDM_SPEAK_POSITION), L"12項目中0項目目");
  EXPECT_EQ(Speaks(IDM_SPEAK_LIST_NAME), L"URL一覧");
  EXPECT_EQ(Speaks(IDM_SPEAK_SORT_ORDER), L"名前順");

  ASSERT_TRUE(ShowList(3));
  EXPECT_EQ(Speaks(IDM_SPEAK_POSITION), L"項目なし");
  EXPECT_EQ(Speaks(IDM_SPEAK_LIST_NAME), L"メールアドレス一覧");
}

TEST_F(ItemCommandsScenario, FindGoesOnFromTheSelectionInBothDirectionsWithoutWrapping) {
  // Listed in name order: the hits are entries 1, 3 and 5.
  const wchar_t* names[] = {L"A1", L"B2 news", L"C3", L"D4 news", L"E5", L"F6 news"};
  for (const wchar_t* name : names) PlantItem(ItemKind::kUrl, name, L"https://example.com/");
  Start();
  ASSERT_TRUE(ShowList(2));
  ASSERT_EQ(Entries(2).size(), 6u);
  Select(2, 0);

  // F3 without a term asks for one.
  BringToFront(MainWindow());
  PressKeys({VK_F3});
  HWND find = WaitForDialog(L"検索");
  ASSERT_NE(find, nullptr);
  std::size_t from = SpokenTexts().size();
  SetWindowTextOf(GetDlgItem(find, IDC_FIND_TERM), L"news");
  ClickButton(find, IDOK);
  ASSERT_TRUE(WaitForDialogGone(find));
  EXPECT_TRUE(WaitUntil([] { return Selection(2) == 1; }));
  EXPECT_TRUE(SpokenAfter(from, L"B2 news"));

  EXPECT_EQ(Speaks(IDM_FIND_NEXT), L"D4 news");
  EXPECT_EQ(Selection(2), 3);
  EXPECT_EQ(Speaks(IDM_FIND_NEXT), L"F6 news");
  EXPECT_EQ(Selection(2), 5);
  EXPECT_EQ(Speaks(IDM_FIND_NEXT), kNotFound);  // no wrap round to the top
  EXPECT_EQ(Selection(2), 5);
  EXPECT_EQ(Speaks(IDM_FIND_PREVIOUS), L"D4 news");
  EXPECT_EQ(Selection(2), 3);
  EXPECT_EQ(Speaks(IDM_FIND_PREVIOUS), L"B2 news");
  EXPECT_EQ(Speaks(IDM_FIND_PREVIOUS), kNotFound);
  EXPECT_EQ(Selection(2), 1);

  // Control+F shows the stored term again.
  PostCommand(IDM_FIND);
  find = WaitForDialog(L"検索");
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(find, IDC_FIND_TERM)), L"news");
  ClickButton(find, IDCANCEL);
  WaitForDialogGone(find);
}

TEST_F(ItemCommandsScenario, DeletingTheLastEntrySelectsTheNewLast) {
  PlantItems(ItemKind::kUrl, {L"A", L"B", L"C"});
  PlantItems(ItemKind::kMail, {L"Taro"});
  Start();
  ASSERT_TRUE(ShowAndSelect(2, 2));
  std::size_t from = SpokenTexts().size();
  PostCommand(IDM_DELETE_ITEM);
  ASSERT_TRUE(ExpectMessageBox(kDeleteCaption, L"Cをリストから削除してもよろしいですか？", IDYES));
  EXPECT_TRUE(SpokenAfter(from, kDeleted));
  EXPECT_FALSE(FileExists(ItemFile(L"C.url")));
  EXPECT_EQ(Entries(2), (std::vector<std::wstring>{L"A", L"B"}));
  EXPECT_EQ(Selection(2), 1);
  EXPECT_EQ(Selection(3), -1);

  // No keeps the item.
  PostCommand(IDM_DELETE_ITEM);
  ASSERT_TRUE(ExpectMessageBox(kDeleteCaption, L"Bをリストから削除してもよろしいですか？", IDNO));
  EXPECT_TRUE(FileExists(ItemFile(L"B.url")));

  // The first entry: the one after it takes its place.
  Select(2, 0);
  PostCommand(IDM_DELETE_ITEM);
  ASSERT_TRUE(ExpectMessageBox(kDeleteCaption, L"Aをリストから削除してもよろしいですか？", IDYES));
  EXPECT_TRUE(WaitUntil([] { return Entries(2) == std::vector<std::wstring>{L"B"}; }));
  EXPECT_EQ(Selection(2), 0);

  // The only entry: the list stays empty and says so.
  PostCommand(IDM_DELETE_ITEM);
  ASSERT_TRUE(ExpectMessageBox(kDeleteCaption, L"Bをリストから削除してもよろしいですか？", IDYES));
  EXPECT_TRUE(WaitUntil([] { return Entries(2).empty(); }));
  EXPECT_EQ(Speaks(IDM_SPEAK_POSITION), L"項目なし");
}

TEST_F(ItemCommandsScenario, CopyPutsTheTargetOnTheClipboard) {
  PlantItem(ItemKind::kMail, L"Taro", L"mailto:taro@example.jp");
  PlantItem(ItemKind::kUrl, L"News", L"https://news.example/ニュース");
  PlantItem(ItemKind::kShortcut, L"Plan", L"D:\\Docs\\計画.txt");
  Start();

  ASSERT_TRUE(ShowAndSelect(3, 0));
  EXPECT_EQ(Speaks(IDM_COPY_PATH), L"メールアドレスをコピーしました");
  EXPECT_EQ(ClipboardText(), L"taro@example.jp");

  ASSERT_TRUE(ShowAndSelect(2, 0));
  EXPECT_EQ(Speaks(IDM_COPY_PATH), L"URLをコピーしました");
  EXPECT_EQ(ClipboardText(), L"https://news.example/ニュース");

  ASSERT_TRUE(ShowAndSelect(1, 0));
  EXPECT_EQ(Speaks(IDM_COPY_PATH), L"パスをコピーしました");
  EXPECT_EQ(ClipboardText(), L"D:\\Docs\\計画.txt");
}

TEST_F(ItemCommandsScenario, OpenFolderWorksOnShortcutsOnly) {
  const std::wstring folder = L"C:\\hdtest\\hdfolder506";
  CreateDirectoryW(folder.c_str(), nullptr);
  WriteFileBytes(folder + L"\\doc.txt", "x");
  // A URL item and a shortcut of the same name: IDM_OPEN_FOLDER on the URL list must not
  // fall back to the shortcut's target.
  PlantItem(ItemKind::kUrl, L"Same", L"https://same.example/");
  PlantItem(ItemKind::kShortcut, L"Same", folder + L"\\doc.txt");
  Start();

  ASSERT_TRUE(ShowAndSelect(2, 0));
  std::size_t from = SpokenTexts().size();
  PostCommand(IDM_OPEN_FOLDER);
  EXPECT_FALSE(WaitUntil([] { return WindowTitled(L"hdfolder506") != nullptr; }, 2500));
  EXPECT_EQ(SpokenTexts().size(), from);
  EXPECT_TRUE(Launches().empty());

  ASSERT_TRUE(ShowAndSelect(1, 0));
  PostCommand(IDM_OPEN_FOLDER);
  EXPECT_TRUE(WaitUntil([] { return WindowTitled(L"hdfolder506") != nullptr; }, 10000))
      << "the folder was not opened";
  if (HWND explorer = WindowTitled(L"hdfolder506")) PostMessageW(explorer, WM_CLOSE, 0, 0);
}

// What could not be done is said, and nothing changes: a clipboard another
// program holds, a read-only item file, and add without a list in focus.
TEST_F(ItemCommandsScenario, FailuresAreSpokenAndChangeNothing) {
  PlantItems(ItemKind::kUrl, {L"A", L"B"});
  Start();
  ASSERT_TRUE(ShowAndSelect(2, 1));

  ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }));
  EmptyClipboard();
  const wchar_t kept[] = L"kept";
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof kept);
  std::memcpy(GlobalLock(block), kept, sizeof kept);
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  EXPECT_EQ(Speaks(IDM_COPY_PATH), L"クリップボードにコピーできませんでした");
  CloseClipboard();
  EXPECT_EQ(ClipboardText(), L"kept");

  SetFileAttributesW(ItemFile(L"B.url").c_str(), FILE_ATTRIBUTE_READONLY);
  PostCommand(IDM_DELETE_ITEM);
  HWND box = WaitForDialog(kDeleteCaption);
  ASSERT_NE(box, nullptr);
  std::size_t from = SpokenTexts().size();
  AnswerMessageBox(box, IDYES);
  EXPECT_TRUE(SpokenAfter(from, kNotDeleted));
  SetFileAttributesW(ItemFile(L"B.url").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Entries(2), (std::vector<std::wstring>{L"A", L"B"}));
  EXPECT_EQ(Selection(2), 1);

  // Hidden, the window has no list in focus. The time is spoken after add
  // has run, and whatever add opened would be open by then.
  PostCommand(IDM_HIDE_MAIN_WINDOW);
  ASSERT_TRUE(WaitUntil([] { return !IsVisible(MainWindow()); }));
  PostCommand(IDM_ADD_ITEM);
  EXPECT_NE(Speaks(IDM_SPEAK_TIME), L"");
  EXPECT_EQ(FindDialog(kAddTitle), nullptr);
}
