// Adding items from the keyboard: IDM_ADD_ITEM, the hand-over of a path from a
// second instance, and a path on the command line.
#include "item_scenario.h"

#include <dlgs.h>

using namespace item_e2e;

namespace {

constexpr wchar_t kRefusalCaption[] = L"オープンエラー";
constexpr wchar_t kRefusalText[] =
    L"別のダイアログが表示中のため、ファイル追加用のダイアログを開くことができません。\n"
    L"表示中のダイアログを閉じてから、再度実行ください。";

// What a second instance leaves in the hand-over slot, and the focus gain that takes it.
void HandOver(const std::wstring& path) {
  std::string slot = ToSjis(path);
  slot.resize(261, '\0');
  WriteBinaryValue(setting_value::kHandOver, REG_SZ, slot);
  PostMessageW(MainWindow(), RegisterWindowMessageW(L"HDSetDialog"), 0, 0);
}

}  // namespace

class ItemAddScenario : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    WriteDword(setting_value::kSpeechEngine, 1);  // PC-Talker, whose stand-in logs what is spoken
    PlaceSpeechDoubles(true, Nvda::kNone);
  }
};

TEST_F(ItemAddScenario, AddWritesAShortcutReloadsEveryListAndSpeaks) {
  PlantItems(ItemKind::kUrl, {L"Blog", L"News"});
  PlantItems(ItemKind::kMail, {L"Hanako", L"Taro"});
  Start();
  Select(2, 1);
  Select(3, 1);
  std::size_t spoken = SpokenTexts().size();

  HWND dialog = OpenAddDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(FocusIn(dialog, IDC_ITEM_NAME));
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_PATH), L"");
  ASSERT_TRUE(FillAndConfirm(dialog, L"Plan", L"D:\\Docs\\Plan.txt"));

  auto shortcut = ReadShortcut(ItemFile(L"Plan.lnk"));
  ASSERT_TRUE(shortcut.has_value());
  EXPECT_EQ(shortcut->target, L"D:\\Docs\\Plan.txt");
  EXPECT_TRUE(WaitUntil([] { return Holds(1, L"Plan"); }));
  EXPECT_TRUE(SpokenAfter(spoken, L"ショートカットを追加しました"));
  for (int k = 1; k < 4; ++k) EXPECT_EQ(Selection(k), 0) << "list " << k;

  dialog = OpenAddDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(FillAndConfirm(dialog, L"Tool", L"D:\\Apps\\Tool.exe"));
  EXPECT_TRUE(WaitUntil([] { return Holds(0, L"Tool"); }));
  EXPECT_FALSE(Holds(1, L"Tool"));
}

TEST_F(ItemAddScenario, ThePathDecidesTheKindOfItem) {
  Start();
  struct Case {
    const wchar_t* name;
    const wchar_t* path;
    const wchar_t* file;
    int listKind;
    const wchar_t* entry;
  };
  const Case cases[] = {
      {L"Site", L"https://example.com/", L"Site.url", 2, L"Site"},
      {L"Write", L"mailto:someone@example.jp", L"Write.url", 2, L"Write"},
      {L"User", L"user@example.jp", L"User.mail", 3, L"User"},
      {L"Cmd", L"hdnosuchcommand", L"Cmd.lnk", 1, L"Cmd"},
      {L"a/b:c", L"D:\\Docs\\x.txt", L"a／b：c.lnk", 1, L"a／b：c"},
      // "ァ" ends in the byte of "@": no mail address, and "ポ" (ending in "|") stays.
      {L"ポ", L"D:\\ァ.txt", L"ポ.lnk", 1, L"ポ"},
  };
  for (const Case& c : cases) {
    HWND dialog = OpenAddDialog();
    ASSERT_NE(dialog, nullptr) << ToSjis(c.name);
    ASSERT_TRUE(FillAndConfirm(dialog, c.name, c.path)) << ToSjis(c.name);
    EXPECT_TRUE(FileExists(ItemFile(c.file))) << ToSjis(c.file);
    EXPECT_TRUE(WaitUntil([&] { return Holds(c.listKind, c.entry); })) << ToSjis(c.entry);
  }
  EXPECT_EQ(ReadFileBytes(ItemFile(L"User.mail")), "[EMailShortcut]\r\nMailAddress=mailto:user@example.jp\r\n");
  EXPECT_EQ(ReadFileBytes(ItemFile(L"Site.url")), "[InternetShortcut]\r\nURL=https://example.com/\r\n");
}

TEST_F(ItemAddScenario, EmptyFieldsAndAnExistingNameAreAskedAbout) {
  PlantItem(ItemKind::kShortcut, L"Plan", L"D:\\Old\\Plan.txt");
  Start();
  HWND dialog = OpenAddDialog();
  ASSERT_NE(dialog, nullptr);

  ClickButton(dialog, IDOK);
  ASSERT_TRUE(ExpectMessageBox(kInputError, L"項目名が入力されていません", IDOK));
  EXPECT_TRUE(FocusIn(dialog, IDC_ITEM_NAME));

  SetWindowTextOf(Field(dialog, IDC_ITEM_NAME), L"Plan");
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(ExpectMessageBox(kInputError, L"ファイルパスが入力されていません", IDOK));
  EXPECT_TRUE(FocusIn(dialog, IDC_ITEM_PATH));

  SetWindowTextOf(Field(dialog, IDC_ITEM_PATH), L"D:\\New\\Plan.txt");
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(ExpectMessageBox(kOverwriteCaption, L"Plan この名前のショートカットは既に存在しています\n上書きしてもよろしいですか", IDNO));
  EXPECT_TRUE(IsVisible(dialog));
  EXPECT_TRUE(FocusIn(dialog, IDC_ITEM_NAME));
  auto shortcut = ReadShortcut(ItemFile(L"Plan.lnk"));
  ASSERT_TRUE(shortcut.has_value());
  EXPECT_EQ(shortcut->target, L"D:\\Old\\Plan.txt");

  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(dialog));
  EXPECT_EQ(ReadShortcut(ItemFile(L"Plan.lnk"))->target, L"D:\\Old\\Plan.txt");
}

// 500 shortcuts fill both shortcut lists' share: a 501st would never be shown.
TEST_F(ItemAddScenario, AFullListRefusesTheAddWritesNothingAndSaysNothing) {
  ASSERT_TRUE(PlantFullShortcutLists(L"C:\\Tools\\tool.exe"));
  Start();
  ASSERT_TRUE(WaitUntil([] { return Entries(0).size() == 500; }));
  std::size_t spoken = SpokenTexts().size();

  HWND dialog = OpenAddDialog();
  ASSERT_NE(dialog, nullptr);
  SetWindowTextOf(Field(dialog, IDC_ITEM_NAME), L"New");
  SetWindowTextOf(Field(dialog, IDC_ITEM_PATH), L"D:\\Docs\\New.txt");
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(ExpectMessageBox(kInputError, L"リストの項目数が上限の500件に達しているため、追加できません。", IDOK));
  EXPECT_TRUE(IsVisible(dialog));
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  WaitForIdle();
  EXPECT_FALSE(FileExists(ItemFile(L"New.lnk")));
  EXPECT_EQ(SpokenTexts().size(), spoken) << "nothing is announced";
  EXPECT_EQ(Entries(1).size(), 0u);
}

TEST_F(ItemAddScenario, BrowseFillsThePathAndLeavesTheName) {
  Start();
  HWND dialog = OpenAddDialog();
  ASSERT_NE(dialog, nullptr);
  SetWindowTextOf(Field(dialog, IDC_ITEM_NAME), L"Mine");
  ClickButton(dialog, IDC_ITEM_BROWSE);
  HWND picker = WaitForDialog(L"ファイル選択");
  ASSERT_NE(picker, nullptr);
  const std::wstring chosen = std::wstring(kAppFolder) + L"\\Hopdeck.exe";
  SetWindowTextOf(GetDlgItem(picker, cmb13), chosen);  // the file-name box of the file-open dialog
  ClickButton(picker, IDOK);
  ASSERT_TRUE(WaitForDialogGone(picker));
  EXPECT_TRUE(WaitUntil([&] { return FieldText(dialog, IDC_ITEM_PATH) == chosen; }))
      << ToSjis(FieldText(dialog, IDC_ITEM_PATH));
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_NAME), L"Mine");

  // The program's current directory is its data folder again: a relative
  // path that exists there is taken for a shortcut, not a mail address.
  WriteFileBytes(std::wstring(kDataFolder) + L"\\at@here.txt", "x");
  ASSERT_TRUE(FillAndConfirm(dialog, L"Relative", L"at@here.txt"));
  EXPECT_TRUE(FileExists(ItemFile(L"Relative.lnk")));
  EXPECT_FALSE(FileExists(ItemFile(L"Relative.mail")));
}

// A shortcut outside the item folder, to hand over: D:\Apps\editor.exe with arguments.
std::wstring PlantEditorLink() {
  CreateDirectoryW(L"C:\\hdtest\\Links", nullptr);
  const std::wstring link = L"C:\\hdtest\\Links\\Editor.lnk";
  WriteShortcut(link, L"D:\\Apps\\editor.exe", L"--profile work");
  return link;
}

// The add dialog for that shortcut proposes name and its target; OK adds it.
void AcceptEditorProposal(const std::wstring& name) {
  HWND dialog = WaitForDialog(kAddTitle);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_NAME), name);
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_PATH), L"D:\\Apps\\editor.exe");
  ASSERT_TRUE(FillAndConfirm(dialog, name, L"D:\\Apps\\editor.exe"));
}

TEST_F(ItemAddScenario, AHandedOverShortcutProposesItsOwnNameAndKeepsItsArguments) {
  const std::wstring link = PlantEditorLink();
  Start();
  HandOver(link);
  ASSERT_NO_FATAL_FAILURE(AcceptEditorProposal(L"Editor"));

  auto shortcut = ReadShortcut(ItemFile(L"Editor.lnk"));
  ASSERT_TRUE(shortcut.has_value());
  EXPECT_EQ(shortcut->target, L"D:\\Apps\\editor.exe");
  EXPECT_EQ(shortcut->arguments, L"--profile work");
  EXPECT_TRUE(WaitUntil([] { return Holds(0, L"Editor"); }));
  EXPECT_EQ(Selection(0), 0);
}

TEST_F(ItemAddScenario, AShortcutOnTheCommandLineProposesTheTargetsName) {
  const std::wstring link = PlantEditorLink();
  Start(link);
  ASSERT_NO_FATAL_FAILURE(AcceptEditorProposal(L"editor"));
  EXPECT_EQ(ReadShortcut(ItemFile(L"editor.lnk"))->arguments, L"--profile work");
  EXPECT_TRUE(WaitUntil([] { return Holds(0, L"editor") && FocusOf(MainWindow()) == ListBox(0); }));
}

// A relative path names a file of the folder Hopdeck was started in, not of
// its data folder.
TEST_F(ItemAddScenario, ARelativePathOnTheCommandLineIsOfferedInFull) {
  const std::wstring folder = L"C:\\hdtest\\相対";
  CreateDirectoryW(folder.c_str(), nullptr);
  WriteFileBytes(folder + L"\\メモ.txt", "x");
  Start(L"メモ.txt", folder);
  HWND dialog = WaitForDialog(kAddTitle);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_PATH), folder + L"\\メモ.txt");
  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(dialog));
}

TEST_F(ItemAddScenario, AHandOverWhileTheFindDialogIsOpenIsRefusedAndKeptForTheNextAdd) {
  Start();
  BringToFront(MainWindow());
  PostCommand(IDM_FIND);
  HWND find = WaitForDialog(L"検索");
  ASSERT_NE(find, nullptr);

  HandOver(L"D:\\Docs\\Later.txt");
  ASSERT_TRUE(ExpectMessageBox(kRefusalCaption, kRefusalText, IDOK));
  EXPECT_EQ(FindDialog(kAddTitle), nullptr);
  ClickButton(find, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(find));

  // The next add dialog starts with the refused path, and clears it on closing.
  HWND dialog = OpenAddDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_PATH), L"D:\\Docs\\Later.txt");
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_NAME), L"Later");
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  dialog = OpenAddDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, IDC_ITEM_PATH), L"");
  ClickButton(dialog, IDCANCEL);
  WaitForDialogGone(dialog);
}
