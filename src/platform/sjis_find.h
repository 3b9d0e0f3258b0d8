// Finding one Shift-JIS text inside another. Texts are zero-terminated
// Shift-JIS. A match only ever begins on a character boundary: a trail byte
// that looks like "|", "@" or "\" is never matched.
#pragma once
#include <string_view>

// Sets *position to the byte offset of the first occurrence of pattern in
// text, or -1. Bytes are compared exactly. Returns whether it was found.
bool FindString(const char* text, const char* pattern, int* position);

// The same search on views; -1 when absent.
int FindIn(std::string_view text, std::string_view pattern);
// As FindIn, with ASCII letters compared without regard to case. Bytes of
// double-byte characters are compared exactly.
int FindInIgnoreCase(std::string_view text, std::string_view pattern);
