// Settings under HKEY_CURRENT_USER\Software\Velmora\Hopdeck, REG_DWORD each:
//   Option0 sortOrder  Option1 hotKeyIndex  Option2 autoStart  Option3 startList
//   Option4 speechEngine  Option5 dateFormat  Option6 timeFormat
// ("Option9" is the hand-over slot; 7 and 8 are unused.)
#include "settings/settings_win.h"

#include "app/app_state.h"

namespace {

struct SettingValue {
  const char* name;
  int Settings::*field;
};

constexpr SettingValue kSettingValues[] = {
    {"Option0", &Settings::sortOrder},    {"Option1", &Settings::hotKeyIndex},
    {"Option2", &Settings::autoStart},    {"Option3", &Settings::startList},
    {"Option4", &Settings::speechEngine}, {"Option5", &Settings::dateFormat},
    {"Option6", &Settings::timeFormat},
};

void WriteDword(HKEY key, const char* name, int value) {
  DWORD data = static_cast<DWORD>(value);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

}  // namespace

void LoadSettings(AppState& app) {
  Settings& settings = app.settings;
  {
    UniqueHkey key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.put(), &disposition) == ERROR_SUCCESS &&
        disposition == REG_CREATED_NEW_KEY) {
      const Settings defaults;
      for (const SettingValue& value : kSettingValues) WriteDword(key.get(), value.name, defaults.*value.field);
    }
  }
  {
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS) {
      for (const SettingValue& value : kSettingValues) {
        DWORD data = 0;
        DWORD size = sizeof(data);
        if (RegQueryValueExA(key.get(), value.name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size) ==
                ERROR_SUCCESS &&
            size == sizeof(data)) {
          settings.*value.field = static_cast<int>(data);
        }
      }
    }
  }
  RegisterAppHotKey(app);
}

void RegisterAppHotKey(AppState& app) {
  UINT letter = 'A' + EffectiveHotKeyIndex(app.settings.hotKeyIndex);
  RegisterHotKey(app.mainWindow, kHotKeyId, MOD_CONTROL | MOD_SHIFT, letter);  // a taken key simply never arrives
}
