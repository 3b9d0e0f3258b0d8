// Settings in the registry, autostart and the global hot key.
#pragma once
#include <optional>

struct AppState;
struct Settings;

// HKEY_CURRENT_USER\Software\Velmora\Hopdeck.
constexpr char kSettingsKeyPath[] = "Software\\Velmora\\Hopdeck";
constexpr char kHandOverValue[] = "Option9";

// Start-up: defaults on first run, values read, autostart applied, hot key registered.
void LoadSettings(AppState& app);

// Registers Ctrl+Shift+letter (hotKeyIndex) for the main window as id 101.
void RegisterAppHotKey(AppState& app);

// Creates "Hopdeck.lnk" in the Startup folder (autoStart 1) or deletes it (0).
void ApplyAutoStart(const AppState& app);

// "Option1" as stored now; nothing when the key or the value cannot be read.
std::optional<int> ReadStoredHotKeyIndex();

// Writes "Option0" to "Option3" from settings, in that order.
void SaveGeneralSettings(const Settings& settings);

// Writes "Option4" to "Option6" from settings, in that order.
void SaveSpeechSettings(const Settings& settings);
