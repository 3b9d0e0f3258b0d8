// Shift-JIS texts as UTF-16, for the W functions and the readers' libraries.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Writes text as UTF-16 with a terminating zero into buffer (bufferUnits code
// units). A text that does not fit is cut at bufferUnits - 1 units, never
// inside a surrogate pair.
void ConvertToUnicode(const char* text, wchar_t* buffer, std::size_t bufferUnits);

// The whole text as UTF-16, for comparisons the platform makes on wide strings.
std::wstring WideText(std::string_view text);
