// The built-in string library and the Shift-JIS helpers on real Shift-JIS
// text: trail bytes that look like "|", "@", "\" or ASCII letters must never
// be taken for those characters.
#include <gtest/gtest.h>

#include "platform/sjis_find.h"
#include "platform/sjis.h"

namespace {

// ポ = 83 7C ("|" as trail), ＠-free 「ソ」= 83 5C ("\"), 表 = 95 5C, ア = 83 41 ("A"), 猫 = 94 4C.
const std::string kPo = "\x83\x7C";
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";
const std::string kA = "\x83\x41";
const std::string kAtTrail = "\x81\x40";  // ideographic space: trail byte 0x40 is "@"

// A text, a pattern and where the pattern is found in it (-1: nowhere).
struct FindCase {
  std::string text, pattern;
  int expected;
};

TEST(FindString, NeverMatchesOnATrailByte) {
  const FindCase cases[] = {
      {"abc", "b", 1}, {"abc", "x", -1}, {"abc", "", 0}, {"", "a", -1},
      {kPo + "|", "|", 2}, {kPo, "|", -1}, {"D:\\" + kSo + "\\x", "\\", 2}, {kSo + kHyo, "\\", -1},
      {"user" + kAtTrail + "example", "@", -1}, {kAtTrail + "a@b", "@", 3},
      {"x.lnk", ".lnk", 1}, {".lnk", ".lnk", 0}, {kPo + ".lnk", ".lnk", 2}, {"ab" + kPo + "cd", kPo + "c", 2},
      {"\x83", "\x83", 0},  // a lone lead byte at the end is a character of its own
  };
  for (const FindCase& c : cases) {
    int position = 12345;
    bool found = FindString(c.text.c_str(), c.pattern.c_str(), &position);
    EXPECT_EQ(position, c.expected) << "text '" << c.text << "' pattern '" << c.pattern << "'";
    EXPECT_EQ(found, c.expected >= 0);
  }
}

TEST(FindString, IgnoreCaseFoldsOnlySingleByteLetters) {
  const FindCase cases[] = {
      {"D:\\Tools\\App.EXE", ".exe", 12}, {"x.exe.d\\doc.txt", ".EXE", 1}, {".exe", ".exe", 0}, {"note", ".exe", -1},
      {kA + "a", "A", 2},  // ア's trail byte 0x41 is not "A"
      {kA, "a", -1}, {kA + "x", kA + "X", 0},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindInIgnoreCase(c.text, c.pattern), c.expected) << "text '" << c.text << "' pattern '" << c.pattern << "'";
  }
  // The exact search keeps case.
  int position = 0;
  FindString("App.EXE", ".exe", &position);
  EXPECT_EQ(position, -1);
}

TEST(SjisCut, NeverSplitsADoubleByteCharacter) {
  const std::string text = "ab" + kPo + kSo + "c";  // 61 62 83 7C 83 5C 63
  struct Case {
    std::size_t maxBytes, expected;
  } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 4}, {5, 4}, {6, 6}, {7, 7}, {100, 7}};
  for (const Case& c : cases) EXPECT_EQ(SjisCutLength(text, c.maxBytes), c.expected) << c.maxBytes;
  EXPECT_EQ(SjisCut("\x83", 5), "\x83");  // a broken lead byte at the end is kept as one byte

  char field[5];
  CopyToField(field, sizeof(field), text);
  EXPECT_EQ(std::string(field), "ab" + kPo);
  char full[kPathBytes];
  CopyToField(full, sizeof(full), std::string(300, 'x'));
  EXPECT_EQ(std::string(full).size(), kPathTextBytes);
  // A path of 259 ASCII bytes followed by a double-byte character does not fit 260.
  CopyToField(full, sizeof(full), std::string(259, 'x') + kHyo);
  EXPECT_EQ(std::string(full), std::string(259, 'x'));
}

TEST(FieldText, StopsAtTheFieldEndWithoutATerminator) {
  const char field[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(FieldText(field, sizeof(field)), "abcd");
  const char shorter[4] = {'a', '\0', 'c', 'd'};
  EXPECT_EQ(FieldText(shorter, sizeof(shorter)), "a");
}

}  // namespace
