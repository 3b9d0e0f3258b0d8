// The fixed launch lists and the net-radio menu: what each one opens, how the
// pickers stay or close, and what the history then holds.
#include <shlwapi.h>

#include "pickers/radio_pages.h"
#include "harness/harness.h"
#include "pickers/fixed_lists.h"

using namespace e2e;

namespace {

struct HistoryEntry {
  std::wstring path, name;
  bool operator==(const HistoryEntry&) const = default;
};

HistoryEntry History(int index) {
  WaitForIdle();  // the program cannot replace the file while it is open here
  wchar_t path[600] = {}, name[600] = {};
  std::wstring key = std::to_wstring(index);
  GetPrivateProfileStringW(L"FilePath", (L"FilePath" + key).c_str(), L"", path, 600, HistoryFile().c_str());
  GetPrivateProfileStringW(L"FileName", (L"FileName" + key).c_str(), L"", name, 600, HistoryFile().c_str());
  return {path, name};
}

std::wstring Lower(std::wstring text) {
  CharLowerW(text.data());
  return text;
}

// Creates every folder on the way to path's folder.
void MakeFoldersFor(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

}  // namespace

class FixedListScenario : public Scenario {
 protected:
  HWND Open(int command, const std::wstring& title) {
    PostCommand(command);
    HWND dialog = WaitForDialog(title);
    if (dialog != nullptr) list_ = GetDlgItem(dialog, IDC_PICKER_LIST);
    return dialog;
  }
  HWND list_ = nullptr;
};

TEST_F(FixedListScenario, EachPickerOpensOnItsFirstRowUnderItsLabel) {
  struct Case {
    int command;
    const wchar_t* title;
    const wchar_t* label;
    std::size_t rows;
    const wchar_t* first;
  } cases[] = {
      {IDM_FIXED_MAKER, L"Velmora", L"ソフト一覧", 10, L"Hopdeck"},
      {IDM_FIXED_UTILITIES, L"Windowsユーティリティ", L"ユーティリティ一覧", 10, L"Microsoft Edge"},
      {IDM_FIXED_CONTROL_PANEL, L"Windows設定項目", L"設定項目一覧", 11, L"コントロールパネル"},
      {IDM_FIXED_PC_SETTINGS, L"Windows 10 PC設定", L"設定ジャンル一覧", 11, L"設定"},
      {IDM_FIXED_FOLDERS, L"特殊フォルダ選択", L"フォルダ一覧", 12, L"PC"},
  };
  Start();
  for (const Case& c : cases) {
    HWND dialog = Open(c.command, c.title);
    ASSERT_NE(dialog, nullptr) << c.command;
    ListState state = ReadList(list_);
    EXPECT_EQ(state.items.size(), c.rows) << c.command;
    ASSERT_FALSE(state.items.empty());
    EXPECT_EQ(state.items[0], c.first);
    EXPECT_EQ(state.selection, 0);
    EXPECT_TRUE(state.focused) << c.command;
    // The label that names the list for a screen reader stands just before it.
    HWND label = GetWindow(list_, GW_HWNDPREV);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(WindowText(label), c.label);
    ClickButton(dialog, IDCANCEL);
    EXPECT_TRUE(WaitForDialogGone(dialog)) << c.command;
  }
  EXPECT_TRUE(Launches().empty());
}

TEST_F(FixedListScenario, EnterLaunchesAndStaysControlEnterLaunchesAndCloses) {
  // An earlier launch, so that the top of the history means something.
  CreateDirectoryW(L"C:\\ProgramData\\Velmora", nullptr);
  CreateDirectoryW(kDataFolder, nullptr);
  WritePrivateProfileStringW(L"FilePath", L"FilePath0", L"C:\\earlier.lnk", HistoryFile().c_str());
  WritePrivateProfileStringW(L"FileName", L"FileName0", L"earlier", HistoryFile().c_str());
  Start();

  HWND dialog = Open(IDM_FIXED_UTILITIES, L"Windowsユーティリティ");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(BringToFront(dialog));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitForLaunches(1)) << "msedge did not start";
  EXPECT_TRUE(Contains(Launches()[0], L"recorder.exe", true));
  EXPECT_TRUE(WaitUntil([] { return History(0) == HistoryEntry{L"msedge", L"Microsoft Edge"}; }));
  ASSERT_TRUE(KeysHandled(dialog));
  EXPECT_TRUE(IsVisible(dialog)) << "Enter closed the picker";
  EXPECT_EQ(ReadList(list_).selection, 0);

  ASSERT_TRUE(BringToFront(dialog));
  PressKeys({VK_CONTROL, VK_RETURN});
  EXPECT_TRUE(WaitForDialogGone(dialog)) << "Control+Enter left the picker open";
  EXPECT_TRUE(WaitForLaunches(2));
  // The same row twice: one entry, at the top, and the earlier one below it.
  EXPECT_EQ(History(0), (HistoryEntry{L"msedge", L"Microsoft Edge"}));
  EXPECT_EQ(History(1), (HistoryEntry{L"C:\\earlier.lnk", L"earlier"}));
  EXPECT_EQ(History(2), HistoryEntry{});
}

TEST_F(FixedListScenario, ASpecialFolderWithABlankInItsNameIsPassedWhole) {
  // The shell hands a "shell:" name to the handler of that scheme: here the
  // recorder, for this scenario only.
  struct ShellSchemeHandler {
    ShellSchemeHandler() {
      const wchar_t command[] = L"\"C:\\hdtest\\recorder.exe\" \"%1\"";
      RegSetKeyValueW(HKEY_CLASSES_ROOT, L"shell", L"URL Protocol", REG_SZ, L"", sizeof(wchar_t));
      RegSetKeyValueW(HKEY_CLASSES_ROOT, L"shell\\shell\\open\\command", nullptr, REG_SZ, command, sizeof(command));
    }
    ~ShellSchemeHandler() { RegDeleteTreeW(HKEY_CLASSES_ROOT, L"shell"); }
  } handler;
  Start();

  HWND dialog = Open(IDM_FIXED_FOLDERS, L"特殊フォルダ選択");
  ASSERT_NE(dialog, nullptr);
  SendMessageW(list_, LB_SETCURSEL, 4, 0);
  ClickButton(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([] { return History(0) == HistoryEntry{L"shell:My Pictures", L"マイピクチャー"}; }));
  ASSERT_TRUE(WaitForLaunches(1));
  EXPECT_TRUE(Contains(Launches()[0], L"\"shell:My Pictures\"", true)) << ToSjis(Launches()[0]);
}

TEST_F(FixedListScenario, AMakersProductStartsFromThe32BitFolderOrElseItsPageOpens) {
  // Row 2 is installed only in the 32-bit folder; row 3 nowhere.
  const MakerRow& installed = kMakerRows[2];
  const MakerRow& missing = kMakerRows[3];
  const std::wstring path32 = FromSjis(installed.programFilesX86);
  RemoveTree(FolderOf(FromSjis(installed.programFiles)));
  RemoveTree(FolderOf(FromSjis(missing.programFiles)));
  RemoveTree(FolderOf(FromSjis(missing.programFilesX86)));
  MakeFoldersFor(path32);
  ASSERT_TRUE(CopyFileW(L"C:\\hdtest\\recorder.exe", path32.c_str(), FALSE));
  Start();

  HWND dialog = Open(IDM_FIXED_MAKER, L"Velmora");
  ASSERT_NE(dialog, nullptr);
  SendMessageW(list_, LB_SETCURSEL, 2, 0);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForLaunches(1));
  LaunchRecord started = LaunchRecords()[0];
  EXPECT_TRUE(Contains(started.commandLine, path32, true)) << ToSjis(started.commandLine);
  EXPECT_EQ(Lower(started.directory), Lower(FolderOf(path32)));
  EXPECT_TRUE(WaitUntil([&] { return History(0) == HistoryEntry{path32, FromSjis(installed.name)}; }));

  SendMessageW(list_, LB_SETCURSEL, 3, 0);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForLaunches(2));
  const std::wstring page = FromSjis(missing.page);
  EXPECT_TRUE(Contains(Launches()[1], page, true)) << ToSjis(Launches()[1]);
  EXPECT_TRUE(WaitUntil([&] { return History(0) == HistoryEntry{page, FromSjis(missing.name)}; }));
  EXPECT_EQ(History(1).path, path32);
  EXPECT_TRUE(IsVisible(dialog));

  ClickButton(dialog, IDCANCEL);
  WaitForDialogGone(dialog);
  RemoveTree(FolderOf(path32));
}

class RadioScenario : public Scenario {};

TEST_F(RadioScenario, RadioIdsOpenTheirAddressesAndLeaveNoHistory) {
  Start();
  // The ends of the two ranges of radio ids.
  const int ids[] = {IDM_RADIO_PUBLIC_FIRST, IDM_RADIO_PUBLIC_LAST, IDM_RADIO_STATION_FIRST, IDM_RADIO_STATION_LAST};
  for (int id : ids) PostCommand(id);
  ASSERT_TRUE(WaitForLaunches(std::size(ids), 10000));
  std::vector<std::wstring> launches = Launches();
  for (int id : ids) {
    std::wstring address = FromSjis(RadioAddress(id));
    int found = 0;
    for (const std::wstring& line : launches) found += line.find(L"\"" + address + L"\"") != std::wstring::npos;
    EXPECT_EQ(found, 1) << ToSjis(address);
  }
  EXPECT_TRUE(IsVisible(MainWindow()));
  EXPECT_EQ(History(0), HistoryEntry{});
}
