// Settings at start-up (defaults, autostart, the hot key) and the general
// settings dialog, driven as a user drives them.
#include <shlobj.h>

#include "harness/harness.h"

using namespace e2e;

namespace {

constexpr wchar_t kGeneralCaption[] = L"全般設定";
constexpr int kGeneralSettingsCommand = IDM_GENERAL_SETTINGS;

std::wstring StartupLink() { return ShellFolder(CSIDL_STARTUP) + L"\\Hopdeck.lnk"; }

// Whether Ctrl+Shift+letter is held by another program (Hopdeck).
bool HotKeyTaken(char letter) {
  if (!RegisterHotKey(nullptr, 0xB00, MOD_CONTROL | MOD_SHIFT, static_cast<UINT>(letter))) return true;
  UnregisterHotKey(nullptr, 0xB00);
  return false;
}

// Hides the window into the tray and brings it back with Ctrl+Shift+letter.
bool HotKeyBringsWindowForward(char letter) {
  BringToFront(MainWindow());
  PressKeys({VK_ESCAPE});
  if (!WaitUntil([] { return !IsVisible(MainWindow()); })) return false;
  PressKeys({VK_CONTROL, VK_SHIFT, static_cast<WORD>(letter)});
  return WaitUntil([] { return IsVisible(MainWindow()) && Foreground() == MainWindow(); });
}

// Plants two items in each list before the first start.
void PlantItems() {
  PlantItem(ItemKind::kShortcut, L"Alpha", L"C:\\Tools\\alpha.exe");
  PlantItem(ItemKind::kShortcut, L"Beta", L"C:\\Tools\\beta.exe");
  PlantItem(ItemKind::kShortcut, L"Doc1", L"C:\\Docs\\one.txt");
  PlantItem(ItemKind::kShortcut, L"Doc2", L"C:\\Docs\\two.txt");
  PlantItem(ItemKind::kUrl, L"Site1", L"http://one.example/");
  PlantItem(ItemKind::kUrl, L"Site2", L"http://two.example/");
  PlantItem(ItemKind::kMail, L"Mail1", L"mailto:one@example.jp");
  PlantItem(ItemKind::kMail, L"Mail2", L"mailto:two@example.jp");
}

void SelectSecondEntries() {
  for (int k = 0; k < 4; ++k) SendMessageW(ListBox(k), LB_SETCURSEL, 1, 0);
}

std::vector<int> Selections() {
  std::vector<int> selections;
  for (int k = 0; k < 4; ++k) selections.push_back(ReadList(ListBox(k)).selection);
  return selections;
}


HWND OpenGeneralDialog() { return OpenDialog(kGeneralSettingsCommand, kGeneralCaption); }

bool Checked(HWND dialog, int id) { return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

class SettingsScenario : public Scenario {};

TEST_F(SettingsScenario, FirstStartWritesTheDefaultsAndTheStartupShortcutAndTakesCtrlShiftM) {
  Start();
  using namespace setting_value;
  const std::wstring names[] = {kSortOrder,    kHotKeyIndex, kAutoStart,  kStartList,
                                kSpeechEngine, kDateFormat,  kTimeFormat, kHotKeyScreen};
  const DWORD defaults[] = {0, 12, 1, 0, 6, 0, 1, 0};  // the speech engine: 自動
  for (int i = 0; i < 8; ++i) {
    auto value = ReadValue(names[i]);
    ASSERT_TRUE(value.has_value()) << ToSjis(names[i]);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ReadDword(names[i]), std::optional<DWORD>(defaults[i])) << ToSjis(names[i]);
  }

  auto link = ReadShortcut(StartupLink());
  ASSERT_TRUE(link.has_value()) << "no Hopdeck.lnk in the Startup folder";
  EXPECT_EQ(link->target, std::wstring(kAppFolder) + L"\\Hopdeck.exe");
  EXPECT_EQ(link->workingDirectory, kAppFolder);
  EXPECT_EQ(link->arguments, L"");

  EXPECT_TRUE(HotKeyBringsWindowForward('M'));
}

// Ctrl+Shift+letter held by this test, as by another program, while it lives.
class HeldHotKey {
 public:
  explicit HeldHotKey(char letter) : id_(0xB10 + letter) {
    held_ = RegisterHotKey(nullptr, id_, MOD_CONTROL | MOD_SHIFT, static_cast<UINT>(letter)) != FALSE;
  }
  ~HeldHotKey() {
    if (held_) UnregisterHotKey(nullptr, id_);
  }
  HeldHotKey(const HeldHotKey&) = delete;
  HeldHotKey& operator=(const HeldHotKey&) = delete;
  bool held() const { return held_; }

 private:
  int id_;
  bool held_ = false;
};

constexpr wchar_t kHotKeyTakenText[] = L"このホットキーは他のプログラムが使用しているため設定できません。";

TEST_F(SettingsScenario, AHotKeyHeldElsewhereIsSaidAtStartAndRefusedByTheDialog) {
  HeldHotKey m('M');
  ASSERT_TRUE(m.held());
  PlaceSpeechDoubles(false, Nvda::kFull);
  WriteDword(setting_value::kSpeechEngine, 2);
  Start();
  EXPECT_TRUE(WaitUntil([] { return CountSpoken(L"ホットキーを登録できませんでした") == 1; })) << "the start said nothing";

  // OK with M, still held: refused, nothing stored, the dialog open for another letter.
  HWND dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(ExpectMessageBox(L"入力エラー", kHotKeyTakenText, IDOK));
  EXPECT_TRUE(IsVisible(dialog));
  EXPECT_FALSE(ReadValue(setting_value::kHotKeyIndex).has_value()) << "nothing is stored";
  SendMessageW(GetDlgItem(dialog, IDC_OPT_HOTKEY), CB_SETCURSEL, 10, 0);  // K is free
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_TRUE(HotKeyTaken('K'));
  EXPECT_EQ(ReadDword(setting_value::kHotKeyIndex), std::optional<DWORD>(10));

  // A letter held elsewhere never costs the one that works.
  HeldHotKey j('J');
  ASSERT_TRUE(j.held());
  dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, IDC_OPT_HOTKEY), CB_SETCURSEL, 9, 0);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(ExpectMessageBox(L"入力エラー", kHotKeyTakenText, IDOK));
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_TRUE(HotKeyBringsWindowForward('K'));
  EXPECT_EQ(ReadDword(setting_value::kHotKeyIndex), std::optional<DWORD>(10));
}

TEST_F(SettingsScenario, TheStartupShortcutFollowsTheFolderTheProgramStartsFrom) {
  WriteShortcut(StartupLink(), L"C:\\Elsewhere\\Hopdeck.exe");
  Start(L"", L"C:\\hdtest");
  auto link = ReadShortcut(StartupLink());
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->target, L"C:\\hdtest\\Hopdeck.exe");
  EXPECT_EQ(link->workingDirectory, L"C:\\hdtest");
}

TEST_F(SettingsScenario, AKeyWithoutAStoredHotKeyLetterUsesMAndAutostartOffRemovesAHandMadeShortcut) {
  WriteDword(setting_value::kAutoStart, 0);
  WriteShortcut(StartupLink(), std::wstring(kAppFolder) + L"\\Hopdeck.exe");
  Start();
  EXPECT_FALSE(FileExists(StartupLink()));
  EXPECT_FALSE(ReadValue(setting_value::kHotKeyIndex).has_value()) << "nothing is written back at start";
  EXPECT_FALSE(ReadValue(setting_value::kSortOrder).has_value());
  EXPECT_TRUE(HotKeyBringsWindowForward('M'));

  HWND dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_HOTKEY)), 12) << "M is preselected";
  EXPECT_FALSE(Checked(dialog, IDC_OPT_AUTOSTART));
  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(dialog));
}

TEST_F(SettingsScenario, AStoredLetterOutsideAToZFallsBackToM) {
  WriteDword(setting_value::kHotKeyIndex, 40);
  Start();
  EXPECT_TRUE(HotKeyTaken('M'));
  HWND dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_HOTKEY)), 12);
  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(dialog));
  EXPECT_EQ(ReadDword(setting_value::kHotKeyIndex), std::optional<DWORD>(40)) << "cancel stores nothing";
}

TEST_F(SettingsScenario, TheDialogShowsItsControlsLabelledInTabOrder) {
  Start();
  HWND dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  const std::vector<std::wstring> expected = {
      L"Static -1 ホットキー (zero size)",
      OutlineEntry(L"ComboBox", IDC_OPT_HOTKEY),
      OutlineEntry(L"Button", IDC_OPT_AUTOSTART, L"OSの起動時に自動起動する"),
      L"Static -1 起動時に表示するリスト (zero size)",
      OutlineEntry(L"ComboBox", IDC_OPT_STARTLIST),
      L"Static -1 リスト項目の並び順 (zero size)",
      OutlineEntry(L"ComboBox", IDC_OPT_SORTORDER),
      L"Static -1 ホットキーで開く画面 (zero size)",
      OutlineEntry(L"ComboBox", IDC_OPT_HOTKEYSCREEN),
      L"Button 1 OK",
      L"Button 2 CANCEL",
  };
  EXPECT_EQ(ControlOutline(dialog), expected);

  std::vector<std::wstring> letters;
  for (wchar_t c = L'A'; c <= L'Z'; ++c) letters.push_back(std::wstring(1, c));
  EXPECT_EQ(ComboItems(GetDlgItem(dialog, IDC_OPT_HOTKEY)), letters);
  EXPECT_EQ(ComboItems(GetDlgItem(dialog, IDC_OPT_STARTLIST)),
            (std::vector<std::wstring>{L"プログラム一覧", L"ファイル一覧", L"URL一覧", L"メールアドレス一覧"}));
  EXPECT_EQ(ComboItems(GetDlgItem(dialog, IDC_OPT_SORTORDER)),
            (std::vector<std::wstring>{L"名前順", L"名前逆順", L"更新日付の古い順", L"更新日付の新しい順"}));
  EXPECT_EQ(ComboItems(GetDlgItem(dialog, IDC_OPT_HOTKEYSCREEN)), (std::vector<std::wstring>{L"リスト", L"検索"}));
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_HOTKEY)), 12);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_STARTLIST)), 0);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_SORTORDER)), 0);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_HOTKEYSCREEN)), 0);
  EXPECT_TRUE(Checked(dialog, IDC_OPT_AUTOSTART));
  EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, IDC_OPT_HOTKEY));

  // The dialog toggles its check box itself, once per click.
  ClickButton(dialog, IDC_OPT_AUTOSTART);
  EXPECT_TRUE(WaitUntil([&] { return !Checked(dialog, IDC_OPT_AUTOSTART); }));
  ClickButton(dialog, IDC_OPT_AUTOSTART);
  EXPECT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_OPT_AUTOSTART); }));

  // The close box cancels as CANCEL does.
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitForDialogGone(dialog));
}

TEST_F(SettingsScenario, OkStoresAppliesAndReloadsCancelChangesNothing) {
  PlantItems();
  Start();
  ASSERT_EQ(ReadList(ListBox(0)).items, (std::vector<std::wstring>{L"Alpha", L"Beta"}));

  // CANCEL after changing every control: nothing is stored or changed.
  SelectSecondEntries();
  HWND dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, IDC_OPT_HOTKEY), CB_SETCURSEL, 10, 0);
  SendMessageW(GetDlgItem(dialog, IDC_OPT_STARTLIST), CB_SETCURSEL, 2, 0);
  SendMessageW(GetDlgItem(dialog, IDC_OPT_SORTORDER), CB_SETCURSEL, 1, 0);
  ClickButton(dialog, IDC_OPT_AUTOSTART);
  ASSERT_TRUE(WaitUntil([&] { return !Checked(dialog, IDC_OPT_AUTOSTART); }));
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  WaitForIdle();  // what runs after the dialog has closed is done too
  EXPECT_EQ(ReadDword(setting_value::kSortOrder), std::optional<DWORD>(0));
  EXPECT_EQ(ReadDword(setting_value::kHotKeyIndex), std::optional<DWORD>(12));
  EXPECT_EQ(ReadDword(setting_value::kAutoStart), std::optional<DWORD>(1));
  EXPECT_EQ(ReadDword(setting_value::kStartList), std::optional<DWORD>(0));
  EXPECT_TRUE(FileExists(StartupLink()));
  EXPECT_EQ(Selections(), (std::vector<int>{1, 1, 1, 1})) << "cancel leaves the selections alone";
  EXPECT_EQ(ReadList(ListBox(0)).items, (std::vector<std::wstring>{L"Alpha", L"Beta"}));

  // OK with new choices: stored, hot key and autostart applied, lists reloaded.
  dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, IDC_OPT_HOTKEY), CB_SETCURSEL, 10, 0);  // K
  SendMessageW(GetDlgItem(dialog, IDC_OPT_STARTLIST), CB_SETCURSEL, 2, 0);   // URLs at the next start
  SendMessageW(GetDlgItem(dialog, IDC_OPT_SORTORDER), CB_SETCURSEL, 1, 0);   // by name, reversed
  SendMessageW(GetDlgItem(dialog, IDC_OPT_HOTKEYSCREEN), CB_SETCURSEL, 1, 0);   // the hot key opens the search
  ClickButton(dialog, IDC_OPT_AUTOSTART);
  ASSERT_TRUE(WaitUntil([&] { return !Checked(dialog, IDC_OPT_AUTOSTART); }));
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_TRUE(WaitUntil([] { return ReadList(ListBox(0)).items == std::vector<std::wstring>{L"Beta", L"Alpha"}; }));
  EXPECT_EQ(ReadList(ListBox(1)).items, (std::vector<std::wstring>{L"Doc2", L"Doc1"}));
  EXPECT_EQ(ReadList(ListBox(2)).items, (std::vector<std::wstring>{L"Site2", L"Site1"}));
  EXPECT_EQ(ReadList(ListBox(3)).items, (std::vector<std::wstring>{L"Mail2", L"Mail1"}));
  EXPECT_EQ(Selections(), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(ReadDword(setting_value::kSortOrder), std::optional<DWORD>(1));
  EXPECT_EQ(ReadDword(setting_value::kHotKeyIndex), std::optional<DWORD>(10));
  EXPECT_EQ(ReadDword(setting_value::kAutoStart), std::optional<DWORD>(0));
  EXPECT_EQ(ReadDword(setting_value::kStartList), std::optional<DWORD>(2));
  EXPECT_EQ(ReadDword(setting_value::kHotKeyScreen), std::optional<DWORD>(1));
  EXPECT_FALSE(FileExists(StartupLink()));
  EXPECT_FALSE(HotKeyTaken('M')) << "the old hot key is given up";
  EXPECT_TRUE(HotKeyTaken('K'));
  EXPECT_TRUE(ReadList(ListBox(0)).visible) << "the new start list waits for the next start";

  // OK without a change still writes all four values and re-applies autostart.
  WriteDword(setting_value::kStartList, 3);
  DeleteValue(setting_value::kSortOrder);
  WriteShortcut(StartupLink(), L"C:\\Elsewhere\\Hopdeck.exe");
  SelectSecondEntries();
  dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_HOTKEY)), 10);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_STARTLIST)), 2);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_SORTORDER)), 1);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_TRUE(WaitUntil([] { return Selections() == std::vector<int>{0, 0, 0, 0}; }));
  EXPECT_EQ(ReadDword(setting_value::kSortOrder), std::optional<DWORD>(1));
  EXPECT_EQ(ReadDword(setting_value::kStartList), std::optional<DWORD>(2));
  EXPECT_FALSE(FileExists(StartupLink()));
  EXPECT_TRUE(HotKeyTaken('K'));

  // The start list takes effect at the next start.
  ASSERT_EQ(Quit(), std::optional<DWORD>(0));
  Start();
  EXPECT_TRUE(WaitUntil([] { return ReadList(ListBox(2)).focused; }));
  EXPECT_FALSE(ReadList(ListBox(0)).visible);
  EXPECT_EQ(ReadList(ListBox(0)).items, (std::vector<std::wstring>{L"Beta", L"Alpha"}));
}

TEST_F(SettingsScenario, OkKeepsAStoredSortOrderOutsideTheListWhenNoneIsChosen) {
  PlantItems();
  WriteDword(setting_value::kSortOrder, 9);
  WriteDword(setting_value::kStartList, 7);
  WriteDword(setting_value::kHotKeyScreen, 5);  // acts as "リスト"
  Start();
  for (int k = 0; k < 4; ++k) EXPECT_TRUE(ReadList(ListBox(k)).items.empty()) << "list " << k;
  EXPECT_TRUE(WaitUntil([] { return ReadList(ListBox(0)).focused; })) << "a start list outside 0..3 shows programs";

  HWND dialog = OpenGeneralDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_SORTORDER)), -1);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_HOTKEYSCREEN)), -1);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_OPT_STARTLIST)), 0);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  WaitForIdle();  // what runs after the dialog has closed is done too
  EXPECT_EQ(ReadDword(setting_value::kSortOrder), std::optional<DWORD>(9)) << "an empty choice is not stored as -1";
  EXPECT_EQ(ReadDword(setting_value::kHotKeyScreen), std::optional<DWORD>(5));
  EXPECT_EQ(ReadDword(setting_value::kStartList), std::optional<DWORD>(0));
}
