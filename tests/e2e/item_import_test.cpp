// Taking in shortcuts from the Start menu and the desktop (IDM_IMPORT_FROM_START_MENU,
// Control+I). The shortcuts are made through the shell-link object in a
// folder of the test's own and copied into place: a shortcut saved straight
// into a Start-menu folder would have Wine add it to the Linux desktop's menus.
#include "item_scenario.h"

#include <commctrl.h>
#include <shlobj.h>

using namespace item_e2e;

namespace {

constexpr wchar_t kTitle[] = L"スタートメニューから取り込む";
constexpr wchar_t kStaging[] = L"C:\\hdtest\\import";
// The user's desktop is a link to the Linux home folder in a Wine prefix;
// the scenarios point it at a folder of their own instead.
constexpr wchar_t kUserDesktop[] = L"C:\\hdtest\\desktop";
constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr wchar_t kSubfolder[] = L"HdTest";
// A folder and a shortcut whose names code page 932 cannot carry.
constexpr wchar_t kWideSubfolder[] = L"Pok\u00e9mon \u03a9";
constexpr wchar_t kWideLink[] = L"Caf\u00e9 Tool\u2122";

std::wstring CommonPrograms() { return ShellFolder(CSIDL_COMMON_PROGRAMS); }
std::wstring UserPrograms() { return ShellFolder(CSIDL_PROGRAMS); }
std::wstring CommonDesktop() { return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY); }

void PlantLink(const std::wstring& folder, const std::wstring& name, const std::wstring& target,
               const std::wstring& arguments = L"") {
  std::wstring staged = std::wstring(kStaging) + L"\\" + name + L".lnk";
  WriteShortcut(staged, target, arguments);
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(staged.c_str(), (folder + L"\\" + name + L".lnk").c_str(), FALSE)) << ToSjis(name);
}

// An entry's check box, read without a pointer so that it crosses processes.
bool Checked(HWND list, int index) {
  return (SendMessageW(list, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK) >> 12) == 2;
}
std::vector<bool> Checks(HWND list) {
  std::vector<bool> checks;
  LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) checks.push_back(Checked(list, i));
  return checks;
}

std::vector<std::wstring> ItemFiles() { return FileNames(std::wstring(kItemFolder) + L"\\*.*"); }

}  // namespace

class ImportScenario : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    RemovePlanted();
    savedDesktop_ = ReadValue(L"Desktop", kShellFolders);
    std::wstring desktop = kUserDesktop;
    WriteBinaryValue(L"Desktop", REG_EXPAND_SZ, ToSjis(desktop) + '\0', kShellFolders);
    CreateDirectoryW(kUserDesktop, nullptr);
    CreateDirectoryW(kStaging, nullptr);

    // Offered: Editor and Viewer checked; Manual, Site and the uninstaller not.
    PlantLink(CommonPrograms() + L"\\" + kSubfolder, L"Editor", L"C:\\Tools\\Editor.exe", L"--new");
    PlantLink(UserPrograms() + L"\\" + kSubfolder, L"Uninstall Editor", L"C:\\Tools\\unins000.exe");
    PlantLink(UserPrograms(), L"Viewer", L"C:\\Tools\\viewer.exe");
    PlantLink(CommonDesktop(), L"Manual", L"C:\\Docs\\manual.pdf");
    WriteFileBytes(std::wstring(kUserDesktop) + L"\\Site.url", "[InternetShortcut]\r\nURL=https://site.example/\r\n");
    // Not offered: a folder, and a name found before on the Start menu.
    PlantLink(CommonDesktop(), L"Windows", L"C:\\windows");
    PlantLink(kUserDesktop, L"Viewer", L"C:\\Other\\viewer.exe");
    PlantItem(ItemKind::kShortcut, L"Aaa", L"C:\\Tools\\aaa.exe");

    WriteDword(setting_value::kSpeechEngine, 1);  // PC-Talker, whose stand-in logs what is spoken
    PlaceSpeechDoubles(true, Nvda::kNone);
  }

  void TearDown() override {
    Scenario::TearDown();
    RemovePlanted();
    if (savedDesktop_) {
      WriteBinaryValue(L"Desktop", savedDesktop_->type, savedDesktop_->data, kShellFolders);
    } else {
      DeleteValue(L"Desktop", kShellFolders);
    }
  }

  HWND OpenImportDialog(bool byKey) {
    if (!byKey) return OpenDialog(IDM_IMPORT_FROM_START_MENU, kTitle);
    BringToFront(MainWindow());
    PressKeys({VK_CONTROL, 'I'});
    return WaitForDialog(kTitle);
  }

  static constexpr wchar_t kFound[] = L"5件見つかりました。うち2件を選択しています";

 private:
  static void RemovePlanted() {
    RemoveTree(CommonPrograms() + L"\\" + kSubfolder);
    RemoveTree(UserPrograms() + L"\\" + kSubfolder);
    RemoveTree(UserPrograms() + L"\\" + kWideSubfolder);
    DeleteFileW((UserPrograms() + L"\\Viewer.lnk").c_str());
    DeleteFileW((CommonDesktop() + L"\\Manual.lnk").c_str());
    DeleteFileW((CommonDesktop() + L"\\Windows.lnk").c_str());
    RemoveTree(kUserDesktop);
    RemoveTree(kStaging);
  }

  std::optional<RegValue> savedDesktop_;
};

TEST_F(ImportScenario, TakesInTheCheckedShortcutsAndFocusesTheFirstNewProgram) {
  Start();
  ASSERT_TRUE(ShowList(2));
  std::size_t spoken = SpokenTexts().size();
  HWND dialog = OpenImportDialog(true);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(SpokenAfter(spoken, kFound));

  // Editor, Manual, Site, Uninstall Editor, Viewer; the focus on the first.
  HWND list = Field(dialog, IDC_IMPORT_LIST);
  EXPECT_EQ(Checks(list), (std::vector<bool>{true, false, false, false, true}));
  EXPECT_TRUE(FocusIn(dialog, IDC_IMPORT_LIST));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_FOCUSED), LVIS_FOCUSED);
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  PressKeys({VK_SPACE});
  EXPECT_TRUE(WaitUntil([&] { return Checked(list, 2); })) << "Space checks Site";

  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_TRUE(SpokenAfter(spoken, L"3件の項目を追加しました"));
  EXPECT_TRUE(WaitUntil([] {
    return FocusOf(MainWindow()) == ListBox(0) && Selection(0) == 1 && !IsVisible(ListBox(2));
  })) << "the focus is on Editor in the programs list";
  EXPECT_EQ(Entries(0), (std::vector<std::wstring>{L"Aaa", L"Editor", L"Viewer"}));
  EXPECT_EQ(Entries(1), std::vector<std::wstring>{});
  EXPECT_EQ(Entries(2), std::vector<std::wstring>{L"Site"});

  auto editor = ReadShortcut(ItemFile(L"Editor.lnk"));
  ASSERT_TRUE(editor.has_value());
  EXPECT_EQ(editor->target, L"C:\\Tools\\Editor.exe");
  EXPECT_EQ(editor->arguments, L"--new");
  EXPECT_EQ(editor->workingDirectory, L"C:\\Tools");
  EXPECT_EQ(ReadShortcut(ItemFile(L"Viewer.lnk"))->target, L"C:\\Tools\\viewer.exe");
  EXPECT_EQ(ReadFileBytes(ItemFile(L"Site.url")), "[InternetShortcut]\r\nURL=https://site.example/\r\n");
  EXPECT_EQ(ItemFiles().size(), 4u) << "nothing else was written, Hopdeck's own shortcut not taken either";
}

// The folder is walked, the shortcut offered checked under a name the code
// page carries, copied byte for byte, and Enter runs its own target.
TEST_F(ImportScenario, AShortcutWhoseNameTheCodePageLacksIsTakenInAndRuns) {
  PlantLink(UserPrograms() + L"\\" + kWideSubfolder, kWideLink, L"C:\\hdtest\\recorder.exe", L"from-cafe");
  Start();
  std::size_t spoken = SpokenTexts().size();
  HWND dialog = OpenImportDialog(true);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(SpokenAfter(spoken, L"6件見つかりました。うち3件を選択しています"));
  EXPECT_EQ(Checks(Field(dialog, IDC_IMPORT_LIST)), (std::vector<bool>{true, true, false, false, false, true}));
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_TRUE(SpokenAfter(spoken, L"3件の項目を追加しました"));
  EXPECT_EQ(Entries(0), (std::vector<std::wstring>{L"Aaa", L"Cafe Tool", L"Editor", L"Viewer"}));
  const std::wstring source = UserPrograms() + L"\\" + kWideSubfolder + L"\\" + kWideLink + L".lnk";
  EXPECT_EQ(ReadFileBytes(ItemFile(L"Cafe Tool.lnk")), ReadFileBytes(source));

  ASSERT_TRUE(WaitUntil([] { return FocusOf(MainWindow()) == ListBox(0) && Selection(0) == 1; }));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"from-cafe", true)) << ToSjis(Launches()[0]);
}

TEST_F(ImportScenario, CancelChangesNothing) {
  Start();
  std::size_t spoken = SpokenTexts().size();
  HWND dialog = OpenImportDialog(false);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(SpokenAfter(spoken, kFound));
  EXPECT_EQ(ControlOutline(dialog), (std::vector<std::wstring>{
                                        L"Static -1 取り込む項目(&L) (zero size)",
                                        OutlineEntry(L"SysListView32", IDC_IMPORT_LIST, L""),
                                        OutlineEntry(L"Button", IDC_IMPORT_CHECK_ALL, L"すべて選択(&A)"),
                                        OutlineEntry(L"Button", IDC_IMPORT_CHECK_NONE, L"すべて解除(&N)"),
                                        L"Button 1 取り込む",
                                        L"Button 2 キャンセル",
                                    }));
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitForDialogGone(dialog));
  WaitForIdle();
  EXPECT_EQ(ItemFiles(), std::vector<std::wstring>{L"Aaa.lnk"});
  EXPECT_EQ(Entries(0), std::vector<std::wstring>{L"Aaa"});
  EXPECT_TRUE(WaitUntil([] { return FocusOf(MainWindow()) == ListBox(0); }));
  EXPECT_EQ(SpokenTexts().size(), spoken + 1) << "only the opening announcement was spoken";
}
