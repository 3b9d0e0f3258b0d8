// Where the launcher finds what it runs, in the test prefix: Windows' own
// programs in the system folder whatever the current directory holds, the
// browsers under App Paths, and which schemes count as URL protocols.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "records/launch_win.h"
#include "support/support.h"

using test_support::ScratchFolder;

namespace {

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// A folder that other accounts may write, holding programs of Windows' own
// names, made the current directory for the test.
class PlantedCurrentFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    previous_ = current;
    for (const char* name : {"notepad.exe", "control.exe", "timedate.cpl", "msedge.exe", "hd-planted.exe"}) {
      ASSERT_TRUE(CopyFileA("C:\\hdtest\\recorder.exe", planted_.File(name).c_str(), FALSE)) << name;
    }
    ASSERT_TRUE(SetCurrentDirectoryA(planted_.path().c_str()));
  }
  void TearDown() override { SetCurrentDirectoryA(previous_.c_str()); }

  ScratchFolder planted_;
  std::string previous_;
};

TEST_F(PlantedCurrentFolder, BareNamesResolveFromTheSystemFolderAndAppPathsNeverFromHere) {
  const std::string system = Lower(SystemFolder());
  ASSERT_FALSE(system.empty());
  struct Case {
    std::string name, file, parameters;
  } cases[] = {
      {"notepad", system + "\\notepad.exe", ""},
      {"timedate.cpl", system + "\\control.exe", "timedate.cpl"},
      {"msedge", "c:\\hdtest\\recorder.exe", ""},  // the test prefix's App Paths entry
      // Found nowhere safe: left to the shell as it is, which starts it in the profile.
      {"hd-planted", "hd-planted", ""},
  };
  for (const Case& c : cases) {
    std::string file = c.name;
    std::string parameters;
    ResolveBareName(file, parameters);
    EXPECT_EQ(Lower(file), c.file) << c.name;
    EXPECT_EQ(parameters, c.parameters) << c.name;
  }
}

TEST(LaunchFolders, TheProfileAndTheSystemFolderAreFullPaths) {
  for (const std::string& folder : {ProfileFolder(), SystemFolder()}) {
    EXPECT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.substr(1, 2), ":\\") << folder;
    EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << folder;
  }
  EXPECT_NE(Lower(ProfileFolder()), Lower(SystemFolder()));
}

TEST(LaunchFolders, OnlyRegisteredUrlProtocolsOtherThanFileOpen) {
  struct Case {
    const char* url;
    bool opens;
  } cases[] = {
      {"https://example.com/", true},       {"MAILTO:friend@example.com", true},
      {"file:///C:/hdtest/recorder.exe", false}, {"C:\\hdtest\\recorder.exe", false},
      {"hd-unregistered:x", false},          {"lnkfile:x", false},  // a class key without "URL Protocol"
  };
  for (const Case& c : cases) EXPECT_EQ(UrlItemMayOpen(c.url), c.opens) << c.url;
}

}  // namespace
