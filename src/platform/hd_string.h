// The text operations of the maker's string library, built into the program.
// Texts are zero-terminated Shift-JIS. A match only ever begins on a character
// boundary: a trail byte that looks like "|", "@" or "\" is never matched.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Sets *position to the byte offset of the first occurrence of pattern in
// text, or -1. Bytes are compared exactly. Returns whether it was found.
bool FindString(const char* text, const char* pattern, int* position);

// As FindString, with ASCII letters compared without regard to case. Bytes of
// double-byte characters are compared exactly.
bool FindStringI(const char* text, const char* pattern, int* position);

// The same searches on views; -1 when absent.
int FindIn(std::string_view text, std::string_view pattern);
int FindInIgnoreCase(std::string_view text, std::string_view pattern);

// Writes text as UTF-16 with a terminating zero into buffer (bufferUnits code
// units). A text that does not fit is cut at bufferUnits - 1 units.
void ConvertToUnicode(const char* text, wchar_t* buffer, std::size_t bufferUnits);
// The whole text as UTF-16, for comparisons the platform makes on wide strings.
std::wstring WideText(std::string_view text);
