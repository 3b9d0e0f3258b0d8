// Settings in the registry, autostart and the global hot key.
#pragma once

struct AppState;

// HKEY_CURRENT_USER\Software\Velmora\Hopdeck.
constexpr char kSettingsKeyPath[] = "Software\\Velmora\\Hopdeck";
constexpr char kHandOverValue[] = "Option9";

// Start-up: defaults on first run, values read, autostart applied, hot key registered.
void LoadSettings(AppState& app);

// Registers Ctrl+Shift+letter (hotKeyIndex) for the main window as id 101.
void RegisterAppHotKey(AppState& app);
