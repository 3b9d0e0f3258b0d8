// The user's settings, held in memory for the whole run and stored under
// HKEY_CURRENT_USER\Software\Velmora\Hopdeck as "Option0".."Option7".
#pragma once

// "Option2": whether a shortcut to the program is kept in the Startup folder.
// Any other stored value leaves the Startup folder as it is.
enum AutoStart : int { kAutoStartOff = 0, kAutoStartOn = 1 };

// "Option7": what the hot key opens. Any other stored value acts as the
// list and is kept as it is.
enum HotKeyScreen : int { kHotKeyOpensList = 0, kHotKeyOpensSearch = 1 };
// The entries of its drop-down list, in value order.
constexpr const char* kHotKeyScreenNames[] = {"リスト", "検索"};

// The registry value (REG_DWORD) each setting is stored under.
constexpr char kSortOrderValue[] = "Option0";
constexpr char kHotKeyIndexValue[] = "Option1";
constexpr char kAutoStartValue[] = "Option2";
constexpr char kStartListValue[] = "Option3";
constexpr char kSpeechEngineValue[] = "Option4";
constexpr char kDateFormatValue[] = "Option5";
constexpr char kTimeFormatValue[] = "Option6";
constexpr char kHotKeyScreenValue[] = "Option7";

struct Settings {
  int sortOrder = 0;     // "Option0": SortOrder of all four lists (items/item_order.h)
  int hotKeyIndex = 12;  // "Option1": Ctrl+Shift+letter, 0 = A .. 25 = Z
  int autoStart = kAutoStartOn;  // "Option2": AutoStart
  int startList = 0;     // "Option3": ListKind shown at start
  int speechEngine = 0;  // "Option4": SpeechEngineId (speech/speech_dispatcher.h)
  int dateFormat = 0;    // "Option5": DateFormat (speech/date_time.h)
  int timeFormat = 1;    // "Option6": TimeFormat (speech/date_time.h)
  int hotKeyScreen = kHotKeyOpensList;  // "Option7": HotKeyScreen
};

constexpr int kDefaultHotKeyIndex = 12;

// The letter index actually used for the hot key: a stored value outside
// 0..25 falls back to M.
constexpr int EffectiveHotKeyIndex(int stored) {
  return (stored >= 0 && stored <= 25) ? stored : kDefaultHotKeyIndex;
}
