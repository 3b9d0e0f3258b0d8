// Editing the selected item (IDM_EDIT_ITEM) in the item dialog.
#include <thread>

#include "item_scenario.h"

using namespace item_e2e;

class ItemEditScenario : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    WriteDword(setting_value::kSpeechEngine, 1);
    PlaceSpeechDoubles(true, Nvda::kNone);
  }

  // Selects entry `entry` of a list and opens the edit dialog on it.
  HWND OpenEditDialog(int listKind, const std::wstring& entry) {
    if (!ShowList(listKind)) return nullptr;
    std::vector<std::wstring> items = Entries(listKind);
    auto found = std::find(items.begin(), items.end(), entry);
    if (found == items.end()) return nullptr;
    Select(listKind, static_cast<int>(found - items.begin()));
    return OpenDialog(IDM_EDIT_ITEM, kEditTitle);
  }

  // Opens the edit dialog on entry, checks the path it shows, puts newPath
  // in its place and confirms.
  void ChangePath(int listKind, const std::wstring& entry, const std::wstring& shown, const std::wstring& newPath) {
    HWND dialog = OpenEditDialog(listKind, entry);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FieldText(dialog, IDC_ITEM_PATH), shown);
    SetWindowTextOf(Field(dialog, IDC_ITEM_PATH), newPath);
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitForDialogGone(dialog));
  }
};

TEST_F(ItemEditScenario, AnUnchangedItemIsRewrittenWithoutAQuestion) {
  PlantItem(ItemKind::kShortcut, L"Tool", L"C:\\Tools\\tool.exe", L"-v --fast");
  Start();
  std::size_t spoken = SpokenTexts().size();
  HWND dialog = OpenEditDialog(0, L"Tool");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_NAME), L"Tool");
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_PATH), L"C:\\Tools\\tool.exe");
  EXPECT_TRUE(FocusIn(dialog, IDC_ITEM_NAME));
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_EQ(FindDialog(kOverwriteCaption), nullptr);

  auto shortcut = ReadShortcut(ItemFile(L"Tool.lnk"));
  ASSERT_TRUE(shortcut.has_value());
  EXPECT_EQ(shortcut->target, L"C:\\Tools\\tool.exe");
  EXPECT_EQ(shortcut->arguments, L"-v --fast");
  EXPECT_TRUE(SpokenAfter(spoken, L"変更を保存しました"));
  EXPECT_EQ(Entries(0), std::vector<std::wstring>{L"Tool"});
}

// A scanner holds the item file for a moment, sharing nothing: the rename
// waits for it, the old file goes, and the bytes move unchanged.
TEST_F(ItemEditScenario, ARenameWaitsOutAMomentsHoldOnTheItem) {
  PlantItem(ItemKind::kShortcut, L"Tool", L"C:\\Tools\\tool.exe", L"-v");
  const std::string bytes = ReadFileBytes(ItemFile(L"Tool.lnk"));
  Start();
  std::size_t spoken = SpokenTexts().size();
  HWND dialog = OpenEditDialog(0, L"Tool");
  ASSERT_NE(dialog, nullptr);
  SetWindowTextOf(Field(dialog, IDC_ITEM_NAME), L"Renamed");
  HANDLE held = CreateFileW(ItemFile(L"Tool.lnk").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread release([held] {
    Sleep(400);
    CloseHandle(held);
  });
  ClickButton(dialog, IDOK);
  bool gone = WaitForDialogGone(dialog);
  release.join();
  ASSERT_TRUE(gone);
  EXPECT_TRUE(SpokenAfter(spoken, L"変更を保存しました"));
  EXPECT_EQ(Entries(0), std::vector<std::wstring>{L"Renamed"});
  EXPECT_EQ(ReadFileBytes(ItemFile(L"Renamed.lnk")), bytes);
  EXPECT_EQ(GetFileAttributesW(ItemFile(L"Tool.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ItemEditScenario, RenamingOntoAnotherItemAsksAndNoLeavesBoth) {
  PlantItem(ItemKind::kShortcut, L"One", L"C:\\Docs\\one.txt");
  PlantItem(ItemKind::kShortcut, L"Two", L"C:\\Docs\\two.txt");
  Start();
  HWND dialog = OpenEditDialog(1, L"One");
  ASSERT_NE(dialog, nullptr);
  SetWindowTextOf(Field(dialog, IDC_ITEM_NAME), L"Two");
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(ExpectMessageBox(kOverwriteCaption, L"Two この名前のショートカットは既に存在しています\n上書きしてもよろしいですか", IDNO));
  EXPECT_TRUE(IsVisible(dialog));
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_EQ(ReadShortcut(ItemFile(L"One.lnk"))->target, L"C:\\Docs\\one.txt");
  EXPECT_EQ(ReadShortcut(ItemFile(L"Two.lnk"))->target, L"C:\\Docs\\two.txt");
}

TEST_F(ItemEditScenario, AnUnreadableTargetOffersOnlyARename) {
  MakeItemFolder();
  const std::string broken = "this is not a shell link";
  WriteFileBytes(ItemFile(L"Broken.lnk"), broken);
  Start();
  HWND dialog = OpenEditDialog(1, L"Broken");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_PATH), L"取得できませんでした");
  EXPECT_NE(GetWindowLongPtrW(Field(dialog, IDC_ITEM_PATH), GWL_STYLE) & ES_READONLY, 0);
  EXPECT_FALSE(IsWindowEnabled(Field(dialog, IDC_ITEM_BROWSE)));

  SetWindowTextOf(Field(dialog, IDC_ITEM_NAME), L"Fixed");
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_FALSE(FileExists(ItemFile(L"Broken.lnk")));
  EXPECT_EQ(ReadFileBytes(ItemFile(L"Fixed.lnk")), broken);
  EXPECT_TRUE(WaitUntil([] { return Entries(1) == std::vector<std::wstring>{L"Fixed"}; }));
}

TEST_F(ItemEditScenario, AUrlItemGivenALocalPathBecomesAShortcut) {
  PlantItem(ItemKind::kUrl, L"Docs", L"https://docs.example/");
  Start();
  ASSERT_NO_FATAL_FAILURE(ChangePath(2, L"Docs", L"https://docs.example/", L"D:\\Docs\\index.html"));
  EXPECT_FALSE(FileExists(ItemFile(L"Docs.url")));
  auto shortcut = ReadShortcut(ItemFile(L"Docs.lnk"));
  ASSERT_TRUE(shortcut.has_value());
  EXPECT_EQ(shortcut->target, L"D:\\Docs\\index.html");
  EXPECT_TRUE(WaitUntil([] { return Holds(1, L"Docs") && Entries(2).empty(); }));
}

TEST_F(ItemEditScenario, AMailItemShowsItsBareAddress) {
  PlantItem(ItemKind::kMail, L"Taro", L"mailto:taro@example.jp");
  Start();
  ASSERT_NO_FATAL_FAILURE(ChangePath(3, L"Taro", L"taro@example.jp", L"jiro@example.jp"));
  EXPECT_EQ(ReadFileBytes(ItemFile(L"Taro.mail")), "[EMailShortcut]\r\nMailAddress=mailto:jiro@example.jp\r\n");
}

TEST_F(ItemEditScenario, AWriteThatFailsLeavesTheOldItemInPlace) {
  PlantItem(ItemKind::kMail, L"Keep", L"mailto:keep@example.jp");
  const std::string before = ReadFileBytes(ItemFile(L"Keep.mail"));
  Start();
  // Folders where Hopdeck's temporary item files would go: no write can land.
  std::vector<std::wstring> blockers;
  for (int n = 1; n <= 32; ++n) {
    blockers.push_back(ItemFile(L"hopdeck-" + std::to_wstring(hopdeck_.id()) + L"-" + std::to_wstring(n) + L".tmp"));
    CreateDirectoryW(blockers.back().c_str(), nullptr);
  }
  std::size_t spoken = SpokenTexts().size();
  HWND dialog = OpenEditDialog(3, L"Keep");
  ASSERT_NE(dialog, nullptr);
  SetWindowTextOf(Field(dialog, IDC_ITEM_PATH), L"other@example.jp");
  ClickButton(dialog, IDOK);
  HWND box = WaitForDialog(L"保存エラー");
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(IsVisible(dialog));
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  for (const std::wstring& blocker : blockers) RemoveDirectoryW(blocker.c_str());

  EXPECT_EQ(ReadFileBytes(ItemFile(L"Keep.mail")), before);
  EXPECT_EQ(Entries(3), std::vector<std::wstring>{L"Keep"});
  // PC-Talker is spoken to on the window's thread: whatever the dialog's
  // handlers said is in the log once the dialog has gone.
  std::vector<std::wstring> texts = SpokenTexts();
  EXPECT_EQ(std::find(texts.begin() + static_cast<std::ptrdiff_t>(spoken), texts.end(), L"変更を保存しました"),
            texts.end())
      << "a failed edit was announced as saved";
}

TEST_F(ItemEditScenario, ARenameWhoseOldFileStaysSaysSo) {
  PlantItem(ItemKind::kMail, L"Old", L"mailto:old@example.jp");
  SetFileAttributesW(ItemFile(L"Old.mail").c_str(), FILE_ATTRIBUTE_READONLY);
  Start();
  std::size_t spoken = SpokenTexts().size();
  HWND dialog = OpenEditDialog(3, L"Old");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(FillAndConfirm(dialog, L"New", L"old@example.jp"));
  EXPECT_TRUE(SpokenAfter(spoken, L"保存しましたが、元の項目を削除できませんでした"));
  SetFileAttributesW(ItemFile(L"Old.mail").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Entries(3), (std::vector<std::wstring>{L"New", L"Old"}));
}
