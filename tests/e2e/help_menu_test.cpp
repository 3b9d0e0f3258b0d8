// The help menu as a user meets it: the update check against a stand-in web
// server of ours, the help files opened from the folder Hopdeck was started
// in, the version box and the maker's pages.
//
// The update check needs a build whose HD_SITE_BASE is a plain-HTTP address on
// 127.0.0.1 (the preset "wine-tests" sets http://127.0.0.1:18765); the shipped
// build differs only in that address.
#include <shlobj.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "harness/harness.h"
#include "settings/update_check.h"

using namespace e2e;

namespace {

constexpr wchar_t kSiteRoot[] = L"C:\\hdtest\\site";
constexpr wchar_t kServerLog[] = L"C:\\hdtest\\site.log";
constexpr wchar_t kStartFolder[] = L"C:\\hdtest\\start";

// The three answers of the update check: a newer version, none, or that it
// could not tell (the last two share a caption).
struct Box {
  const wchar_t* caption;
  const wchar_t* text;
};
constexpr Box kNewer{L"更新通知",
                     L"Hopdeckの新しいバージョンが作者のWebサイトで公開されています。今すぐ、作者のWebサイトを開いて確認しますか？"};
constexpr Box kUpToDate{L"更新チェック", L"お使いのHopdeckは最新版です。"};
constexpr Box kUnchecked{L"更新チェック", L"更新を確認できませんでした。インターネットへの接続を確認してください。"};

std::wstring Site(const char* path) { return FromSjis(SiteAddress(path)); }

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

// The port of a site at http://127.0.0.1:PORT, or 0 for any other site.
int LocalSitePort() {
  const std::string prefix = "http://127.0.0.1:";
  std::string base = SiteAddress("");
  if (base.compare(0, prefix.size(), prefix) != 0) return 0;
  return atoi(base.c_str() + prefix.size());
}

// Sets the default value of <root>\Software\Classes\<key>.
void SetClassDefault(HKEY root, const std::wstring& key, const std::wstring& value) {
  std::wstring path = L"Software\\Classes\\" + key;
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

// The default value of <root>\Software\Classes\<key>, or nullopt when the key is missing.
std::optional<std::wstring> ClassDefault(HKEY root, const std::wstring& key) {
  std::wstring path = L"Software\\Classes\\" + key;
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  LONG status = RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size);
  if (status == ERROR_FILE_NOT_FOUND && RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &root) == ERROR_SUCCESS) {
    RegCloseKey(root);
    return std::wstring();  // the key without a default value
  }
  if (status != ERROR_SUCCESS) return std::nullopt;
  return std::wstring(value);
}

class HelpScenario : public Scenario {
 protected:
  void TearDown() override {
    StopServer();
    RestoreTextFiles();
    RemoveTree(kStartFolder);
    Scenario::TearDown();
  }

  // Text files open with the recorder while the test runs. The machine-wide
  // classes are written too: Wine does not merge the user's into them.
  void OpenTextFilesWithTheRecorder() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      savedTxt_.push_back({root, ClassDefault(root, L".txt")});
      SetClassDefault(root, L".txt", L"hdtest.txtfile");
      SetClassDefault(root, L"hdtest.txtfile\\shell\\open\\command", L"\"C:\\hdtest\\recorder.exe\" \"%1\"");
    }
  }

  void RestoreTextFiles() {
    for (const auto& [root, previous] : savedTxt_) {
      RegDeleteTreeW(root, L"Software\\Classes\\hdtest.txtfile");
      if (previous) {
        SetClassDefault(root, L".txt", *previous);
      } else {
        RegDeleteTreeW(root, L"Software\\Classes\\.txt");
      }
    }
    savedTxt_.clear();
  }

  // The stand-in web server, serving kSiteRoot on the site's port.
  void StartServer() {
    port_ = LocalSitePort();
    if (port_ == 0) GTEST_SKIP() << "HD_SITE_BASE is " << SiteAddress("") << ", not http://127.0.0.1:PORT";
    RemoveTree(kSiteRoot);
    CreateDirectoryW(kSiteRoot, nullptr);
    CreateDirectoryW((std::wstring(kSiteRoot) + L"\\appversion").c_str(), nullptr);
    std::wstring exe = BuildDir() + L"\\doubles\\hd_http_server.exe";
    std::wstring commandLine =
        L"\"" + exe + L"\" " + std::to_wstring(port_) + L" \"" + kSiteRoot + L"\" \"" + kServerLog + L"\"";
    // The last scenario's server may hold the port a moment after it has
    // ended (Wine closes its handles a little later): start again until one listens.
    ASSERT_TRUE(WaitUntil([&] {
      if (server_.started() && !server_.running()) StopServer();
      if (!server_.started()) {
        DeleteFileW(kServerLog);
        server_ = test_support::StartProcess(exe, commandLine, L"", CREATE_NO_WINDOW);
        if (!server_.started()) return false;
      }
      return ReadFileBytes(kServerLog).find("listening") != std::string::npos;
    })) << ToSjis(exe) << ": " << ReadFileBytes(kServerLog);
  }

  void StopServer() {
    server_.Terminate();
  }

  void ServeVersion(const std::string& bytes) {
    WriteFileBytes(std::wstring(kSiteRoot) + L"\\appversion\\hopdeck.ver", bytes);
  }

  int VersionRequests() const {
    std::string log = ReadFileBytes(kServerLog);
    int count = 0;
    for (std::size_t at = log.find("GET /appversion/hopdeck.ver "); at != std::string::npos;
         at = log.find("GET /appversion/hopdeck.ver ", at + 1)) {
      ++count;
    }
    return count;
  }

  // Starts Hopdeck speaking through NVDA's stand-in, so anything said is logged.
  void StartSpeaking(const std::wstring& currentDir = kAppFolder) {
    PlaceSpeechDoubles(false, Nvda::kFull);
    WriteDword(setting_value::kSpeechEngine, 2);
    Start(L"", currentDir);
  }

  // Runs the update check and waits for the box it shows.
  HWND CheckForUpdate(const std::wstring& caption) {
    PostCommand(IDM_UPDATE_CHECK);
    return WaitForDialog(caption, 10000);
  }

  // Posts a command that opens the maker's home page after whatever is
  // queued: once the page's launch is logged, the commands before it are done.
  void WaitForQueueToDrain() {
    std::size_t before = Launches().size();
    PostCommand(IDM_MAKER_SITE);
    ASSERT_TRUE(WaitForLaunches(before + 1, 15000)) << "the window never got to a command posted after the check";
  }

  int port_ = 0;
  Process server_;
  std::vector<std::pair<HKEY, std::optional<std::wstring>>> savedTxt_;
};

TEST_F(HelpScenario, UpdateCheckAsksWhenTheSiteHoldsANewerVersionAndYesOpensTheProgramPage) {
  StartServer();
  StartSpeaking();
  struct Case {
    const char* held;
    int answer;
  };
  const Case cases[] = {{"118", IDNO}, {"11800", IDYES}};  // 11800 is read as 1180
  for (const Case& c : cases) {
    SCOPED_TRACE(c.held);
    ServeVersion(c.held);
    std::size_t launchesBefore = Launches().size();
    HWND box = CheckForUpdate(kNewer.caption);
    ASSERT_NE(box, nullptr) << "no update question";
    EXPECT_EQ(MessageBoxText(box), kNewer.text);
    EXPECT_EQ(FindDialog(kUpToDate.caption), nullptr);
    AnswerMessageBox(box, c.answer);
    if (c.answer == IDYES) {
      ASSERT_TRUE(WaitForLaunches(launchesBefore + 1));
      EXPECT_TRUE(Contains(Launches().back(), L"\"" + Site(kProgramPagePath) + L"\"")) << ToSjis(Launches().back());
    }
  }
  WaitForQueueToDrain();
  EXPECT_EQ(Launches().size(), 2u) << "No opened a page";
  EXPECT_EQ(VersionRequests(), 2);
  EXPECT_NE(ReadFileBytes(kServerLog).find("\tUser-Agent: Hopdeck\r\n"), std::string::npos) << ReadFileBytes(kServerLog);
  EXPECT_TRUE(SpokenTexts().empty());
}

TEST_F(HelpScenario, UpdateCheckSaysUpToDateForOurVersionOrLess) {
  StartServer();
  Start();
  for (const char* held : {"117", "0099"}) {
    SCOPED_TRACE(held);
    ServeVersion(held);
    HWND box = CheckForUpdate(kUpToDate.caption);
    ASSERT_NE(box, nullptr) << "no up-to-date box";
    EXPECT_EQ(MessageBoxText(box), kUpToDate.text);
    EXPECT_EQ(FindDialog(kNewer.caption), nullptr);
    AnswerMessageBox(box, IDOK);
  }
  EXPECT_EQ(VersionRequests(), 2) << "a check answered from the cache";
}

// A check that could not be made is never answered with "up to date".
TEST_F(HelpScenario, UpdateCheckSaysItCouldNotCheckWhenNoVersionCanBeRead) {
  StartServer();
  StartSpeaking();
  struct Case {
    const char* what;
    std::optional<std::string> held;  // nothing: no version file (404)
    bool serverStopped;
  };
  const Case cases[] = {{"no version file", std::nullopt, false},
                        {"an empty file", "", false},
                        {"garbage", "<html>", false},
                        {"no server", "118", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.held) ServeVersion(*c.held);
    if (c.serverStopped) StopServer();
    HWND box = CheckForUpdate(kUnchecked.caption);
    ASSERT_NE(box, nullptr) << "the check ended silently";
    EXPECT_EQ(MessageBoxText(box), kUnchecked.text);
    EXPECT_EQ(FindDialog(kNewer.caption), nullptr);
    AnswerMessageBox(box, IDOK);
  }
  EXPECT_EQ(VersionRequests(), 3);
  EXPECT_TRUE(SpokenTexts().empty());
}

TEST_F(HelpScenario, HelpFilesOpenFromTheStartFolderAndStartThere) {
  // Text files open with the recorder, which logs its argument and its current
  // directory: the working folder Hopdeck gave the shell.
  OpenTextFilesWithTheRecorder();
  CreateDirectoryW(kStartFolder, nullptr);
  for (const wchar_t* name : {L"manual.txt", L"command.txt"}) {
    WriteFileBytes(std::wstring(kStartFolder) + L"\\" + name, "start folder");
    WriteFileBytes(std::wstring(kAppFolder) + L"\\" + name, "beside the program");
  }
  Start(L"", kStartFolder);

  struct Case {
    int id;
    const wchar_t* file;
  };
  for (const Case& c : {Case{IDM_MANUAL, L"manual.txt"}, Case{IDM_KEY_LIST, L"command.txt"}}) {
    SCOPED_TRACE(c.id);
    std::size_t before = LaunchRecords().size();
    if (c.id == IDM_MANUAL) {
      ASSERT_TRUE(BringToFront(MainWindow()));
      PressKeys({VK_F1});
    } else {
      PostCommand(c.id);
    }
    ASSERT_TRUE(WaitForLaunches(before + 1)) << "the help file never reached the shell";
    LaunchRecord opened = LaunchRecords().back();
    EXPECT_TRUE(SamePath(opened.directory, kStartFolder)) << ToSjis(opened.directory);
    EXPECT_TRUE(Contains(opened.commandLine, c.file)) << ToSjis(opened.commandLine);
    EXPECT_FALSE(Contains(opened.commandLine, L"hdtest\\app")) << ToSjis(opened.commandLine);

    // A page, which has no folder of its own, starts in the user's profile:
    // never in the start folder, nor in the data folder.
    WaitForQueueToDrain();
    wchar_t profile[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile)));
    EXPECT_TRUE(SamePath(LaunchRecords().back().directory, profile)) << ToSjis(LaunchRecords().back().directory);
  }
}

TEST_F(HelpScenario, VersionBoxAndTheMakersPages) {
  Start();
  PostCommand(IDM_VERSION);
  ASSERT_TRUE(ExpectMessageBox(L"バージョン情報", L"Hopdeck Ver1.17\n2025年11月16日公開", IDOK));

  struct Case {
    int id;
    const char* path;
  };
  const Case cases[] = {{IDM_CHANGE_HISTORY, "/hopdeck/history.html"}, {IDM_PROGRAM_PAGE, "/hopdeck/"}, {IDM_MAKER_SITE, "/"}, {IDM_CONTACT_FORM, "/inquiry/"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    std::size_t before = Launches().size();
    PostCommand(c.id);
    ASSERT_TRUE(WaitForLaunches(before + 1));
    EXPECT_TRUE(Contains(Launches().back(), L"\"" + Site(c.path) + L"\"")) << ToSjis(Launches().back());
  }
}

}  // namespace
