// The version file over WinINet, against the stand-in web server of the test
// doubles: four bytes at most, one request each time (never the cache), the
// agent name, and silence for a missing file or a server that is not there.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "settings/update_check_win.h"

namespace {

constexpr int kPort = 18766;  // the scenarios use 18765

std::string BuildDirectory() {
  const char* unixPath = std::getenv("HD_BUILD_DIR");
  if (unixPath == nullptr || unixPath[0] != '/') return {};
  std::string path = "Z:";
  for (const char* p = unixPath; *p != '\0'; ++p) path += (*p == '/') ? '\\' : *p;
  return path;
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class VersionFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string build = BuildDirectory();
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
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &process_));
    CloseHandle(process_.hThread);
    for (int i = 0; i < 100 && ReadAll(log_).find("listening") == std::string::npos; ++i) Sleep(50);
    ASSERT_NE(ReadAll(log_).find("listening"), std::string::npos) << ReadAll(log_);
  }

  void Stop() {
    if (process_.hProcess == nullptr) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    process_ = {};
  }

  std::string server_, root_, log_;
  PROCESS_INFORMATION process_{};
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
    WriteAll(VersionPath(), c.held);
    std::optional<std::string> read = ReadVersionFile(Address());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, c.read);
  }
}

TEST_F(VersionFile, AsksTheServerEveryTimeAsHopdeck) {
  Start();
  WriteAll(VersionPath(), "117");
  ASSERT_EQ(ReadVersionFile(Address()).value_or("none"), "117");
  WriteAll(VersionPath(), "118");
  EXPECT_EQ(ReadVersionFile(Address()).value_or("none"), "118");  // not the cached 117

  std::string log = ReadAll(log_);
  EXPECT_EQ(Count(log, "GET /appversion/hopdeck.ver HTTP/1."), 2) << log;
  EXPECT_EQ(Count(log, "\tUser-Agent: Hopdeck\r\n"), 2) << log;
}

TEST_F(VersionFile, IsNotThereWhenTheFileIsMissingOrNobodyAnswers) {
  Start();
  EXPECT_FALSE(ReadVersionFile(Address()).has_value());  // 404 from the server
  EXPECT_NE(ReadAll(log_).find("GET /appversion/hopdeck.ver"), std::string::npos);

  Stop();
  WriteAll(VersionPath(), "118");
  EXPECT_FALSE(ReadVersionFile(Address()).has_value());  // nothing listens
}

}  // namespace
