#include "items/name_readings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(NameReadings, OnlyANameWithAKanjiOrAnotherLetterNeedsOne) {
  for (const char* name : {"電卓", "メモ帳", "ΑΒΓ", "Ящик", "\xFA\x58", "ｶﾅ漢"}) EXPECT_TRUE(NeedsReading(name)) << name;
  for (const char* name : {"", "memo", "メモ", "めもちょう", "ｷﾞｼﾞﾛｸ", "ＰＤＦ　ファイル１", "「メモ」・ノート", "ヴァー",
                           "\x83\x5C", "A\x88"}) {  // ソ, and a lone lead byte
    EXPECT_FALSE(NeedsReading(name)) << name;
  }
}

TEST(NameReadings, AsksForWhatIsNotKnownAndAgainForWhatFailedOnlyWhileTheServiceFailed) {
  NameReadings readings;
  const Names listed = {"電卓", "memo", "家計簿", "電卓", "議事録"};
  EXPECT_EQ(readings.ToAsk(listed).fresh, (Names{"電卓", "家計簿", "議事録"})) << "each name once, kanji only";

  readings.Learn("電卓", "でんたく");
  readings.Miss("家計簿");
  ReadingRequest request = readings.ToAsk(listed);
  EXPECT_EQ(request.fresh, Names{"議事録"});
  EXPECT_TRUE(request.retry.empty()) << "the service worked: a name it could not read stays unread";

  readings.SetServiceWorked(false);
  EXPECT_EQ(readings.ToAsk(listed).retry, Names{"家計簿"}) << "asked again once the service answers";

  // What the cache held is taken in only for names not known yet.
  NameReadings started;
  ReadingTable cached;
  cached.byName = {{"電卓", "でんたく"}, {"家計簿", std::nullopt}};
  started.Merge(cached);
  started.Learn("議事録", "ぎじろく");
  EXPECT_TRUE(started.ToAsk(listed).empty());
  ReadingTable kept = started.TableFor({"電卓", "議事録"});
  EXPECT_EQ(kept.byName.size(), 2u) << "a name no longer listed leaves the cache";
  std::vector<std::pair<std::string, std::string>> learnt;
  EXPECT_EQ(started.KnownSince(0, learnt), 2u);
  EXPECT_EQ(learnt[1], (std::pair<std::string, std::string>{"議事録", "ぎじろく"}));
  learnt.clear();
  EXPECT_EQ(started.KnownSince(2, learnt), 2u);
  EXPECT_TRUE(learnt.empty());
}

TEST(NameReadings, KeepsAReadingOnlyWhenItFitsOneLine) {
  EXPECT_EQ(UsableReading("でんたく"), std::optional<std::string>("でんたく"));
  EXPECT_EQ(UsableReading(""), std::nullopt);
  EXPECT_EQ(UsableReading("  "), std::nullopt);
  EXPECT_EQ(UsableReading("で\tん"), std::nullopt);
  EXPECT_EQ(UsableReading("で\r\n"), std::nullopt);
  std::string longReading = "a" + std::string(kReadingMaxBytes, '\x82');  // lead bytes: cut between characters
  for (std::size_t i = 2; i < longReading.size(); i += 2) longReading[i] = '\xA0';
  std::optional<std::string> cut = UsableReading(longReading);
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(cut->size(), kReadingMaxBytes - 1);
}

}  // namespace
