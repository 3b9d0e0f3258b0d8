// Shift-JIS (code page 932) byte helpers. Every length in Hopdeck is in bytes,
// and a cut must never leave half of a double-byte character behind.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Path, name, target, URL and mail fields: 260 bytes of text and the terminator.
constexpr std::size_t kPathBytes = 261;
constexpr std::size_t kPathTextBytes = kPathBytes - 1;

// Lead bytes of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsSjisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the longest prefix of text that holds at most maxBytes bytes and
// ends on a character boundary.
std::size_t SjisCutLength(std::string_view text, std::size_t maxBytes);

// text cut to at most maxBytes bytes on a character boundary.
std::string SjisCut(std::string_view text, std::size_t maxBytes);

// Copies text into a fixed field of fieldSize bytes, cut on a character
// boundary, always terminated. Does nothing when fieldSize is 0.
void CopyToField(char* field, std::size_t fieldSize, std::string_view text);

// Text of a fixed field that may lack its terminator.
std::string_view FieldText(const char* field, std::size_t fieldSize);
