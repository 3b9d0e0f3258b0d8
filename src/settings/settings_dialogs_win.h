// The two settings dialogs. Each works on the settings in memory and stores
// what OK takes in the registry; true when it ended with OK.
#pragma once
#include <string>

#include "platform/modal_dialog_win.h"

class Voice;
struct Settings;

// "HDOptionDialog": the hot key letter, start with Windows, the list shown at
// start, the sort order and what the hot key opens. OK stores the five values and applies the hot
// key (registered anew for owner.window) and autostart (for the program in
// programFolder) at once; the start list takes effect at the next start, and
// the caller rebuilds the lists for the sort order.
[[nodiscard]] bool RunGeneralSettingsDialog(const DialogOwner& owner, Settings& settings, const std::string& programFolder);

// "HDSpeechDialog": which screen reader speaks, and how the date and the time
// are read out. The test button speaks through voice with the engine in the
// box.
[[nodiscard]] bool RunSpeechSettingsDialog(const DialogOwner& owner, Settings& settings, const Voice& voice);
