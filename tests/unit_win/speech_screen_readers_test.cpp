// The screen-reader libraries: where they may be loaded from, and the calls
// made into the stand-ins built with the tests (which log each call).
#include "platform/screen_readers_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/notification_window_win.h"
#include "speech/speech_win.h"
#include "support/support.h"

namespace {

std::string Double(const char* relative) { return test_support::BuildDirAnsi() + "\\doubles\\" + relative; }

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

std::string TempFolder(const char* name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// Points the stand-ins' log at a fresh file for one test.
class SpeechLogFile {
 public:
  SpeechLogFile() : path_(TempFolder("hd_speech_unit") + "\\speech.log") {
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("HD_SPEECH_LOG", path_.c_str());
  }
  ~SpeechLogFile() {
    SetEnvironmentVariableA("HD_SPEECH_LOG", nullptr);
    DeleteFileA(path_.c_str());
  }
  // "<function>\t<text>" of each line, without time and thread.
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return calls;
    std::string bytes(1 << 16, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    std::size_t start = 0;
    while (start < bytes.size()) {
      std::size_t end = bytes.find("\r\n", start);
      if (end == std::string::npos) end = bytes.size();
      std::string line = bytes.substr(start, end - start);
      std::size_t second = line.find('\t', line.find('\t') + 1);
      calls.push_back(second == std::string::npos ? line : line.substr(second + 1));
      start = end + 2;
    }
    return calls;
  }

 private:
  std::string path_;
};

using Calls = std::vector<std::string>;

// Shift-JIS "テスト" as the program passes it, and the UTF-8 the stand-ins log.
constexpr char kSjisTest[] = "\x83\x65\x83\x58\x83\x67";
constexpr char kUtf8Test[] = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88";

TEST(ScreenReaders, LoadsOnlyFromTheProgramFolderNeverTheCurrentDirectory) {
  const char kName[] = "hd_planted_speech.dll";
  std::string planted = TempFolder("hd_planted_dir");
  std::string plantedFile = planted + "\\" + kName;
  ASSERT_TRUE(CopyFileA(Double("pctk\\PCTKUSR.dll").c_str(), plantedFile.c_str(), FALSE));
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(planted.c_str()));

  // A bare-name load would take the planted file; ours must not.
  HMODULE bare = LoadLibraryA(kName);
  EXPECT_NE(bare, nullptr) << "the planted file should be loadable by bare name";
  if (bare != nullptr) FreeLibrary(bare);
  HMODULE trusted = LoadFromTrustedFolders(kName);
  EXPECT_EQ(trusted, nullptr) << "loaded from the current directory";
  if (trusted != nullptr) FreeLibrary(trusted);

  // Beside the program it is found.
  std::string besideProgram = ProgramFolder() + "\\" + kName;
  ASSERT_TRUE(CopyFileA(plantedFile.c_str(), besideProgram.c_str(), FALSE));
  HMODULE fromProgramFolder = LoadFromTrustedFolders(kName);
  EXPECT_NE(fromProgramFolder, nullptr);
  if (fromProgramFolder != nullptr) FreeLibrary(fromProgramFolder);

  SetCurrentDirectoryA(previous);
  DeleteFileA(besideProgram.c_str());
  DeleteFileA(plantedFile.c_str());
  RemoveDirectoryA(planted.c_str());
}

TEST(ScreenReaders, PcTalkerCallsOrdinalsEightAndSixtyNine) {
  SpeechLogFile log;
  HMODULE module = LoadLibraryA(Double("pctk\\PCTKUSR.dll").c_str());
  ASSERT_NE(module, nullptr);
  PcTalkerLibrary library(module);
  EXPECT_TRUE(library.IsReady());
  SetEnvironmentVariableA("HD_PCTK_READY", "0");
  EXPECT_FALSE(library.IsReady());
  SetEnvironmentVariableA("HD_PCTK_READY", nullptr);
  library.Speak(kSjisTest);
  EXPECT_EQ(log.Calls(), (Calls{"8\t", "8\t", std::string("69\t") + kUtf8Test}));
  FreeLibrary(module);
}

TEST(ScreenReaders, MissingLibraryOrExportsAreSilent) {
  SpeechLogFile log;
  PcTalkerLibrary noPcTalker(nullptr);
  EXPECT_FALSE(noPcTalker.IsReady());
  noPcTalker.Speak("x");
  NvdaControllerLibrary noNvda(nullptr);
  noNvda.BrailleMessage(L"x");
  noNvda.CancelSpeech();
  noNvda.SpeakText(L"x");
  EXPECT_FALSE(noNvda.HasIsSpeaking());
  EXPECT_FALSE(noNvda.IsSpeaking());

  // A library without PC-Talker's ordinals: not ready, and 69 is never called.
  HMODULE nvdaModule = LoadLibraryA(Double("nvda\\nvdaControllerClient32.dll").c_str());
  ASSERT_NE(nvdaModule, nullptr);
  PcTalkerLibrary wrongLibrary(nvdaModule);
  EXPECT_FALSE(wrongLibrary.IsReady());
  wrongLibrary.Speak("x");
  EXPECT_EQ(log.Calls(), Calls{});
  FreeLibrary(nvdaModule);
}

TEST(ScreenReaders, NvdaCallsItsNamedExports) {
  struct Case {
    const char* dll;
    bool hasIsSpeaking;
    Calls expected;
  };
  const Case cases[] = {
      // isSpeaking is never called: its two forms cannot be told apart.
      {"nvda\\nvdaControllerClient32.dll", false,
       {std::string("brailleMessage\t") + "b", "cancelSpeech\t", "speakText\ts"}},
      {"nvda_nospeaking\\nvdaControllerClient32.dll", false,
       {std::string("brailleMessage\t") + "b", "cancelSpeech\t", "speakText\ts"}},
      {"nvda_current\\nvdaControllerClient.dll", false,
       {std::string("brailleMessage\t") + "b", "cancelSpeech\t", "speakText\ts"}},
      {"nvda_pointer\\nvdaControllerClient.dll", false,
       {std::string("brailleMessage\t") + "b", "cancelSpeech\t", "speakText\ts"}},
      // The zero-argument isSpeakingJp is, where it exists.
      {"nvda_jp\\nvdaControllerClient.dll", true,
       {std::string("brailleMessage\t") + "b", "cancelSpeech\t", "speakText\ts", "isSpeakingJp\t"}},
  };
  for (const Case& c : cases) {
    SpeechLogFile log;
    HMODULE module = LoadLibraryA(Double(c.dll).c_str());
    ASSERT_NE(module, nullptr) << c.dll;
    {
      NvdaControllerLibrary library(module);
      EXPECT_EQ(library.HasIsSpeaking(), c.hasIsSpeaking) << c.dll;
      library.BrailleMessage(L"b");
      library.CancelSpeech();
      library.SpeakText(L"s");
      EXPECT_FALSE(library.IsSpeaking()) << c.dll;  // HD_NVDA_SPEAKING_MS unset: never speaking
    }
    EXPECT_EQ(log.Calls(), c.expected) << c.dll;
    FreeLibrary(module);
  }
}

TEST(ScreenReaders, NvdaTextIsCutToFitItsBuffer) {
  struct Case {
    std::string text;
    std::size_t expectedUnits;
  };
  std::string twoByte;  // "あ" repeated: two bytes, one code unit each
  for (int i = 0; i < 11000; ++i) twoByte += "\x82\xA0";
  const Case cases[] = {
      {"", 0},
      {std::string(10239, 'a'), 10239},
      {std::string(10240, 'a'), 10239},
      {std::string(20000, 'a'), 10239},
      {twoByte, 10239},
      {twoByte.substr(0, 2 * 5000), 5000},
  };
  for (const Case& c : cases) {
    std::wstring converted = ToSpeechText(c.text);
    EXPECT_EQ(converted.size(), c.expectedUnits) << c.text.size() << " bytes";
  }
  EXPECT_EQ(ToSpeechText(kSjisTest), L"\u30C6\u30B9\u30C8");
  EXPECT_EQ(ToSpeechText(twoByte).back(), L'\u3042');
}

}  // namespace

// A dialog's own window carries no notification that is heard; its 1x1
// child does, and says goodbye to UI Automation when it goes.
TEST(ScreenReaders, NotificationsAreHeardFromTheNotificationWindowOfAPopUp) {
  SpeechLogFile log;
  auto popUp = [] {
    return CreateWindowExA(0, "STATIC", "p", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  };
  HWND bare = popUp();
  HWND dialog = popUp();
  ASSERT_NE(bare, nullptr);
  ASSERT_NE(dialog, nullptr);
  CreateNotificationWindow(dialog);
  HWND child = FindWindowExA(dialog, nullptr, "HdNotification", nullptr);
  ASSERT_NE(child, nullptr);
  RECT client{};
  GetClientRect(child, &client);
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_EQ(client.right - client.left, 1);
  EXPECT_EQ(client.bottom - client.top, 1);
  EXPECT_EQ(SendMessageA(child, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(dialog), 0), MA_NOACTIVATE);

  EXPECT_TRUE(RaiseNotification(bare, nullptr, L"bare"));
  EXPECT_TRUE(RaiseNotification(dialog, bare, L"dialog"));
  // The dialog gone before its text: the fallback's window carries it.
  HWND gone = bare;
  DestroyWindow(bare);
  EXPECT_TRUE(RaiseNotification(gone, dialog, L"fallback"));
  DestroyWindow(dialog);
  Calls calls = log.Calls();
  for (std::string& call : calls) call = call.substr(0, call.find('\t', call.find('\t') + 1));  // no detail
  EXPECT_EQ(calls, (Calls{"UiaNotificationUnheard\tbare", "UiaRaiseNotificationEvent\tdialog",
                                "UiaRaiseNotificationEvent\tfallback", "UiaReturnRawElementProvider\tp",
                                "UiaDisconnectProvider\t"}));
}
