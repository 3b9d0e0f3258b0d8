// JAWS, Narrator, a SAPI voice and "自動" as the user meets them: what reaches
// each stand-in, from which thread, and how "自動" and the speech dialog's
// test button follow the readers that run, without a restart.
#include "speech_scenario.h"

using namespace e2e;
using namespace speech_e2e;

namespace {

using Texts = std::vector<std::wstring>;

constexpr wchar_t kPcTalkerStopped[] = L"C:\\hdtest\\pctk.stopped";
constexpr wchar_t kNvdaStopped[] = L"C:\\hdtest\\nvda.stopped";

// What each reader's stand-in logs for a text it is to speak.
constexpr wchar_t kJawsSays[] = L"SayString";
constexpr wchar_t kNarratorSays[] = L"UiaRaiseNotificationEvent";
constexpr wchar_t kSapiSays[] = L"Speak";

// A reader's main window (its class and title), as while the reader runs,
// on a thread of its own that answers messages, so that nobody who sends to
// every top-level window waits on it.
class ReaderWindow : public WindowThread {
 public:
  ReaderWindow(const wchar_t* className, const wchar_t* title)
      : WindowThread([className, title] {
          WNDCLASSW windowClass{};
          windowClass.lpfnWndProc = DefWindowProcW;
          windowClass.hInstance = GetModuleHandleW(nullptr);
          windowClass.lpszClassName = className;
          RegisterClassW(&windowClass);  // fails harmlessly when an earlier window registered it
          return std::vector<HWND>{CreateWindowExW(0, className, title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                                   windowClass.hInstance, nullptr)};
        }) {}
};

struct JawsWindow : ReaderWindow {
  JawsWindow() : ReaderWindow(L"JFWUI2", L"JAWS") {}
};

struct NvdaWindow : ReaderWindow {
  NvdaWindow() : ReaderWindow(L"wxWindowClassNR", L"NVDA") {}
};

// The screen-reader flag, as Narrator sets it. Wine keeps the flag a process
// has read once, so a change reaches only a Hopdeck started after it.
void SetScreenReaderFlag(bool on) { SystemParametersInfoW(SPI_SETSCREENREADER, on ? TRUE : FALSE, nullptr, 0); }

// Narrator's mutex, held as Narrator holds it while it runs.
class NarratorMutex {
 public:
  NarratorMutex() : mutex_(CreateMutexW(nullptr, FALSE, L"NarratorRunning")) {}
  ~NarratorMutex() {
    if (mutex_ != nullptr) CloseHandle(mutex_);
  }
  NarratorMutex(const NarratorMutex&) = delete;
  NarratorMutex& operator=(const NarratorMutex&) = delete;
  bool held() const { return mutex_ != nullptr; }

 private:
  HANDLE mutex_;
};

DWORD HopdeckWindowThread() { return GetWindowThreadProcessId(MainWindow(), nullptr); }

// Everything any reader was asked to say, whoever it went to.
std::size_t SpokenByAnyReader() {
  std::size_t count = 0;
  for (const wchar_t* function : {L"69", L"speakText", kJawsSays, kNarratorSays, kSapiSays}) {
    count += CallsOf(function).size();
  }
  return count;
}

// The next call of function after posting command; nullopt when none comes.
std::optional<SpeechCall> NextCallAfter(int command, const wchar_t* function) {
  std::size_t before = CallsOf(function).size();
  PostCommand(command);
  if (!WaitForCalls(function, before + 1)) return std::nullopt;
  return CallsOf(function)[before];
}

// The test button's text as the stand-in received it, "" when none came.
std::wstring TestSaysThrough(HWND dialog, const wchar_t* function) {
  std::size_t before = CallsOf(function).size();
  ClickButton(dialog, IDC_SPEECH_TEST);
  if (!WaitForCalls(function, before + 1)) return L"";
  return CallsOf(function)[before].text;
}

}  // namespace

class SpeechReadersScenario : public SpeechScenario {
 protected:
  void TearDown() override {
    SetScreenReaderFlag(false);
    DeleteFileW(kPcTalkerStopped);
    DeleteFileW(kNvdaStopped);
    SpeechScenario::TearDown();
  }
};

TEST_F(SpeechReadersScenario, EachReaderSpeaksACommandsTextFromTheSpeechThread) {
  struct Case {
    int engine;
    const wchar_t* function;
    const wchar_t* detail;
  };
  const Case cases[] = {
      {3, kJawsSays, L"flush"},
      {4, kNarratorSays, L"kind=4 processing=1 options=2 window=Hopdeck activity=Hopdeck"},
      {5, kSapiSays, L"async purge notxml voice=Japanese"},
  };
  for (const Case& c : cases) {
    DeleteFileW(kSpeechLog);
    StartWith(c.engine, false, Nvda::kNone);
    if (c.engine == 3) {
      // Without JAWS running nothing is handed to its object.
      PostCommand(kShowProgramsCommand);
      ASSERT_TRUE(PostedCommandsHandled());
      EXPECT_EQ(SpeechLog().size(), 0u) << "JAWS was spoken to while not running";
    }
    JawsWindow jaws;
    std::optional<SpeechCall> call = NextCallAfter(kShowUrlsCommand, c.function);
    ASSERT_TRUE(call.has_value()) << "engine " << c.engine;
    EXPECT_EQ(call->text, L"URL一覧") << "engine " << c.engine;
    EXPECT_EQ(call->detail, c.detail) << "engine " << c.engine;
    EXPECT_NE(call->thread, HopdeckWindowThread()) << "engine " << c.engine << " spoke on the window's thread";
    ASSERT_TRUE(Quit().has_value()) << "engine " << c.engine;
  }
}

TEST_F(SpeechReadersScenario, AutomaticFollowsWhicheverReaderRunsWithoutARestart) {
  SetDoubleEnvironment(L"HD_PCTK_STOPPED_FILE", kPcTalkerStopped);
  SetDoubleEnvironment(L"HD_NVDA_STOPPED_FILE", kNvdaStopped);
  WriteFileBytes(kPcTalkerStopped, "");
  WriteFileBytes(kNvdaStopped, "");
  SetScreenReaderFlag(true);
  StartWith(6, true, Nvda::kFull);

  // Each reader that starts takes over from those after it in the order.
  EXPECT_TRUE(NextCallAfter(kShowUrlsCommand, kNarratorSays).has_value());
  JawsWindow jaws;
  EXPECT_TRUE(NextCallAfter(kShowUrlsCommand, kJawsSays).has_value());
  DeleteFileW(kNvdaStopped);
  EXPECT_TRUE(NextCallAfter(kShowUrlsCommand, L"speakText").has_value());
  DeleteFileW(kPcTalkerStopped);
  EXPECT_TRUE(NextCallAfter(kShowUrlsCommand, L"69").has_value());
  // And when it stops, the next one running speaks again.
  WriteFileBytes(kPcTalkerStopped, "");
  EXPECT_TRUE(NextCallAfter(kShowUrlsCommand, L"speakText").has_value());

  GiveTimeToSpeak();
  EXPECT_EQ(TextsOf(L"69"), Texts{L"URL一覧"});
  EXPECT_EQ(TextsOf(L"speakText"), (Texts{L"URL一覧", L"URL一覧"}));
  EXPECT_EQ(TextsOf(L"brailleMessage"), (Texts{L"URL一覧", L"URL一覧"})) << "NVDA's braille goes with its speech";
  EXPECT_EQ(TextsOf(kJawsSays), Texts{L"URL一覧"});
  EXPECT_EQ(TextsOf(kNarratorSays), Texts{L"URL一覧"});
  EXPECT_EQ(TextsOf(kSapiSays), Texts{}) << "SAPI is never chosen by itself";
}

TEST_F(SpeechReadersScenario, TestButtonSpeaksThroughTheChosenEngineBeforeItIsStored) {
  StartWith(0, false, Nvda::kNone);
  HWND dialog = OpenSpeechDialog();
  ASSERT_NE(dialog, nullptr);
  HWND engines = GetDlgItem(dialog, IDC_SPEECH_ENGINE);

  SendMessageW(engines, CB_SETCURSEL, 5, 0);
  EXPECT_EQ(TestSaysThrough(dialog, kSapiSays), L"音声のテストです");

  // JAWS chosen but not running: silence, and no message either.
  SendMessageW(engines, CB_SETCURSEL, 3, 0);
  ClickButton(dialog, IDC_SPEECH_TEST);
  // Whether JAWS runs is asked on the window's thread, and a message box
  // would come from the click: both are done once a choice posted after the
  // click has been made.
  PostMessageW(engines, CB_SETCURSEL, 6, 0);
  ASSERT_TRUE(WaitUntil([&] { return ComboSelection(engines) == 6; }));
  EXPECT_EQ(CallsOf(kJawsSays).size(), 0u);
  EXPECT_EQ(FindDialog(L"音声のテスト"), nullptr);

  // "自動" with no reader running says so in a message box.
  ClickButton(dialog, IDC_SPEECH_TEST);
  ASSERT_TRUE(ExpectMessageBox(L"音声のテスト", L"起動中のスクリーンリーダーが見つかりません。", IDOK));

  // With a reader running it names the one it found.
  JawsWindow jaws;
  EXPECT_EQ(TestSaysThrough(dialog, kJawsSays), L"JAWSで読み上げています");

  // Narrator's notification comes from the dialog the user is in, and is
  // heard: a dialog's own window would not carry it.
  SendMessageW(engines, CB_SETCURSEL, 4, 0);
  ASSERT_EQ(TestSaysThrough(dialog, kNarratorSays), L"音声のテストです");
  EXPECT_EQ(CallsOf(L"UiaNotificationUnheard").size(), 0u);
  EXPECT_NE(CallsOf(kNarratorSays).back().detail.find(L"window=音声設定"), std::wstring::npos)
      << ToSjis(CallsOf(kNarratorSays).back().detail);

  // Nothing was stored: the setting in force is still "音声なし".
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_EQ(ReadDword(setting_value::kSpeechEngine), std::optional<DWORD>(0));
  std::size_t spoken = SpokenByAnyReader();
  PostCommand(kShowUrlsCommand);
  GiveTimeToSpeak();
  EXPECT_EQ(SpokenByAnyReader(), spoken);
}

TEST_F(SpeechReadersScenario, TheWindowAnswersWhileAReaderTakesTwoSecondsAndTheNewestTextWins) {
  SetDoubleEnvironment(L"HD_READER_ANSWER_MS", L"2000");
  JawsWindow jaws;
  for (int engine : {3, 4, 5}) {
    const wchar_t* function = engine == 3 ? kJawsSays : engine == 4 ? kNarratorSays : kSapiSays;
    // Read as it stands: SpeechLog would itself wait for Hopdeck's window.
    auto count = [](const wchar_t* name) {
      std::vector<SpeechCall> log = SpeechLogNow();
      return std::count_if(log.begin(), log.end(), [&](const SpeechCall& call) { return call.function == name; });
    };
    DeleteFileW(kSpeechLog);
    StartWith(engine, false, Nvda::kNone);
    PostCommand(kShowUrlsCommand);
    ASSERT_TRUE(WaitUntil([&] { return count(function) == 1; })) << "engine " << engine;
    // The reader now holds on to the text for two seconds; the window answers at once.
    PostCommand(kShowProgramsCommand);
    PostCommand(kShowUrlsCommand);
    WaitForIdle();
    EXPECT_EQ(count(L"answered"), 0) << "engine " << engine << ": the window waited for the reader";
    ASSERT_TRUE(WaitUntil([&] { return count(L"answered") == 2; }, 10000)) << "engine " << engine;
    // What came and went while the reader was busy is never said.
    EXPECT_EQ(TextsOf(function), (Texts{L"URL一覧", L"URL一覧"})) << "engine " << engine;
    ASSERT_TRUE(Quit().has_value()) << "engine " << engine;
  }
}

TEST_F(SpeechReadersScenario, WhatOnlyPcTalkerWasToldASapiVoiceIsToldToo) {
  // Nothing reads the screen for a SAPI user: the context menu is announced
  // as it is to PC-Talker, where NVDA, JAWS and Narrator hear the menu itself.
  StartWith(5, false, Nvda::kNone);
  PostCommand(IDM_CONTEXT_MENU);
  ASSERT_TRUE(WaitForCalls(kSapiSays, 1));
  EXPECT_EQ(TextsOf(kSapiSays), Texts{L"メニューオープン"});
}

TEST_F(SpeechReadersScenario, AutomaticFindsNarratorByItsMutexAndTheFlagAloneIsNoReader) {
  {
    // Narrator sets no screen-reader flag.
    NarratorMutex narrator;
    ASSERT_TRUE(narrator.held());
    StartWith(6, false, Nvda::kNone);
    std::optional<SpeechCall> call = NextCallAfter(kShowUrlsCommand, kNarratorSays);
    ASSERT_TRUE(call.has_value()) << "自動 did not find Narrator by its mutex";
    EXPECT_EQ(call->text, L"URL一覧");
    ASSERT_TRUE(Quit().has_value());
  }
  // The flag left set with nobody listening to notifications.
  DeleteFileW(kSpeechLog);
  SetScreenReaderFlag(true);
  SetDoubleEnvironment(L"HD_UIA_LISTENING", L"0");
  StartWith(6, false, Nvda::kNone);
  HWND dialog = OpenSpeechDialog();
  ASSERT_NE(dialog, nullptr);
  ClickButton(dialog, IDC_SPEECH_TEST);
  ASSERT_TRUE(ExpectMessageBox(L"音声のテスト", L"起動中のスクリーンリーダーが見つかりません。", IDOK));
  EXPECT_EQ(CallsOf(kNarratorSays).size(), 0u);
}

TEST_F(SpeechReadersScenario, JawsAnsweringFalseIsMadeAgainAndAskedOnceMore) {
  SetDoubleEnvironment(L"HD_JAWS_REFUSE_FIRST", L"1");
  JawsWindow jaws;
  StartWith(3, false, Nvda::kNone);
  PostCommand(kShowUrlsCommand);
  ASSERT_TRUE(WaitForCalls(kJawsSays, 2)) << "a refused text was not tried again";
  std::vector<SpeechCall> calls = CallsOf(kJawsSays);
  EXPECT_EQ(calls[0].detail, L"flush refused");
  EXPECT_EQ(calls[1].detail, L"flush") << "the second try went to the same object";
  EXPECT_EQ(calls[1].text, L"URL一覧");
}

TEST_F(SpeechReadersScenario, AFirstStartSpeaksThroughTheReaderThatRuns) {
  PlaceSpeechDoubles(false, Nvda::kCurrent);
  Start();  // no settings key yet
  EXPECT_EQ(ReadDword(setting_value::kSpeechEngine), std::optional<DWORD>(6)) << "a first start stores 自動";
  PostCommand(kShowUrlsCommand);
  ASSERT_TRUE(WaitForCalls(L"speakText", 1)) << "the first start was silent with NVDA running";
  EXPECT_EQ(TextsOf(L"speakText"), Texts{L"URL一覧"});
}

TEST_F(SpeechReadersScenario, NvdaWithoutItsClientHearsNotifications) {
  StartWith(2, false, Nvda::kNone);
  // Without NVDA running nothing is raised.
  PostCommand(kShowProgramsCommand);
  ASSERT_TRUE(PostedCommandsHandled());
  GiveTimeToSpeak();
  EXPECT_EQ(CallsOf(kNarratorSays).size(), 0u);
  NvdaWindow nvda;
  std::optional<SpeechCall> call = NextCallAfter(kShowUrlsCommand, kNarratorSays);
  ASSERT_TRUE(call.has_value()) << "NVDA without its client heard nothing";
  EXPECT_EQ(call->text, L"URL一覧");
}
