#include "items/shortcut_cache.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const ShortcutStamp kStamp{1234, 133000000000000001ull, 133000000000000000ull};

ShortcutCache TwoEntries() {
  ShortcutCache cache;
  cache.Remember("メモ帳", kStamp, true, "C:\\Windows\\notepad.exe");
  cache.Remember("Report final", {99, 5, 4}, false, "");  // a space inside the name, no target
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
  EXPECT_EQ(ShortcutCache::Parse(ShortcutCache().Serialize()), std::optional<ShortcutCache>(ShortcutCache()));

  std::string flipped = bytes;
  flipped[bytes.find("1234")] = '7';  // another size, checksum unchanged
  std::string otherVersion = bytes;
  otherVersion[bytes.find(" 2\r\n") + 1] = '1';  // the same lines under the previous version
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
