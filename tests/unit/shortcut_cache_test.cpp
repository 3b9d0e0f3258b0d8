#include "items/shortcut_cache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

const ShortcutStamp kStamp{1234, 133000000000000001ull, 133000000000000000ull};

ShortcutCache TwoEntries() {
  ShortcutCache cache;
  cache.Remember("メモ帳", kStamp, true, "C:\\Windows\\notepad.exe");
  cache.Remember("Report final", {99, 5, 4}, false, "");  // a space inside the name, no target
  ReadingTable readings;
  readings.byName = {{"メモ帳", "めもちょう"}, {"家計簿", std::nullopt}};  // read, and not readable
  readings.serviceWorked = false;
  cache.SetReadings(readings);
  return cache;
}

}  // namespace

TEST(ShortcutCache, AnEntryCountsOnlyForTheStampItWasReadWith) {
  ShortcutCache cache = TwoEntries();
  EXPECT_EQ(cache.IsProgram("メモ帳", kStamp), std::optional<bool>(true));
  EXPECT_EQ(cache.IsProgram("Report final", {99, 5, 4}), std::optional<bool>(false));
  for (ShortcutStamp changed : {ShortcutStamp{1235, kStamp.writeTime, kStamp.creationTime},
                                ShortcutStamp{kStamp.size, kStamp.writeTime + 1, kStamp.creationTime},
                                ShortcutStamp{kStamp.size, kStamp.writeTime, kStamp.creationTime + 1}}) {
    EXPECT_EQ(cache.IsProgram("メモ帳", changed), std::nullopt);
  }
  EXPECT_EQ(cache.IsProgram("メモ", kStamp), std::nullopt);
}

TEST(ShortcutCache, ReadsBackWhatItWroteAndNothingElse) {
  const std::string bytes = TwoEntries().Serialize();
  std::optional<ShortcutCache> read = ShortcutCache::Parse(bytes);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, TwoEntries());
  EXPECT_EQ(read->TargetOf("メモ帳"), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(read->readings(), TwoEntries().readings());
  EXPECT_EQ(ShortcutCache::Parse(ShortcutCache().Serialize()), std::optional<ShortcutCache>(ShortcutCache()));

  std::string flipped = bytes;
  flipped[bytes.find("1234")] = '7';  // another size, checksum unchanged
  std::string otherVersion = bytes;
  otherVersion[bytes.find(" 3\r\n") + 1] = '2';  // the same lines under the previous version
  const std::string foreign[] = {
      "",
      flipped,
      otherVersion,
      bytes.substr(0, bytes.size() - 2),  // cut before its last line end
      bytes + "x",
      bytes.substr(0, bytes.find("END")),
      "[InternetShortcut]\r\nURL=http://example.jp/\r\n",
      std::string(kShortcutCacheMaxBytes + 1, 'x'),
  };
  for (const std::string& text : foreign) EXPECT_EQ(ShortcutCache::Parse(text), std::nullopt) << text.substr(0, 80);
}

// The lines before "END" sealed as Serialize seals them, so that a test
// reaches the checks behind the checksum.
std::string Sealed(const std::string& body, std::size_t count) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : body) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  char checksum[17] = {};
  std::snprintf(checksum, sizeof checksum, "%016llx", static_cast<unsigned long long>(hash));
  return body + "END " + std::to_string(count) + " " + checksum + "\r\n";
}

TEST(ShortcutCache, RefusesReadingLinesThatAreNotWholeEvenWhenSealed) {
  const std::string header = "HopdeckItemCache 3\r\n1 2 3 1 メモ帳\tC:\\memo.exe\r\n";
  ASSERT_TRUE(ShortcutCache::Parse(Sealed(header + "READINGS 1\r\nR 電卓\tでんたく\r\nM 家計簿\r\n", 3)));
  const std::string refused[] = {
      Sealed(header + "READINGS 1\r\nM 家計簿\r\nM 家計簿\r\n", 3),         // a name twice
      Sealed(header + "READINGS 1\r\nR 電卓\t\r\n", 2),                      // an empty reading
      Sealed(header + "READINGS 1\r\nR 電卓\r\n", 2),                         // no reading at all
      Sealed(header + "READINGS 1\r\nR 電卓\tで\tん\r\n", 2),                // a tab inside it
      Sealed(header + "READINGS 2\r\n", 1),
      Sealed(header + "READINGS 1\r\nREADINGS 1\r\n", 1),
      Sealed(header, 1),                                                        // no READINGS line
      Sealed(header + "READINGS 1\r\nX 電卓\r\n", 2),
      Sealed(header + "READINGS 1\r\nR 電卓\tでんたく\r\n", 1),              // the count leaves it out
  };
  for (const std::string& bytes : refused) EXPECT_EQ(ShortcutCache::Parse(bytes), std::nullopt) << bytes;
}
