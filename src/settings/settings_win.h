// Settings in the registry, autostart and the global hot key.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

struct Settings;

// HKEY_CURRENT_USER\Software\Velmora\Hopdeck.
constexpr char kSettingsKeyPath[] = "Software\\Velmora\\Hopdeck";
constexpr char kHandOverValue[] = "Option9";

// The id the hot key is registered with (WM_HOTKEY's wParam).
constexpr int kHotKeyId = 101;

// Start-up: defaults on first run, values read into settings, autostart
// applied for the program in programFolder, hot key registered for
// hotKeyWindow. False when the hot key could not be registered (another
// program holds it); the rest is done all the same.
[[nodiscard]] bool LoadSettings(Settings& settings, HWND hotKeyWindow, const std::string& programFolder);

// Registers Ctrl+Shift+letter (a hotKeyIndex) for window as kHotKeyId; false
// when the system refuses it (another program holds the combination).
[[nodiscard]] bool RegisterAppHotKey(HWND window, int hotKeyIndex);

// Creates "Hopdeck.lnk" in the Startup folder, pointing at Hopdeck.exe in
// programFolder (autoStart kAutoStartOn), or deletes it (kAutoStartOff).
void ApplyAutoStart(const Settings& settings, const std::string& programFolder);

// "Option1" as stored now; nothing when the key or the value cannot be read.
std::optional<int> ReadStoredHotKeyIndex();

// Writes "Option0" to "Option3" and then "Option7" from settings, in that
// order. False when the key cannot be opened or a value cannot be written;
// the values before it may then be written already.
[[nodiscard]] bool SaveGeneralSettings(const Settings& settings);

// Writes "Option4" to "Option6" from settings, in that order; false as
// SaveGeneralSettings.
[[nodiscard]] bool SaveSpeechSettings(const Settings& settings);
