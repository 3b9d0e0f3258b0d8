// Start-up settings: values read without writing back, the Startup shortcut
// made or removed, and the hot key letter. (The first start with its
// defaults is driven end to end in tests/e2e/settings_general_test.cpp.)
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "items/item_store_win.h"
#include "platform/win_handles.h"
#include "settings/settings.h"
#include "settings/settings_win.h"
#include "support/support.h"

namespace {

std::string StartupLink() {
  char folder[MAX_PATH + 1] = {};
  SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, TRUE);
  return std::string(folder) + "\\Hopdeck.lnk";
}

struct Stored {
  DWORD type = 0;
  std::string bytes;
};

std::optional<Stored> ReadStored(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  char data[64] = {};
  DWORD size = sizeof(data);
  DWORD type = 0;
  LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return Stored{type, std::string(data, size)};
}

void Store(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void StoreDword(const char* name, DWORD value) { Store(name, REG_DWORD, &value, sizeof(value)); }

// Whether Ctrl+Shift+letter is held by someone (here: by the program's window).
bool HotKeyTaken(HWND probe, char letter) {
  if (!RegisterHotKey(probe, 999, MOD_CONTROL | MOD_SHIFT, static_cast<UINT>(letter))) return true;
  UnregisterHotKey(probe, 999);
  return false;
}

class SettingsLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset();
    window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    probe_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    UnregisterHotKey(window_, kHotKeyId);
    DestroyWindow(window_);
    DestroyWindow(probe_);
    Reset();
  }
  static void Reset() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    DeleteFileA(StartupLink().c_str());
  }

  Settings settings_;
  HWND window_ = nullptr;  // the program's window, which the hot key is registered for
  std::string programFolder_ = "C:\\hdprog\\app";
  HWND probe_ = nullptr;
};

TEST_F(SettingsLoad, StoredValuesAreReadAndMissingOnesKeepTheirDefaultsUnwritten) {
  StoreDword(kSortOrderValue, 2);
  StoreDword(kAutoStartValue, 0);
  StoreDword(kStartListValue, 3);
  Store(kSpeechEngineValue, REG_SZ, "1", 2);  // not four bytes: unreadable
  const DWORD era = 3;
  Store(kDateFormatValue, REG_BINARY, &era, sizeof(era));  // four bytes of any type are taken
  StoreDword(kTimeFormatValue, 0);
  test_support::WriteWholeFile(StartupLink(), "put there by hand");

  (void)LoadSettings(settings_, window_, programFolder_);  // the hot key is not what this checks

  EXPECT_EQ(settings_.sortOrder, 2);
  EXPECT_EQ(settings_.hotKeyIndex, 12);
  EXPECT_EQ(settings_.autoStart, 0);
  EXPECT_EQ(settings_.startList, 3);
  EXPECT_EQ(settings_.speechEngine, 0);
  EXPECT_EQ(settings_.dateFormat, 3);
  EXPECT_EQ(settings_.timeFormat, 0);
  EXPECT_FALSE(ReadStored(kHotKeyIndexValue).has_value()) << "nothing is written back";
  EXPECT_EQ(ReadStored(kSpeechEngineValue)->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(GetFileAttributesA(StartupLink().c_str()), INVALID_FILE_ATTRIBUTES) << "autostart 0 removes the shortcut";
  EXPECT_TRUE(HotKeyTaken(probe_, 'M'));
}

TEST_F(SettingsLoad, HotKeyLetterComesFromTheStoredIndexAndFallsBackToM) {
  struct Case {
    DWORD stored;
    char letter;
  };
  const Case cases[] = {{0, 'A'}, {25, 'Z'}, {7, 'H'}, {26, 'M'}, {0xFFFFFFFF, 'M'}, {1000, 'M'}};
  for (const Case& c : cases) {
    StoreDword(kHotKeyIndexValue, c.stored);
    StoreDword(kAutoStartValue, 0);
    EXPECT_TRUE(LoadSettings(settings_, window_, programFolder_));
    EXPECT_TRUE(HotKeyTaken(probe_, c.letter)) << c.stored;
    EXPECT_EQ(ReadStoredHotKeyIndex(), std::optional<int>(static_cast<int>(c.stored)));
    UnregisterHotKey(window_, kHotKeyId);
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
  EXPECT_EQ(ReadStoredHotKeyIndex(), std::nullopt);
}

// Another program holds Ctrl+Shift+M: the start is told, and loads the rest.
TEST_F(SettingsLoad, AHotKeyHeldElsewhereIsReportedAndTheRestLoads) {
  constexpr int kOtherProgramsId = 998;
  ASSERT_TRUE(RegisterHotKey(probe_, kOtherProgramsId, MOD_CONTROL | MOD_SHIFT, 'M'));
  StoreDword(kSortOrderValue, 3);
  StoreDword(kAutoStartValue, 0);
  EXPECT_FALSE(LoadSettings(settings_, window_, programFolder_));
  EXPECT_EQ(settings_.sortOrder, 3);
  EXPECT_FALSE(UnregisterHotKey(window_, kHotKeyId)) << "the window holds no hot key";
  UnregisterHotKey(probe_, kOtherProgramsId);
}

TEST_F(SettingsLoad, AutoStartFollowsTheProgramFolder) {
  struct Case {
    std::string programFolder, target;
  };
  const Case cases[] = {
      {"D:\\ツール\\Hopdeck", "D:\\ツール\\Hopdeck\\Hopdeck.exe"},
      {"C:\\", "C:\\Hopdeck.exe"},
  };
  for (const Case& c : cases) {
    settings_.autoStart = 1;
    ApplyAutoStart(settings_, c.programFolder);
    std::string target, arguments;
    EXPECT_TRUE(ReadShellLink(StartupLink(), target, arguments)) << c.programFolder;
    EXPECT_EQ(target, c.target);
  }
  // A shortcut that already points at the program is not written again.
  const FILETIME old{0x5a5a5a00, 0x01c00000};
  {
    UniqueFileHandle link(CreateFileA(StartupLink().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(SetFileTime(link.get(), nullptr, nullptr, &old));
  }
  ApplyAutoStart(settings_, cases[1].programFolder);
  WIN32_FILE_ATTRIBUTE_DATA after{};
  ASSERT_TRUE(GetFileAttributesExA(StartupLink().c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &old), 0);
  settings_.autoStart = 2;  // neither on nor off: the shortcut stays as it is
  ApplyAutoStart(settings_, programFolder_);
  EXPECT_NE(GetFileAttributesA(StartupLink().c_str()), INVALID_FILE_ATTRIBUTES);
  settings_.autoStart = 0;
  ApplyAutoStart(settings_, programFolder_);
  EXPECT_EQ(GetFileAttributesA(StartupLink().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
