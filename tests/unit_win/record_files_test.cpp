// The record logs on disk, through Wine's private-profile functions: the exact
// bytes of a file written from nothing, loads of hand-edited files,
// RecordLaunch's re-read, move and save, and launches that record nothing.
// Also the list the dialogs fill and the three dialog templates.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "records/launch_win.h"
#include "records/record_log.h"
#include "records/records_win.h"
#include "resources/resource.h"
#include "speech/speech_dispatcher.h"
#include "speech/speech_win.h"
#include "support/support.h"

using test_support::ReadWholeFile;
using test_support::ScratchFolder;
using test_support::WriteWholeFile;

namespace {

const std::string kSo = "\x83\x5c";   // ソ
const std::string kHyo = "\x95\x5c";  // 表

std::string Repeat(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

// Both sections with every key, values from the entries, in index order.
std::string ExpectedFile(const RecordLog& log) {
  std::string bytes = "[FilePath]\r\n";
  for (int i = 0; i < kRecordSlots; ++i) bytes += "FilePath" + std::to_string(i) + "=" + log.entries[i].filePath + "\r\n";
  bytes += "[FileName]\r\n";
  for (int i = 0; i < kRecordSlots; ++i) bytes += "FileName" + std::to_string(i) + "=" + log.entries[i].fileName + "\r\n";
  return bytes;
}

enum class Field { kPath, kName };

// One field of the entries at indexes, in that order: several entries in one check.
std::vector<std::string> FieldsOf(const RecordLog& log, Field field, std::initializer_list<int> indexes) {
  std::vector<std::string> values;
  for (int i : indexes) values.push_back(field == Field::kPath ? log.entries[i].filePath : log.entries[i].fileName);
  return values;
}

class RecordFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u);
    data_ = folder_.path();
  }
  std::string HistoryFile() const { return folder_.File("history.log"); }

  ScratchFolder folder_;
  std::string data_;                      // the DataFolder
  RecordLog history_{{}, "history.log"};  // the history's memory copy
  int engine_ = kNoSpeech;
  HWND window_ = nullptr;
  Voice voice_{engine_, window_, window_};
};

TEST_F(RecordFiles, AFileWrittenFromNothingIsExact) {
  RecordLog log{{}, "BookMark.log"};
  log.entries[0] = {"C:\\ProgramData\\Velmora\\Hopdeck\\Lnk\\" + kSo + "フト.lnk", kSo + "フト"};
  log.entries[1] = {"https://www.example.com/?q=a=b", "例 " + kHyo};
  log.entries[2] = {"mailto:friend@example.com", "友人"};
  EXPECT_TRUE(SaveLog(data_, log));
  EXPECT_EQ(LogFilePath(data_, log), folder_.path() + "\\BookMark.log");
  std::string written = ReadWholeFile(folder_.File("BookMark.log"));
  EXPECT_EQ(written, ExpectedFile(log));

  RecordLog reloaded{{}, "BookMark.log"};
  LoadLog(data_, reloaded);
  for (int i = 0; i < kRecordSlots; ++i) {
    EXPECT_EQ(reloaded.entries[i].filePath, log.entries[i].filePath) << i;
    EXPECT_EQ(reloaded.entries[i].fileName, log.entries[i].fileName) << i;
  }
}

TEST_F(RecordFiles, ASaveAfterClearWritesEveryKeyEmpty) {
  RecordLog log{{}, "history.log"};
  for (int i = 0; i < kRecordSlots; ++i) log.entries[i] = {"p" + std::to_string(i), "n" + std::to_string(i)};
  EXPECT_TRUE(SaveLog(data_, log));
  ClearLog(log);
  EXPECT_TRUE(SaveLog(data_, log));
  EXPECT_EQ(ReadWholeFile(HistoryFile()), ExpectedFile(RecordLog{{}, "history.log"}));
}

// A log that cannot be written is reported, and stays whole as it was.
TEST_F(RecordFiles, AFailedSaveIsReportedAndKeepsTheFile) {
  RecordLog log{{}, "history.log"};
  log.entries[0] = {"C:\\a.txt", "a"};
  ASSERT_TRUE(SaveLog(data_, log));
  const std::string before = ReadWholeFile(HistoryFile());
  log.entries[0] = {"C:\\b.txt", "b"};

  SetFileAttributesA(HistoryFile().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(SaveLog(data_, log));
  SetFileAttributesA(HistoryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadWholeFile(HistoryFile()), before);
  WIN32_FIND_DATAA found;
  EXPECT_EQ(FindFirstFileA(folder_.File("*.tmp").c_str(), &found), INVALID_HANDLE_VALUE) << "a temporary file is left";

  EXPECT_TRUE(SaveLog(data_, log));
  EXPECT_EQ(ReadWholeFile(HistoryFile()), ExpectedFile(log));
}

TEST_F(RecordFiles, LoadsHandEditedFiles) {
  // Keys out of order, a missing section, a value past 260 bytes whose cut
  // falls inside a double-byte character, and text the program does not know.
  std::string tooLong = "a" + Repeat(kSo, 150);
  WriteWholeFile(HistoryFile(), "[Other]\r\nkey=value\r\n[FilePath]\r\nFilePath2=third\r\nFilePath0=" + tooLong +
                                "\r\nFilePath49=last\r\nFilePath50=beyond\r\n");
  RecordLog log{{}, "history.log"};
  log.entries[5] = {"stale", "stale"};  // a load replaces everything
  LoadLog(data_, log);
  EXPECT_EQ(FieldsOf(log, Field::kPath, {0, 1, 2, 5, 49}),
            (std::vector<std::string>{"a" + Repeat(kSo, 129), "", "third", "", "last"}));
  EXPECT_EQ(log.entries[5].fileName, "");
  EXPECT_EQ(ListedCount(log), 1);

  // A save keeps what it does not know about.
  EXPECT_TRUE(SaveLog(data_, log));
  std::string written = ReadWholeFile(HistoryFile());
  EXPECT_NE(written.find("[Other]\r\nkey=value\r\n"), std::string::npos);
  EXPECT_NE(written.find("FilePath50=beyond\r\n"), std::string::npos);
  EXPECT_NE(written.find("FileName49=\r\n"), std::string::npos);

  RecordLog missing{{}, "BookMark.log"};
  missing.entries[0] = {"x", "y"};
  LoadLog(data_, missing);
  EXPECT_EQ(ListedCount(missing), 0);
  EXPECT_EQ(missing.entries[0].fileName, "");
}

TEST_F(RecordFiles, RecordLaunchRereadsMovesTheHighestCopyAndSaves) {
  RecordLog onDisk{{}, "history.log"};
  for (int i = 0; i < 12; ++i) onDisk.entries[i] = {"p" + std::to_string(i), "n" + std::to_string(i)};
  onDisk.entries[3] = {"dup", "at three"};
  onDisk.entries[9] = {"dup", "at nine"};
  EXPECT_TRUE(SaveLog(data_, onDisk));
  history_.entries[0] = {"only in memory", "x"};  // discarded by the re-read

  EXPECT_TRUE(RecordLaunch(data_, history_, "dup", "run"));
  RecordLog after{{}, "history.log"};
  LoadLog(data_, after);
  EXPECT_EQ(FieldsOf(after, Field::kPath, {0, 1, 9, 11}), (std::vector<std::string>{"dup", "p0", "p8", "p11"}));
  EXPECT_EQ(FieldsOf(after, Field::kName, {0, 4}), (std::vector<std::string>{"run", "at three"}));
  EXPECT_EQ(ListedCount(after), 12);
  EXPECT_EQ(history_.entries[0].filePath, "dup");

  // The fields of a history entry may be passed in directly.
  EXPECT_TRUE(RecordLaunch(data_, history_, history_.entries[11].filePath, history_.entries[11].fileName));
  LoadLog(data_, after);
  EXPECT_EQ(after.entries[0].filePath, "p11");
  EXPECT_EQ(after.entries[0].fileName, "n11");

  // An empty target is not recorded: the history stays as it was.
  std::string before = ReadWholeFile(HistoryFile());
  EXPECT_TRUE(RecordLaunch(data_, history_, "", "broken item"));
  EXPECT_EQ(ReadWholeFile(HistoryFile()), before);
}

TEST_F(RecordFiles, RecordLaunchIntoNothingMakesTheFile) {
  EXPECT_TRUE(RecordLaunch(data_, history_, "https://example.com/", "例"));
  RecordLog expected{{}, "history.log"};
  expected.entries[0] = {"https://example.com/", "例"};
  EXPECT_EQ(ReadWholeFile(HistoryFile()), ExpectedFile(expected));
}

// What the lists, the record dialogs and the fixed lists share: nothing
// opened, nothing recorded, and no history file made.
TEST_F(RecordFiles, ALaunchThatOpensNothingRecordsNothing) {
  Launch(nullptr, voice_, data_, history_, "", "broken item");
  LaunchWithBrowser(nullptr, voice_, data_, history_, -1, "", "broken item");
  LaunchWithBrowser(nullptr, voice_, data_, history_, 0, "https://example.com/?q=\"x\"", "quoted");
  // Neither a chosen browser nor the default handler is handed a program path.
  LaunchWithBrowser(nullptr, voice_, data_, history_, 0, "C:\\hdtest\\recorder.exe", "program");
  LaunchWithBrowser(nullptr, voice_, data_, history_, -1, "C:\\hdtest\\recorder.exe", "program");
  EXPECT_EQ(GetFileAttributesA(HistoryFile().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ListedCount(history_), 0);
}

// ---- the dialog templates and the list they show ----

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct DialogOwner {
  explicit DialogOwner(const char* name)
      : window(CreateDialogParamA(GetModuleHandleA(nullptr), name, nullptr, QuietProc, 0)) {}
  ~DialogOwner() {
    if (window) DestroyWindow(window);
  }
  HWND window;
};

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(RecordDialogs, TemplatesNameEachFieldAndNeverSort) {
  struct Case {
    const char* name;
    const char* caption;
    int field;
    const char* label;
    std::vector<std::pair<int, const char*>> buttons;
  };
  const Case cases[] = {
      {"HistoryDialog", "履歴一覧", IDC_RECORD_LIST, "履歴一覧",
       {{IDOK, "OK"}, {IDCANCEL, "CANCEL"}, {IDC_HISTORY_CLEAR, "全履歴削除"}}},
      {"BookMarkDialog", "お気に入り一覧", IDC_RECORD_LIST, "お気に入り一覧", {{IDOK, "OK"}, {IDCANCEL, "CANCEL"}}},
      {"WBDialog", "ブラウザ選択", IDC_BROWSER_COMBO, "ブラウザ", {{IDOK, "OK"}, {IDCANCEL, "CANCEL"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogOwner dialog(c.name);
    ASSERT_NE(dialog.window, nullptr);
    EXPECT_EQ(TextOf(dialog.window), c.caption);
    HWND field = GetDlgItem(dialog.window, c.field);
    ASSERT_NE(field, nullptr);
    HWND label = GetWindow(field, GW_HWNDPREV);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(TextOf(label), c.label);
    RECT box{};
    GetWindowRect(label, &box);
    EXPECT_EQ(box.right - box.left, 0);
    EXPECT_EQ(box.bottom - box.top, 0);
    LONG style = GetWindowLongA(field, GWL_STYLE);
    EXPECT_TRUE(style & WS_TABSTOP);
    if (std::string(c.name) == "WBDialog") {
      EXPECT_EQ(style & 0x3, CBS_DROPDOWNLIST);
      EXPECT_FALSE(style & CBS_SORT);
    } else {
      EXPECT_FALSE(style & LBS_SORT);
      EXPECT_FALSE(style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
      EXPECT_TRUE(style & LBS_NOTIFY);
    }
    for (const auto& [id, text] : c.buttons) {
      HWND button = GetDlgItem(dialog.window, id);
      ASSERT_NE(button, nullptr) << id;
      EXPECT_EQ(TextOf(button), text);
    }
    EXPECT_EQ(LOWORD(SendMessageA(dialog.window, DM_GETDEFID, 0, 0)), IDOK);
  }
}

std::string LineOf(HWND list, int line) {
  char text[kRecordLineBytes + 16] = {};
  if (SendMessageA(list, LB_GETTEXTLEN, line, 0) >= static_cast<LRESULT>(sizeof text)) return "<too long>";
  SendMessageA(list, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(RecordDialogs, FillRecordListShowsTheEntriesBeforeTheFirstEmptyOne) {
  DialogOwner dialog("HistoryDialog");
  ASSERT_NE(dialog.window, nullptr);
  HWND list = GetDlgItem(dialog.window, IDC_RECORD_LIST);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("left over"));

  RecordLog log{{}, "history.log"};
  log.entries[0] = {"mailto:friend@example.com", "友人"};
  log.entries[1] = {"C:\\" + kSo + "\\a.lnk", kHyo};
  log.entries[2] = {Repeat("b", 260), Repeat(kHyo, 130)};
  log.entries[4] = {"after the gap", "hidden"};
  FillRecordList(dialog.window, log);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(LineOf(list, 0), "友人 - friend@example.com");
  EXPECT_EQ(LineOf(list, 1), kHyo + " - C:\\" + kSo + "\\a.lnk");
  EXPECT_EQ(LineOf(list, 2), Repeat(kHyo, 130) + " - " + Repeat("b", 256));
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);

  FillRecordList(dialog.window, RecordLog{{}, "history.log"});
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

}  // namespace
