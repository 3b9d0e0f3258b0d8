// Settings under HKEY_CURRENT_USER\Software\Velmora\Hopdeck, REG_DWORD each:
//   Option0 sortOrder  Option1 hotKeyIndex  Option2 autoStart  Option3 startList
//   Option4 speechEngine  Option5 dateFormat  Option6 timeFormat  Option7 hotKeyScreen
// ("Option9" is the hand-over slot; 8 is unused.) The key is opened
// for each use and closed at once; no handle stays open.
#include "settings/settings_win.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <iterator>

#include "items/item_store_win.h"
#include "platform/win_handles.h"
#include "settings/settings.h"
#include "speech/speech_dispatcher.h"

namespace {

struct SettingValue {
  const char* name;
  int Settings::*field;
};

// In the order they are written on first start and read at every start.
constexpr SettingValue kSettingValues[] = {
    {kSortOrderValue, &Settings::sortOrder},       {kHotKeyIndexValue, &Settings::hotKeyIndex},
    {kAutoStartValue, &Settings::autoStart},       {kStartListValue, &Settings::startList},
    {kSpeechEngineValue, &Settings::speechEngine}, {kDateFormatValue, &Settings::dateFormat},
    {kTimeFormatValue, &Settings::timeFormat},     {kHotKeyScreenValue, &Settings::hotKeyScreen},
};
// The general dialog owns the first four and the last; the speech dialog the three between.
constexpr int kGeneralValueCount = 4;
constexpr int kSpeechValueLast = 6;

constexpr char kAutoStartLinkName[] = "Hopdeck.lnk";
constexpr char kProgramFileName[] = "Hopdeck.exe";

[[nodiscard]] bool WriteDword(HKEY key, const char* name, int value) {
  DWORD data = static_cast<DWORD>(value);
  return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
         ERROR_SUCCESS;
}

// A value that is missing, or not exactly four bytes, counts as unreadable.
std::optional<int> ReadDword(HKEY key, const char* name) {
  DWORD data = 0;
  DWORD size = sizeof(data);
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
      size != sizeof(data)) {
    return std::nullopt;
  }
  return static_cast<int>(data);
}

bool OpenSettingsKey(UniqueHkey& key) {
  return RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS;
}

}  // namespace

bool LoadSettings(Settings& settings, HWND hotKeyWindow, const std::string& programFolder) {
  {
    UniqueHkey key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.put(), &disposition) == ERROR_SUCCESS &&
        disposition == REG_CREATED_NEW_KEY) {
      // A first start speaks through whatever reader runs; an existing key
      // keeps what it holds, and a value missing there still means no speech.
      Settings defaults;
      defaults.speechEngine = kAutomatic;
      // A default that cannot be written is read as missing at the next start:
      // the program runs all the same, so the failure is not reported.
      for (const SettingValue& value : kSettingValues) {
        (void)WriteDword(key.get(), value.name, defaults.*value.field);
      }
    }
  }
  {
    // A value that cannot be read keeps its default; nothing is written back.
    UniqueHkey key;
    if (OpenSettingsKey(key)) {
      for (const SettingValue& value : kSettingValues) {
        if (std::optional<int> stored = ReadDword(key.get(), value.name)) settings.*value.field = *stored;
      }
    }
  }
  // At every start the Startup shortcut is made again (it follows the folder
  // the program was started from) or removed.
  ApplyAutoStart(settings, programFolder);
  return RegisterAppHotKey(hotKeyWindow, settings.hotKeyIndex);
}

bool RegisterAppHotKey(HWND window, int hotKeyIndex) {
  UINT letter = 'A' + EffectiveHotKeyIndex(hotKeyIndex);
  return RegisterHotKey(window, kHotKeyId, MOD_CONTROL | MOD_SHIFT, letter) != FALSE;
}

void ApplyAutoStart(const Settings& settings, const std::string& programFolder) {
  const int autoStart = settings.autoStart;
  if (autoStart != kAutoStartOff && autoStart != kAutoStartOn) return;

  char startupFolder[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathA(nullptr, startupFolder, CSIDL_STARTUP, FALSE)) return;
  char linkPath[MAX_PATH + 1] = {};
  if (PathCombineA(linkPath, startupFolder, kAutoStartLinkName) == nullptr) return;

  if (autoStart == kAutoStartOff) {
    DeleteFileA(linkPath);  // no such file is the ordinary case
    return;
  }
  // Without a program folder there is nothing to point at.
  if (programFolder.empty()) return;
  char target[MAX_PATH + 1] = {};
  if (PathCombineA(target, programFolder.c_str(), kProgramFileName) == nullptr) return;
  // A shortcut that already points here is left alone: reading it costs far
  // less than writing it again, at the very moment the disk is busiest.
  std::string storedTarget;
  std::string storedArguments;
  if (ReadShellLinkAsStored(linkPath, storedTarget, storedArguments) && storedTarget == target &&
      storedArguments.empty()) {
    return;
  }
  // Not reported: the program runs as well without it, and every start tries again.
  (void)SaveShellLink(linkPath, target, "");
}

std::optional<int> ReadStoredHotKeyIndex() {
  UniqueHkey key;
  if (!OpenSettingsKey(key)) return std::nullopt;
  return ReadDword(key.get(), kHotKeyIndexValue);
}

namespace {

// Writes the values first..last of the table, in table order; false as soon
// as the key cannot be opened or a value cannot be written.
[[nodiscard]] bool SaveSettingValues(const Settings& settings, int first, int last) {
  UniqueHkey key;
  if (!OpenSettingsKey(key)) return false;
  for (int i = first; i <= last; ++i) {
    if (!WriteDword(key.get(), kSettingValues[i].name, settings.*kSettingValues[i].field)) return false;
  }
  return true;
}

}  // namespace

bool SaveGeneralSettings(const Settings& settings) {
  return SaveSettingValues(settings, 0, kGeneralValueCount - 1) &&
         SaveSettingValues(settings, kSpeechValueLast + 1, static_cast<int>(std::size(kSettingValues)) - 1);
}

bool SaveSpeechSettings(const Settings& settings) {
  return SaveSettingValues(settings, kGeneralValueCount, kSpeechValueLast);
}
