// The drop-down lists of the settings dialogs, where each entry's index is
// the value of one setting.
#pragma once
#include <windows.h>

#include <span>

#include "settings/settings.h"

struct SettingChoice {
  int id;                                // the drop-down list
  int Settings::*field;                  // the setting it shows
  std::span<const char* const> entries;  // in value order; empty when the dialog adds them itself
};

// Adds each list's entries and selects the one of its setting in shown. A
// value outside the entries (an edited registry) selects nothing.
void ShowSettingChoices(HWND dialog, std::span<const SettingChoice> choices, const Settings& shown);

// Takes each list's selection into chosen, in table order. A list with no
// selection keeps its setting as it was rather than storing -1.
void TakeSettingChoices(HWND dialog, std::span<const SettingChoice> choices, Settings& chosen);
