// The end-to-end driver: starts the real Hopdeck.exe under Wine and acts on it
// as a user does, through keys, dialogs and message boxes, and reads back what
// it showed, spoke, wrote and launched.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/setting_values.h"
#include "support/support.h"

namespace e2e {

// Where a scenario installs the program: Hopdeck.exe (and the speech doubles
// it asks for) are copied here before each scenario.
inline constexpr wchar_t kAppFolder[] = L"C:\\hdtest\\app";
inline constexpr wchar_t kDataFolder[] = L"C:\\ProgramData\\Velmora\\Hopdeck";
inline constexpr wchar_t kItemFolder[] = L"C:\\ProgramData\\Velmora\\Hopdeck\\Lnk";
inline constexpr wchar_t kSettingsKey[] = L"Software\\Velmora\\Hopdeck";
// What the launch recorder and the speech doubles write (one line per event, UTF-8).
inline constexpr wchar_t kLaunchLog[] = L"C:\\hdtest\\launches.log";
inline constexpr wchar_t kSpeechLog[] = L"C:\\hdtest\\speech.log";

// Texts every list and dialog that deletes or opens a browser shows or speaks.
inline constexpr wchar_t kDeleteCaption[] = L"削除確認";
inline constexpr wchar_t kDeleted[] = L"削除しました";
inline constexpr wchar_t kNotDeleted[] = L"削除できませんでした";
inline constexpr wchar_t kBrowserTitle[] = L"ブラウザ選択";

// Text conversions: Shift-JIS bytes (what Hopdeck writes) and UTF-8 (logs) to UTF-16 and back.
std::wstring FromSjis(const std::string& bytes);
std::string ToSjis(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);

using test_support::BuildDir;
using test_support::RemoveTree;

// Polls until condition holds or timeoutMs passes; returns the last result.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// ---- processes ----
using Process = test_support::OwnedProcess;

// ---- windows ----
HWND MainWindow();  // class "Hopdeck", title "Hopdeck", hidden ones included
std::wstring WindowText(HWND window);
void SetWindowTextOf(HWND control, const std::wstring& text);
HWND ListBox(int listKind);  // IDC_LIST_PROGRAMS + listKind of the main window
bool IsVisible(HWND window);
HWND FocusOf(HWND window);  // the focused window of window's thread
HWND Foreground();
// Whether the notification area holds Hopdeck's icon (its window, id 0).
bool TrayIconShown();
// The first top-level window, front to back, that match accepts; null when none does.
HWND FirstWindow(const std::function<bool(HWND)>& match);
// A visible top-level dialog (class #32770) with this caption.
HWND FindDialog(const std::wstring& caption);
// Waits for the dialog, then until it is in front with the focus inside it.
HWND WaitForDialog(const std::wstring& caption, int timeoutMs = 5000);
// Whether window is in front, has the keyboard focus on one of its controls, and takes messages.
bool InFrontWithFocus(HWND window);
// Waits until the dialog is destroyed: a modal dialog is destroyed only after
// the handler that ended it has returned, so all that handler did is done.
bool WaitForDialogGone(HWND dialog, int timeoutMs = 5000);
// The static text of a message box.
std::wstring MessageBoxText(HWND box);
// Posts BM_CLICK to the button with this id (IDOK, IDCANCEL, IDYES, IDNO, ...).
void ClickButton(HWND dialog, int id);
// Answers a message box and waits until it has gone.
void AnswerMessageBox(HWND box, int buttonId);

// Top-level windows of this test, made and owned by a thread of their own
// that keeps answering messages: Hopdeck restores, activates or sends to them
// from its own thread, and those calls wait until this side answers. make
// runs on that thread; the windows go with this object.
class WindowThread {
 public:
  explicit WindowThread(std::function<std::vector<HWND>()> make);
  ~WindowThread();
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  HWND operator[](std::size_t i) const { return windows_.at(i); }
  std::size_t size() const { return windows_.size(); }

 private:
  static DWORD WINAPI Run(void* self);
  std::function<std::vector<HWND>()> make_;
  std::vector<HWND> windows_;
  HANDLE ready_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
};

struct ListState {
  std::vector<std::wstring> items;
  int selection = -1;
  bool visible = false;
  bool focused = false;
  // Where item stands in items; -1 when it is not there.
  int IndexOf(const std::wstring& item) const {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i] == item) return static_cast<int>(i);
    }
    return -1;
  }
};
ListState ReadList(HWND list);
std::vector<std::wstring> ComboItems(HWND combo);
// A dialog's controls in tab order, one line each: class, id, text (not for
// combo boxes) and " (zero size)" for a control without size, such as the
// labels that name the next field for screen readers.
std::vector<std::wstring> ControlOutline(HWND dialog);
// The line ControlOutline gives for a sized control of this class and id
// with this text (left out for a combo box).
std::wstring OutlineEntry(const std::wstring& className, int id, const std::wstring& text = L"");
int ComboSelection(HWND combo);

// ---- keyboard ----
// Brings window to the front and waits until it is there with the focus on
// one of its controls, so keys reach it.
bool BringToFront(HWND window);
// Presses a chord: all keys down in order, then up in reverse ({VK_CONTROL, '3'}),
// once Hopdeck's front-most enabled window is brought to the front as
// BringToFront does (a modal window's, while one is open). While Hopdeck
// shows no window, the keys can only be for its hot key and go at once.
void PressKeys(std::initializer_list<WORD> keys);
// Posts WM_COMMAND id to the main window (does not wait for a dialog it opens).
void PostCommand(int id);
// Returns once Hopdeck's thread takes messages again: the command or key it
// was handling is done, and no file it writes is half written or held open.
void WaitForIdle();
// Returns once every key pressed before into dialog has been handled: keys are
// handled in the order pressed, so once a Tab has moved the focus on, the keys
// before it are done. Shift+Tab then moves the focus back where it was.
// Fails when the dialog has closed.
::testing::AssertionResult KeysHandled(HWND dialog);

// ---- registry (HKEY_CURRENT_USER\Software\Velmora\Hopdeck unless a key is given) ----
std::optional<DWORD> ReadDword(const std::wstring& name, const std::wstring& key = kSettingsKey);
void WriteDword(const std::wstring& name, DWORD value, const std::wstring& key = kSettingsKey);
struct RegValue {
  DWORD type = 0;
  std::string data;
};
std::optional<RegValue> ReadValue(const std::wstring& name, const std::wstring& key = kSettingsKey);
void WriteBinaryValue(const std::wstring& name, DWORD type, const std::string& data,
                      const std::wstring& key = kSettingsKey);
void DeleteValue(const std::wstring& name, const std::wstring& key = kSettingsKey);
bool KeyExists(const std::wstring& key = kSettingsKey);

// ---- files ----
bool FileExists(const std::wstring& path);
// Reads only while Hopdeck is idle: the program replaces the files it saves,
// and a replace fails while the file is open here (under Wine as on Windows).
std::string ReadFileBytes(const std::wstring& path);
// Adds a failure when the file cannot be written.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The names of the files (folders left out) that match pattern ("C:\\x\\*.lnk").
using test_support::FileNames;
std::wstring ShellFolder(int csidl);  // CSIDL_STARTUP, CSIDL_SENDTO, ...
// Writes a shortcut through the shell-link object.
void WriteShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& arguments = L"");
struct ShortcutInfo {
  std::wstring target, arguments, workingDirectory;
};
std::optional<ShortcutInfo> ReadShortcut(const std::wstring& linkPath);

// ---- clipboard ----
std::wstring ClipboardText();

// ---- what Hopdeck launched (recorder.exe command lines) ----
struct LaunchRecord {
  std::wstring commandLine;  // as the recorder received it, its own path included
  std::wstring directory;    // the recorder's current directory
};
std::vector<LaunchRecord> LaunchRecords();
// The command lines alone.
std::vector<std::wstring> Launches();
// Waits until at least count launches were logged.
bool WaitForLaunches(std::size_t count, int timeoutMs = 5000);

// ---- what Hopdeck spoke (speech doubles) ----
struct SpeechCall {
  double ms = 0;                // milliseconds since the double was loaded
  unsigned long thread = 0;
  std::wstring function;        // "8", "69", "speakText", "cancelSpeech", "brailleMessage", "SayString", ...
  std::wstring text;
  std::wstring detail;          // how it was to be spoken, where the double tells ("flush", "async purge", ...)
};
std::vector<SpeechCall> SpeechLog();
// The log as it stands, read without waiting for Hopdeck to be idle: for a
// test of whether Hopdeck's thread waits on a reader.
std::vector<SpeechCall> SpeechLogNow(bool idle = false);
// The texts handed to a speaking call, in order.
std::vector<std::wstring> SpokenTexts();
// How often text has been handed to a speaking call.
int CountSpoken(const std::wstring& text);
// How often text has reached any call of the speech doubles. NVDA's braille
// message comes at once on Hopdeck's window thread (its speech later, on a
// thread of its own), so once a command is handled, this count is final.
int CountSaid(const std::wstring& text);

// From the first entry of a dialog's list in front: Right then Down moves the
// selection to the second entry and Left leaves it there.
::testing::AssertionResult OnlyDownMovesTheSelection(HWND list);

// ---- what a scenario plants in the data folder and reads back ----
std::wstring ItemFile(const std::wstring& fileName);  // in kItemFolder
std::wstring HistoryFile();
std::wstring FavouritesFile();
// The item folder made ahead of Hopdeck, so a scenario can plant items.
void MakeItemFolder();
enum class ItemKind { kShortcut, kUrl, kMail };
// Plants item name (the item folder made first): a shortcut to value with
// arguments, a URL file for value, or a mail file whose address line is
// value as given ("mailto:..." or anything else).
void PlantItem(ItemKind kind, const std::wstring& name, const std::wstring& value, const std::wstring& arguments = L"");
// Plants a URL or mail item for each name, whose target does not matter:
// https://example.com/ or mailto:<name>@example.jp.
void PlantItems(ItemKind kind, std::initializer_list<const wchar_t*> names);

// ---- driving the main window ----
// Whether part stands in text; anyCase ignores letter case.
bool Contains(std::wstring text, std::wstring part, bool anyCase = false);
// Shows list kind through Control+1..4 and waits until it has the focus and
// a selection (unless it is empty), then a moment for its name to be spoken,
// so that later texts are the next command's.
::testing::AssertionResult ShowList(int kind);
// Posts command to the main window (brought to the front first while it
// takes input) and waits for the dialog it opens; null when none came.
HWND OpenDialog(int command, const std::wstring& caption);
// Waits for the message box with this caption, checks its text, answers it
// with the button answer and waits until it has gone.
::testing::AssertionResult ExpectMessageBox(const std::wstring& caption, const std::wstring& text, int answer);

// Every scenario starts from nothing: no Hopdeck running, no data folder, no
// settings key, no logs, and Hopdeck.exe freshly copied into kAppFolder.
class Scenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Which stand-ins sit beside Hopdeck.exe. Call before Start().
  // kFull and kWithoutIsSpeaking: nvdaControllerClient32.dll with and without
  // the zero-argument isSpeaking; the others nvdaControllerClient.dll with the
  // zero-argument isSpeaking, the pointer form, and the pointer form and isSpeakingJp.
  enum class Nvda { kNone, kFull, kWithoutIsSpeaking, kCurrent, kCurrentPointer, kCurrentJp };
  void PlaceSpeechDoubles(bool pcTalker, Nvda nvda);

  // Starts Hopdeck.exe (from kAppFolder unless currentDir says otherwise)
  // and waits for its main window to show.
  const Process& Start(const std::wstring& argument = L"", const std::wstring& currentDir = kAppFolder);
  // Starts without waiting for a window (a second instance, say).
  Process Launch(const std::wstring& argument = L"", const std::wstring& currentDir = kAppFolder);
  // Closes Hopdeck through Alt+Shift+F4 and Yes; the exit code.
  std::optional<DWORD> Quit();

  Process hopdeck_;
};

}  // namespace e2e
