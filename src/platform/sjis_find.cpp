#include "platform/sjis_find.h"

#include <cstring>

#include "platform/sjis.h"

namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares pattern against text at pos. With ignoreCase, ASCII letters that
// stand as single-byte characters in the text are folded; bytes of a
// double-byte character are compared exactly.
bool MatchesAt(std::string_view text, std::size_t pos, std::string_view pattern, bool ignoreCase) {
  if (pattern.size() > text.size() - pos) return false;
  std::size_t i = 0;
  while (i < pattern.size()) {
    char t = text[pos + i];
    if (IsSjisLeadByte(static_cast<unsigned char>(t)) && i + 1 < pattern.size()) {
      if (t != pattern[i] || text[pos + i + 1] != pattern[i + 1]) return false;
      i += 2;
      continue;
    }
    char p = pattern[i];
    if (ignoreCase ? FoldAscii(t) != FoldAscii(p) : t != p) return false;
    ++i;
  }
  return true;
}

int Find(std::string_view text, std::string_view pattern, bool ignoreCase) {
  std::size_t pos = 0;
  while (pos <= text.size()) {
    if (MatchesAt(text, pos, pattern, ignoreCase)) return static_cast<int>(pos);
    if (pos == text.size()) break;
    bool lead = IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size();
    pos += lead ? 2 : 1;
  }
  return -1;
}

}  // namespace

int FindIn(std::string_view text, std::string_view pattern) { return Find(text, pattern, false); }

int FindInIgnoreCase(std::string_view text, std::string_view pattern) { return Find(text, pattern, true); }

bool FindString(const char* text, const char* pattern, int* position) {
  *position = Find(text, pattern, false);
  return *position >= 0;
}
