#include "records/record_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sjis.h"
#include "records/record_texts.h"

namespace {

// A log holding ("p0", "n0") .. at its first `filled` entries.
RecordLog LogWith(int filled) {
  RecordLog log{{}, "history.log"};
  for (int i = 0; i < filled; ++i) log.entries[i] = {"p" + std::to_string(i), "n" + std::to_string(i)};
  return log;
}

std::vector<std::string> Paths(const RecordLog& log) {
  std::vector<std::string> paths;
  for (const RecordEntry& entry : log.entries) paths.push_back(entry.filePath);
  return paths;
}

std::string Repeat(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

const std::string kSo = "\x83\x5c";   // ソ: its trail byte reads as '\'
const std::string kHyo = "\x95\x5c";  // 表

TEST(RecordAtTop, MovesOrInsertsAtTheTop) {
  struct Case {
    const char* what;
    int filled;
    std::string path;
    std::vector<std::string> expectedTop;  // entries 0.. after recording
    int expectedCount;
    std::string expectedLast;  // entry 49
  };
  const Case cases[] = {
      {"new target into an empty log", 0, "x", {"x", ""}, 1, ""},
      {"new target into three", 3, "x", {"x", "p0", "p1", "p2", ""}, 4, ""},
      {"target at 0 stays", 3, "p0", {"p0", "p1", "p2", ""}, 3, ""},
      {"target at 7 of a full log moves up, nothing dropped", 50, "p7",
       {"p7", "p0", "p1", "p2", "p3", "p4", "p5", "p6", "p8", "p9"}, 50, "p49"},
      {"new target into a full log drops 49", 50, "x", {"x", "p0", "p1"}, 50, "p48"},
      {"last entry of a full log moves up", 50, "p49", {"p49", "p0"}, 50, "p48"},
      {"case matters", 3, "P1", {"P1", "p0", "p1", "p2"}, 4, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordLog log = LogWith(c.filled);
    ASSERT_TRUE(RecordAtTop(log, c.path, "new"));
    std::vector<std::string> paths = Paths(log);
    for (std::size_t i = 0; i < c.expectedTop.size(); ++i) EXPECT_EQ(paths[i], c.expectedTop[i]) << "entry " << i;
    EXPECT_EQ(ListedCount(log), c.expectedCount);
    EXPECT_EQ(paths[49], c.expectedLast);
    EXPECT_EQ(log.entries[0].fileName, "new");
  }
}

TEST(RecordAtTop, KeepsTheNamesOfTheEntriesItMoves) {
  RecordLog log = LogWith(50);
  ASSERT_TRUE(RecordAtTop(log, "p7", "renamed"));
  EXPECT_EQ(log.entries[0].fileName, "renamed");
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(log.entries[i].fileName, "n" + std::to_string(i - 1));
  for (int i = 8; i < 50; ++i) EXPECT_EQ(log.entries[i].fileName, "n" + std::to_string(i));
}

TEST(RecordAtTop, SameTargetTwiceLeavesOneEntry) {
  RecordLog log = LogWith(2);
  EXPECT_TRUE(RecordAtTop(log, "x", "first"));
  EXPECT_TRUE(RecordAtTop(log, "x", "second"));
  EXPECT_EQ(ListedCount(log), 3);
  EXPECT_EQ(log.entries[0].filePath, "x");
  EXPECT_EQ(log.entries[0].fileName, "second");
  EXPECT_EQ(log.entries[1].filePath, "p0");
}

TEST(RecordAtTop, HandEditedDuplicateMovesTheHighestCopy) {
  RecordLog log = LogWith(12);
  log.entries[3] = {"dup", "at three"};
  log.entries[9] = {"dup", "at nine"};
  EXPECT_TRUE(RecordAtTop(log, "dup", "run"));
  EXPECT_EQ(log.entries[0].filePath, "dup");
  EXPECT_EQ(log.entries[4].filePath, "dup");  // the copy at 3, moved down by one
  EXPECT_EQ(log.entries[4].fileName, "at three");
  EXPECT_EQ(log.entries[9].filePath, "p8");  // the copy at 9 was overwritten
  EXPECT_EQ(log.entries[10].filePath, "p10");
  EXPECT_EQ(ListedCount(log), 12);
}

TEST(RecordAtTop, RefusesAnEmptyTarget) {
  RecordLog log = LogWith(3);
  EXPECT_FALSE(RecordAtTop(log, "", "name"));
  EXPECT_EQ(ListedCount(log), 3);
  EXPECT_EQ(log.entries[0].filePath, "p0");
}

TEST(RecordAtTop, CutsLongFieldsOnACharacterBoundary) {
  RecordLog log = LogWith(0);
  // 1 + 130 double-byte characters: 261 bytes, the last character must go whole.
  std::string longPath = "a" + Repeat(kSo, 130);
  std::string longName = Repeat(kHyo, 140);
  EXPECT_TRUE(RecordAtTop(log, longPath, longName));
  EXPECT_EQ(log.entries[0].filePath, "a" + Repeat(kSo, 129));
  EXPECT_EQ(log.entries[0].fileName, Repeat(kHyo, 130));
  // Recording the same long target again finds the stored (cut) copy.
  EXPECT_TRUE(RecordAtTop(log, longPath, "again"));
  EXPECT_EQ(ListedCount(log), 1);
}

TEST(AddFavourite, InsertsWithoutSearching) {
  RecordLog log = LogWith(50);
  AddFavourite(log, "p3", "again");
  EXPECT_EQ(log.entries[0].filePath, "p3");
  EXPECT_EQ(log.entries[1].filePath, "p0");
  EXPECT_EQ(log.entries[4].filePath, "p3");
  EXPECT_EQ(log.entries[49].filePath, "p48");  // p49 dropped
}

TEST(RemoveRecord, ClosesTheGapAndEmptiesTheLastEntry) {
  struct Case {
    int filled;
    int index;
    std::vector<std::string> expected;  // entries 0..
    std::string last;
  };
  const Case cases[] = {
      {3, 0, {"p1", "p2", ""}, ""},
      {3, 2, {"p0", "p1", ""}, ""},
      {3, 1, {"p0", "p2", ""}, ""},
      {50, 49, {"p0", "p1"}, ""},
      {50, 48, {"p0"}, ""},
      {50, 0, {"p1", "p2"}, ""},
      {3, -1, {"p0", "p1", "p2"}, ""},  // out of range: nothing changes
      {3, 50, {"p0", "p1", "p2"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.filled << " entries, remove " << c.index);
    RecordLog log = LogWith(c.filled);
    RemoveRecord(log, c.index);
    std::vector<std::string> paths = Paths(log);
    for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(paths[i], c.expected[i]) << "entry " << i;
    EXPECT_EQ(paths[49], c.last);
    EXPECT_TRUE(log.entries[49].fileName.empty() || c.index < 0 || c.index >= 50);
  }
  RecordLog full = LogWith(50);
  RemoveRecord(full, 48);
  EXPECT_EQ(full.entries[48].filePath, "p49");
}

TEST(ClearLog, EmptiesBothFieldsOfEveryEntry) {
  RecordLog log = LogWith(50);
  ClearLog(log);
  for (const RecordEntry& entry : log.entries) {
    EXPECT_EQ(entry.filePath, "");
    EXPECT_EQ(entry.fileName, "");
  }
}

TEST(ListedCount, StopsAtTheFirstEmptyEntry) {
  RecordLog log = LogWith(10);
  log.entries[4] = {"", "name without path"};
  EXPECT_EQ(ListedCount(log), 4);
  EXPECT_EQ(ListedCount(LogWith(50)), 50);
  EXPECT_EQ(ListedCount(LogWith(0)), 0);
}

TEST(LogHasPath, ComparesExactly) {
  RecordLog log = LogWith(3);
  EXPECT_TRUE(LogHasPath(log, "p2"));
  EXPECT_FALSE(LogHasPath(log, "P2"));
  EXPECT_FALSE(LogHasPath(log, "p"));
  EXPECT_TRUE(LogHasPath(log, ""));  // the empty entries
  EXPECT_FALSE(LogHasPath(LogWith(50), ""));
}

TEST(FormatRecordLine, ShowsNameAndPath) {
  EXPECT_EQ(FormatRecordLine({"C:\\Lnk\\メモ帳.lnk", "メモ帳"}), "メモ帳 - C:\\Lnk\\メモ帳.lnk");
  EXPECT_EQ(FormatRecordLine({"p", ""}), " - p");
  // A leading "mailto:" in lower case is left out, and only that.
  EXPECT_EQ(FormatRecordLine({"mailto:friend@example.com", "友人"}), "友人 - friend@example.com");
  EXPECT_EQ(FormatRecordLine({"mailto:", "x"}), "x - ");
  for (const std::string path : {"MAILTO:a@b", " mailto:a@b", "https://example.com/?to=mailto:a@b"}) {
    EXPECT_EQ(FormatRecordLine({path, "x"}), "x - " + path);
  }
}

TEST(FormatRecordLine, CutsALongLineOnACharacterBoundary) {
  struct Case {
    std::string name, path;
    std::size_t expectedBytes;
  };
  const Case cases[] = {
      // 260 + 3 + 256 = 519 bytes: fits exactly.
      {Repeat("a", 260), Repeat("b", 256), 519},
      // 260 + 3 + 257 = 520: one byte over.
      {Repeat("a", 260), Repeat("b", 257), 519},
      // 260 + 3 + 260 = 523 with the double-byte character straddling byte 519.
      {Repeat("a", 260), "b" + Repeat(kSo, 129) + "c", 518},
      // Double-byte characters on both sides; the last whole one ends at byte 519.
      {Repeat(kHyo, 130), Repeat(kHyo, 130), 519},
  };
  for (const Case& c : cases) {
    std::string line = FormatRecordLine({c.path, c.name});
    EXPECT_EQ(line.size(), c.expectedBytes);
    EXPECT_EQ(SjisCutLength(line, line.size()), line.size());
    // The cut never leaves a lone lead byte at the end.
    std::size_t pos = 0;
    while (pos < line.size()) pos += IsSjisLeadByte(static_cast<unsigned char>(line[pos])) ? 2 : 1;
    EXPECT_EQ(pos, line.size());
  }
}

TEST(FavouriteTexts, AreExactAndFitTheirBuffer) {
  EXPECT_EQ(std::string(kDeletedText), "\x8d\xed\x8f\x9c\x82\xb5\x82\xdc\x82\xb5\x82\xbd");
  EXPECT_EQ(FavouriteDuplicateText("Google"), "Google" + std::string(kFavouriteDuplicateSuffix));
  EXPECT_EQ(FavouriteAddedText("Google"), "Google" + std::string(kFavouriteAddedSuffix));
  EXPECT_EQ(sizeof kFavouriteDuplicateSuffix - 1, 36u);
  EXPECT_EQ(sizeof kFavouriteAddedSuffix - 1, 26u);

  // Names near 260 bytes: the name is shortened on a character boundary, the
  // suffix is kept whole, and the text fits its buffer.
  struct Maker {
    std::string (*make)(const std::string&);
    std::string suffix;
  };
  const Maker makers[] = {{FavouriteDuplicateText, kFavouriteDuplicateSuffix},
                          {FavouriteAddedText, kFavouriteAddedSuffix}};
  for (const std::string& name : {Repeat("a", 260), Repeat(kSo, 130), "a" + Repeat(kSo, 129)}) {
    for (const Maker& maker : makers) {
      std::string text = maker.make(name);
      EXPECT_LE(text.size(), kRecordSpokenBytes - 1);
      ASSERT_TRUE(text.ends_with(maker.suffix));
      std::string shownName = text.substr(0, text.size() - maker.suffix.size());
      EXPECT_EQ(shownName, SjisCut(name, kRecordSpokenBytes - 1 - maker.suffix.size()));
    }
  }
  std::string text = FavouriteDuplicateText(Repeat(kSo, 130));
  EXPECT_EQ(text, Repeat(kSo, 112) + kFavouriteDuplicateSuffix);  // 224 bytes of room, 112 characters
  text = FavouriteAddedText("a" + Repeat(kSo, 129));
  EXPECT_EQ(text, "a" + Repeat(kSo, 116) + kFavouriteAddedSuffix);  // 234 bytes of room: 233 used
}

TEST(RecordKeyName, NumbersWithoutLeadingZeros) {
  EXPECT_EQ(RecordKeyName(kFilePathSection, 0), "FilePath0");
  EXPECT_EQ(RecordKeyName(kFileNameSection, 49), "FileName49");
}

}  // namespace
