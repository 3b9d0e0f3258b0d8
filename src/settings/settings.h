// The user's settings, held in memory for the whole run and stored under
// HKEY_CURRENT_USER\Software\Velmora\Hopdeck as "Option0".."Option6".
#pragma once

// "Option2": whether a shortcut to the program is kept in the Startup folder.
// Any other stored value leaves the Startup folder as it is.
enum AutoStart : int { kAutoStartOff = 0, kAutoStartOn = 1 };

struct Settings {
  int sortOrder = 0;     // "Option0": SortOrder of all four lists (items/item_order.h)
  int hotKeyIndex = 12;  // "Option1": Ctrl+Shift+letter, 0 = A .. 25 = Z
  int autoStart = kAutoStartOn;  // "Option2": AutoStart
  int startList = 0;     // "Option3": ListKind shown at start
  int speechEngine = 0;  // "Option4": SpeechEngineId (speech/speech_dispatcher.h)
  int dateFormat = 0;    // "Option5": DateFormat (speech/date_time.h)
  int timeFormat = 1;    // "Option6": TimeFormat (speech/date_time.h)
};

constexpr int kDefaultHotKeyIndex = 12;

// The letter index actually used for the hot key: a stored value outside
// 0..25 falls back to M.
constexpr int EffectiveHotKeyIndex(int stored) {
  return (stored >= 0 && stored <= 25) ? stored : kDefaultHotKeyIndex;
}
