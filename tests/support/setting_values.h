// The registry values of the settings key, named as the program names them,
// as UTF-16 for the scenarios' registry calls. A value the program renames
// changes here with it.
#pragma once
#include <string>

#include "settings/settings.h"
#include "settings/settings_win.h"

namespace setting_value {

// The names are ASCII: each byte is its own UTF-16 unit.
inline std::wstring Wide(const char* name) { return std::wstring(name, name + std::char_traits<char>::length(name)); }

inline const std::wstring kSortOrder = Wide(kSortOrderValue);
inline const std::wstring kHotKeyIndex = Wide(kHotKeyIndexValue);
inline const std::wstring kAutoStart = Wide(kAutoStartValue);
inline const std::wstring kStartList = Wide(kStartListValue);
inline const std::wstring kSpeechEngine = Wide(kSpeechEngineValue);
inline const std::wstring kDateFormat = Wide(kDateFormatValue);
inline const std::wstring kTimeFormat = Wide(kTimeFormatValue);
inline const std::wstring kHotKeyScreen = Wide(kHotKeyScreenValue);
// The slot a second instance leaves its request in (REG_SZ).
inline const std::wstring kHandOver = Wide(kHandOverValue);

}  // namespace setting_value
