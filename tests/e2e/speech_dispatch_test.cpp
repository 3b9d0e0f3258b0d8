// What reaches the two screen-reader libraries, and when: no speech, PC-Talker
// ready or not, NVDA's braille, delay and newest-text behaviour, and starting
// with one library, none, or a library planted in the data folder.
#include "speech_scenario.h"

#include <tlhelp32.h>

using namespace e2e;
using namespace speech_e2e;

namespace {

using Texts = std::vector<std::wstring>;

std::vector<std::wstring> Functions() {
  std::vector<std::wstring> functions;
  for (const SpeechCall& call : SpeechLog()) functions.push_back(call.function);
  return functions;
}

// The file names of the modules loaded in a process; empty if it cannot be read.
std::vector<std::wstring> LoadedModules(DWORD processId) {
  std::vector<std::wstring> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    names.push_back(entry.szModule);
  }
  CloseHandle(snapshot);
  return names;
}

bool HasModule(const std::vector<std::wstring>& modules, const wchar_t* name) {
  return std::any_of(modules.begin(), modules.end(), [&](const std::wstring& m) { return lstrcmpiW(m.c_str(), name) == 0; });
}

void RemoveSpeechLibrariesBesideTheProgram() {
  DeleteFileW((std::wstring(kAppFolder) + L"\\PCTKUSR.dll").c_str());
  DeleteFileW((std::wstring(kAppFolder) + L"\\nvdaControllerClient32.dll").c_str());
  DeleteFileW((std::wstring(kAppFolder) + L"\\nvdaControllerClient.dll").c_str());
}

}  // namespace

class SpeechDispatchScenario : public SpeechScenario {
 protected:
  // Starts with engine and both stand-ins, presses Control+3 and waits until
  // function has been called, then for anything else to be said.
  ::testing::AssertionResult ControlThreeReaches(int engine, const wchar_t* function) {
    StartWith(engine, true, Nvda::kFull);
    if (!BringToFront(MainWindow())) return ::testing::AssertionFailure() << "the main window is not in front";
    PressKeys({VK_CONTROL, '3'});
    if (!WaitForCalls(function, 1)) return ::testing::AssertionFailure() << "no call of " << ToSjis(function);
    GiveTimeToSpeak();
    return ::testing::AssertionSuccess();
  }
};

TEST_F(SpeechDispatchScenario, WithoutSpeechNothingReachesEitherLibrary) {
  for (DWORD engine : {0u, 7u}) {  // 7: any value other than 1 or 2
    StartWith(static_cast<int>(engine), true, Nvda::kFull);
    ASSERT_TRUE(BringToFront(MainWindow()));
    ASSERT_FALSE(ReadList(ListBox(2)).focused) << "the URL list must be shown by the keys";
    for (int command : {kShowProgramsCommand, kSpeakTimeCommand, kSpeakDateCommand, kSpeakSortOrderCommand}) {
      PostCommand(command);
    }
    // Posted messages are taken before keys, so once Control+3 has shown the
    // URL list the commands are handled too. Both libraries are spoken to
    // first on the window's thread (NVDA's braille), which SpeechLog waits for.
    PressKeys({VK_CONTROL, '3'});
    ASSERT_TRUE(WaitUntil([] { return ReadList(ListBox(2)).focused; })) << "engine " << engine;
    EXPECT_EQ(Functions(), std::vector<std::wstring>{}) << "engine " << engine;
    ASSERT_TRUE(Quit().has_value());
  }
}

TEST_F(SpeechDispatchScenario, PcTalkerIsAskedWhetherItIsReadyThenSpeaksTheListName) {
  ASSERT_TRUE(ControlThreeReaches(1, L"69"));
  EXPECT_EQ(Functions(), (std::vector<std::wstring>{L"8", L"69"}));
  EXPECT_EQ(TextsOf(L"69"), Texts{L"URL一覧"});
}

TEST_F(SpeechDispatchScenario, PcTalkerNotReadySaysNothingAndHoldsNobodyUp) {
  SetDoubleEnvironment(L"HD_PCTK_READY", L"0");
  StartWith(1, true, Nvda::kNone);
  PostCommand(kSpeakSortOrderCommand);  // asks for a 100 ms pause after speaking
  PostCommand(kShowUrlsCommand);
  ASSERT_TRUE(WaitForCalls(L"8", 2));
  // PC-Talker is spoken to on the window's thread, and SpeechLog reads only
  // once that thread is idle: the second command is handled in full.
  EXPECT_EQ(CallsOf(L"69").size(), 0u);
  std::vector<SpeechCall> status = CallsOf(L"8");
  EXPECT_LT(status[1].ms - status[0].ms, 90.0) << "the caller was held up although nothing was spoken";
}

TEST_F(SpeechDispatchScenario, PcTalkerHoldsTheCallerForTheDelayAfterSpeaking) {
  StartWith(1, true, Nvda::kNone);
  PostCommand(kSpeakSortOrderCommand);
  PostCommand(kShowUrlsCommand);
  ASSERT_TRUE(WaitForCalls(L"69", 2));
  std::vector<SpeechCall> spoken = CallsOf(L"69");
  EXPECT_EQ(spoken[0].text, L"名前順");
  EXPECT_EQ(spoken[1].text, L"URL一覧");
  EXPECT_GE(spoken[1].ms - spoken[0].ms, 90.0) << "the next command ran before the 100 ms pause";
}

TEST_F(SpeechDispatchScenario, NvdaBraillesAtOnceAndSpeaksOnItsOwnThreadAfterTheDelay) {
  StartWith(2, true, Nvda::kFull);
  PostCommand(kSpeakSortOrderCommand);
  ASSERT_TRUE(WaitForCalls(L"speakText", 1));  // the first three calls are all made
  std::vector<SpeechCall> log = SpeechLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0].function, L"brailleMessage");
  EXPECT_EQ(log[0].text, L"名前順");
  EXPECT_EQ(log[1].function, L"cancelSpeech");
  EXPECT_EQ(log[2].function, L"speakText");
  EXPECT_EQ(log[2].text, L"名前順");
  EXPECT_NE(log[1].thread, log[0].thread) << "NVDA was waited for on the user-interface thread";
  EXPECT_EQ(log[2].thread, log[1].thread);
  EXPECT_GE(log[1].ms - log[0].ms, 90.0) << "cancelled before the 100 ms delay ran out";
  EXPECT_EQ(CallsOf(L"8").size(), 0u) << "PC-Talker was asked although NVDA is selected";
}

TEST_F(SpeechDispatchScenario, NvdaSpeaksTheNewestTextWhenAnOlderDelayRunsOut) {
  StartWith(2, false, Nvda::kFull);
  PostCommand(kSpeakSortOrderCommand);  // delay 100
  PostCommand(kShowUrlsCommand);        // delay 0, right after
  ASSERT_TRUE(WaitForCalls(L"speakText", 2));
  GiveTimeToSpeak();
  std::vector<SpeechCall> braille = CallsOf(L"brailleMessage");
  ASSERT_EQ(braille.size(), 2u);
  EXPECT_EQ(braille[0].text, L"名前順");
  EXPECT_EQ(braille[1].text, L"URL一覧");
  if (braille[1].ms - braille[0].ms > 80.0) GTEST_SKIP() << "the second command came too late to overtake the first";
  EXPECT_EQ(TextsOf(L"speakText"), (Texts{L"URL一覧", L"URL一覧"})) << "the older text must never be heard";
  EXPECT_EQ(CallsOf(L"cancelSpeech").size(), 2u);
}

TEST_F(SpeechDispatchScenario, ControlThreeWithNvdaSpeaksTheUrlList) {
  ASSERT_TRUE(ControlThreeReaches(2, L"speakText"));
  EXPECT_EQ(TextsOf(L"brailleMessage"), Texts{L"URL一覧"});
  EXPECT_EQ(TextsOf(L"speakText"), Texts{L"URL一覧"});
}

TEST_F(SpeechDispatchScenario, StartsAndSpeaksWithWhicheverLibrariesArePresent) {
  struct Case {
    const char* name;
    bool pcTalker;
    Nvda nvda;
    Texts byPcTalker;  // Control+3 with PC-Talker selected
    Texts byNvda;      // then again with NVDA selected
  };
  const Case cases[] = {
      {"PC-Talker only", true, Nvda::kNone, {L"URL一覧"}, {}},
      {"NVDA only", false, Nvda::kFull, {}, {L"URL一覧"}},
      {"NVDA without isSpeaking", false, Nvda::kWithoutIsSpeaking, {}, {L"URL一覧"}},
      {"current NVDA client", false, Nvda::kCurrent, {}, {L"URL一覧"}},
      {"current NVDA client, isSpeaking with a pointer", false, Nvda::kCurrentPointer, {}, {L"URL一覧"}},
      {"current NVDA client with isSpeakingJp", false, Nvda::kCurrentJp, {}, {L"URL一覧"}},
      {"neither", false, Nvda::kNone, {}, {}},
  };
  for (const Case& c : cases) {
    RemoveSpeechLibrariesBesideTheProgram();
    DeleteFileW(kSpeechLog);
    StartWith(1, c.pcTalker, c.nvda);
    ASSERT_TRUE(hopdeck_.running()) << c.name;
    PostCommand(kShowUrlsCommand);  // handled before the dialog opens
    ASSERT_TRUE(ChooseInSpeechDialog(2, -1, -1)) << c.name;
    PostCommand(kShowUrlsCommand);
    ASSERT_TRUE(PostedCommandsHandled()) << c.name;
    WaitUntil([&] { return TextsOf(L"speakText").size() >= c.byNvda.size(); });  // spoken on NVDA's own thread
    EXPECT_EQ(TextsOf(L"69"), c.byPcTalker) << c.name;
    EXPECT_EQ(TextsOf(L"speakText"), c.byNvda) << c.name;
    EXPECT_EQ(TextsOf(L"brailleMessage"), c.byNvda) << c.name;
    EXPECT_EQ(TextsOf(L"isSpeaking").size(), 0u) << c.name << ": isSpeaking called in a form it may not have";
    EXPECT_TRUE(hopdeck_.running()) << c.name;
    ASSERT_TRUE(Quit().has_value()) << c.name;
  }
}

TEST_F(SpeechDispatchScenario, PollingAReaderThatNeverFallsSilentEndsAfterAFewSeconds) {
  SetDoubleEnvironment(L"HD_NVDA_SPEAKING_MS", L"600000");
  StartWith(2, false, Nvda::kCurrentJp);
  PostCommand(kShowUrlsCommand);
  ASSERT_TRUE(WaitForCalls(L"isSpeakingJp", 10));
  // Wait until the count stops growing.
  std::size_t polls = 0;
  for (int round = 0; round < 30; ++round) {
    Sleep(500);
    std::size_t now = CallsOf(L"isSpeakingJp").size();
    if (now == polls) break;
    polls = now;
  }
  std::vector<SpeechCall> calls = CallsOf(L"isSpeakingJp");
  EXPECT_EQ(calls.size(), 300u) << "the speech thread polls a hung reader 300 times at 10 ms, then ends";
  EXPECT_LT(calls.back().ms - calls.front().ms, 10000.0);
  EXPECT_TRUE(hopdeck_.running());
}

TEST_F(SpeechDispatchScenario, LibrariesPlantedInTheDataFolderAreNeverLoaded) {
  CreateDirectoryW(L"C:\\ProgramData\\Velmora", nullptr);
  CreateDirectoryW(kDataFolder, nullptr);
  const std::wstring doubles = BuildDir() + L"\\doubles";
  const std::wstring data = kDataFolder;
  ASSERT_TRUE(CopyFileW((doubles + L"\\pctk\\PCTKUSR.dll").c_str(), (data + L"\\PCTKUSR.dll").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((doubles + L"\\nvda\\nvdaControllerClient32.dll").c_str(),
                        (data + L"\\nvdaControllerClient32.dll").c_str(), FALSE));
  StartWith(1, false, Nvda::kNone);
  PostCommand(kShowUrlsCommand);  // handled before the dialog opens
  ASSERT_TRUE(ChooseInSpeechDialog(2, -1, -1));
  PostCommand(kShowUrlsCommand);
  ASSERT_TRUE(PostedCommandsHandled());
  EXPECT_EQ(Functions(), std::vector<std::wstring>{}) << "a planted library was called";
  std::vector<std::wstring> modules = LoadedModules(hopdeck_.id());
  EXPECT_FALSE(HasModule(modules, L"PCTKUSR.dll"));
  EXPECT_FALSE(HasModule(modules, L"nvdaControllerClient32.dll"));
  EXPECT_TRUE(hopdeck_.running());
}

TEST_F(SpeechDispatchScenario, PcTalkersLibraryInTheWindowsFolderSpeaks) {
  wchar_t windowsFolder[MAX_PATH] = {};
  ASSERT_GT(GetSystemWindowsDirectoryW(windowsFolder, MAX_PATH), 0u);
  const std::wstring installed = std::wstring(windowsFolder) + L"\\PCTKUSR.dll";
  // Removed however the test ends, so no other test finds PC-Talker there.
  struct Removal {
    std::wstring path;
    ~Removal() { DeleteFileW(path.c_str()); }
  } removal{installed};
  ASSERT_TRUE(CopyFileW((BuildDir() + L"\\doubles\\pctk\\PCTKUSR.dll").c_str(), installed.c_str(), FALSE));
  StartWith(1, false, Nvda::kNone);  // nothing beside the program
  PostCommand(kShowUrlsCommand);
  EXPECT_TRUE(WaitForCalls(L"69", 1)) << "PC-Talker's library in the Windows folder was not used";
  EXPECT_EQ(TextsOf(L"69"), Texts{L"URL一覧"});
  ASSERT_TRUE(Quit().has_value());
}
