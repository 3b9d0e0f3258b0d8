// The version file over WinINet, against the stand-in web server of the test
// doubles: four bytes at most, one request each time (never the cache), the
// agent name, the system's proxy, and nothing for a missing file or a server
// that is not there.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/update_check_win.h"
#include "support/support.h"

namespace {

constexpr int kPort = 18766;  // the scenarios use 18765

using test_support::ReadWholeFile;
using test_support::WriteWholeFile;

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class VersionFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string build = test_support::BuildDirAnsi();
    if (build.empty()) GTEST_SKIP() << "HD_BUILD_DIR is not set; ctest sets it";
    server_ = build + "\\doubles\\hd_http_server.exe";
    if (GetFileAttributesA(server_.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << server_ << " is not built";

    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "hd_version_file";
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA((root_ + "\\appversion").c_str(), nullptr);
    log_ = root_ + "\\requests.log";
    DeleteFileA(log_.c_str());
    DeleteFileA(VersionPath().c_str());
  }

  void TearDown() override {
    Stop();
    DeleteFileA(VersionPath().c_str());
    DeleteFileA(log_.c_str());
  }

  std::string VersionPath() const { return root_ + "\\appversion\\hopdeck.ver"; }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(kPort) + "/appversion/hopdeck.ver"; }

  void Start() {
    std::string commandLine = "\"" + server_ + "\" " + std::to_string(kPort) + " \"" + root_ + "\" \"" + log_ + "\"";
    process_ = test_support::StartProcess(test_support::Widen(server_), test_support::Widen(commandLine), L"",
                                          CREATE_NO_WINDOW);
    ASSERT_TRUE(process_.started()) << GetLastError();
    for (int i = 0; i < 100 && ReadWholeFile(log_).find("listening") == std::string::npos; ++i) Sleep(50);
    ASSERT_NE(ReadWholeFile(log_).find("listening"), std::string::npos) << ReadWholeFile(log_);
  }

  void Stop() { process_.Terminate(); }

  std::string server_, root_, log_;
  test_support::OwnedProcess process_;
};

TEST_F(VersionFile, ReadsAtMostFourBytesOfWhatTheServerHolds) {
  Start();
  struct Case {
    const char* held;
    const char* read;
  };
  const Case cases[] = {{"118", "118"}, {"11800", "1180"}, {"0099\r\n", "0099"}, {"", ""}, {"7", "7"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.held);
    ASSERT_TRUE(WriteWholeFile(VersionPath(), c.held));
    std::optional<std::string> read = ReadVersionFile(Address());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, c.read);
  }
}

TEST_F(VersionFile, AsksTheServerEveryTimeAsHopdeck) {
  Start();
  ASSERT_TRUE(WriteWholeFile(VersionPath(), "117"));
  ASSERT_EQ(ReadVersionFile(Address()).value_or("none"), "117");
  ASSERT_TRUE(WriteWholeFile(VersionPath(), "118"));
  EXPECT_EQ(ReadVersionFile(Address()).value_or("none"), "118");  // not the cached 117

  std::string log = ReadWholeFile(log_);
  EXPECT_EQ(Count(log, "GET /appversion/hopdeck.ver HTTP/1."), 2) << log;
  EXPECT_EQ(Count(log, "\tUser-Agent: Hopdeck\r\n"), 2) << log;
}

TEST_F(VersionFile, IsNotThereWhenTheFileIsMissingOrNobodyAnswers) {
  Start();
  EXPECT_FALSE(ReadVersionFile(Address()).has_value());  // 404 from the server
  EXPECT_NE(ReadWholeFile(log_).find("GET /appversion/hopdeck.ver"), std::string::npos);

  Stop();
  ASSERT_TRUE(WriteWholeFile(VersionPath(), "118"));
  EXPECT_FALSE(ReadVersionFile(Address()).has_value());  // nothing listens
}

// The stand-in server acts as the proxy the system names: WinINet then asks
// it for the whole address, a host that does not exist included.
TEST_F(VersionFile, GoesThroughTheProxyTheSystemNames) {
  Start();
  const char* settingsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, settingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD enabled = 1;
  const std::string proxy = "127.0.0.1:" + std::to_string(kPort);
  RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enabled), sizeof(enabled));
  RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(proxy.c_str()),
                 static_cast<DWORD>(proxy.size() + 1));
  std::optional<std::string> read = ReadVersionFile("http://hopdeck.invalid/appversion/hopdeck.ver");
  RegDeleteValueA(key, "ProxyEnable");
  RegDeleteValueA(key, "ProxyServer");
  RegCloseKey(key);

  EXPECT_FALSE(read.has_value()) << "the stand-in answers an absolute address with 404";
  std::string log = ReadWholeFile(log_);
  // The whole address, as a proxy is asked (with or without its port).
  EXPECT_NE(log.find("GET http://hopdeck.invalid"), std::string::npos) << log;
  EXPECT_NE(log.find("/appversion/hopdeck.ver HTTP/1."), std::string::npos) << log;
}

}  // namespace
