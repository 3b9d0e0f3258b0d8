// The Send-to cleanup and the program's own Send-to entry.
#include <shlobj.h>

#include <algorithm>

#include "harness/harness.h"

using namespace e2e;

namespace {

constexpr wchar_t kTitle[] = L"送るメニューの整理";
constexpr wchar_t kQuestionTail[] = L"のショートカットを送るメニューから削除してもよろしいですか？";
constexpr wchar_t kRecorder[] = L"C:\\hdtest\\recorder.exe";

std::wstring SendTo() { return ShellFolder(CSIDL_SENDTO); }
std::wstring LinkIn(const std::wstring& name) { return SendTo() + L"\\" + name + L".lnk"; }

}  // namespace

class SendToScenario : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    // Only the shortcuts a scenario plants: clear what earlier runs left.
    CreateDirectoryW(SendTo().c_str(), nullptr);
    for (const std::wstring& name : FileNames(SendTo() + L"\\*.lnk")) RemoveTree(SendTo() + L"\\" + name);
    WriteDword(setting_value::kSpeechEngine, 2);  // NVDA, so that announcements reach the speech log
    PlaceSpeechDoubles(false, Nvda::kFull);
  }

  HWND Open() {
    PostCommand(IDM_SEND_TO_CLEANUP);
    HWND dialog = WaitForDialog(kTitle);
    if (dialog != nullptr) list_ = GetDlgItem(dialog, IDC_PICKER_LIST);
    return dialog;
  }

  // Selects line index and presses Delete; the question box, or nullptr.
  HWND AskToDelete(HWND dialog, int index) {
    SendMessageW(list_, LB_SETCURSEL, index, 0);
    if (!BringToFront(dialog)) return nullptr;  // the list keeps the focus inside the picker
    PressKeys({VK_DELETE});
    return WaitForDialog(kDeleteCaption);
  }

  int IndexOf(const std::wstring& name) { return ReadList(list_).IndexOf(name); }

  HWND list_ = nullptr;
};

TEST_F(SendToScenario, DeleteAsksFirstAndKeepsThePlaceInTheList) {
  WriteShortcut(LinkIn(L"a.b.c"), kRecorder);
  WriteShortcut(LinkIn(L"Zeta"), kRecorder);
  Start();
  ASSERT_TRUE(FileExists(LinkIn(L"Hopdeck"))) << "the program's own entry was not written";

  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ListState state = ReadList(list_);
  std::vector<std::wstring> names = state.items;
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Hopdeck", L"Zeta", L"a.b.c"}));
  EXPECT_EQ(state.selection, 0);

  // Left and Right do not move the selection.
  ASSERT_TRUE(BringToFront(dialog));
  EXPECT_TRUE(OnlyDownMovesTheSelection(list_));

  // No: nothing changes and nothing is spoken.
  const int last = 2;
  const std::wstring lastName = state.items[last];
  HWND box = AskToDelete(dialog, last);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), lastName + kQuestionTail);
  AnswerMessageBox(box, IDNO);
  EXPECT_EQ(ReadList(list_).items, state.items);
  EXPECT_TRUE(FileExists(LinkIn(lastName)));
  EXPECT_EQ(CountSpoken(kDeleted), 0);

  // Yes on the last line: gone, and the new last line is selected.
  box = AskToDelete(dialog, last);
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return ReadList(list_).items.size() == 2; }));
  EXPECT_FALSE(FileExists(LinkIn(lastName)));
  EXPECT_EQ(ReadList(list_).selection, 1);
  EXPECT_TRUE(WaitUntil([] { return CountSpoken(kDeleted) == 1; }));

  // Then the program's own entry, then the only one left.
  box = AskToDelete(dialog, IndexOf(L"Hopdeck"));
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return ReadList(list_).items.size() == 1; }));
  EXPECT_EQ(ReadList(list_).selection, 0);
  box = AskToDelete(dialog, 0);
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return ReadList(list_).items.empty(); }));
  EXPECT_EQ(ReadList(list_).selection, -1);
  EXPECT_TRUE(WaitUntil([] { return CountSpoken(kDeleted) == 3; }));

  // With the list empty Delete asks nothing; Enter does nothing; Escape closes.
  ASSERT_TRUE(BringToFront(dialog));
  PressKeys({VK_DELETE});
  EXPECT_EQ(WaitForDialog(kDeleteCaption, 500), nullptr);
  PressKeys({VK_RETURN});
  ASSERT_TRUE(KeysHandled(dialog));
  EXPECT_TRUE(IsVisible(dialog)) << "Enter closed the picker";
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(WaitForDialogGone(dialog));

  // The program's own entry comes back at the next start, pointing to the program.
  ASSERT_EQ(Quit(), std::optional<DWORD>(0));
  ASSERT_FALSE(FileExists(LinkIn(L"Hopdeck")));
  Start();
  auto own = ReadShortcut(LinkIn(L"Hopdeck"));
  ASSERT_TRUE(own.has_value());
  EXPECT_EQ(lstrcmpiW(own->target.c_str(), (std::wstring(kAppFolder) + L"\\Hopdeck.exe").c_str()), 0)
      << ToSjis(own->target);
}

TEST_F(SendToScenario, AShortcutThatCannotBeDeletedStaysAndIsNotAnnouncedAsDeleted) {
  WriteShortcut(LinkIn(L"Locked"), kRecorder);
  SetFileAttributesW(LinkIn(L"Locked").c_str(), FILE_ATTRIBUTE_READONLY);
  Start();

  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  int locked = IndexOf(L"Locked");
  ASSERT_NE(locked, -1);
  HWND box = AskToDelete(dialog, locked);
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDYES);
  EXPECT_TRUE(WaitUntil([] { return CountSpoken(kDeleted) + CountSpoken(kNotDeleted) > 0; }));
  EXPECT_TRUE(FileExists(LinkIn(L"Locked")));
  EXPECT_EQ(IndexOf(L"Locked"), locked);
  EXPECT_EQ(ReadList(list_).selection, locked);
  EXPECT_EQ(CountSpoken(kDeleted), 0);
  EXPECT_EQ(CountSpoken(kNotDeleted), 1);
  SetFileAttributesW(LinkIn(L"Locked").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SendToScenario, AnExistingOwnEntryIsNotRewritten) {
  const std::string planted = "not a shortcut, but the user's own file";
  WriteFileBytes(LinkIn(L"Hopdeck"), planted);
  Start();
  EXPECT_EQ(ReadFileBytes(LinkIn(L"Hopdeck")), planted);
}
