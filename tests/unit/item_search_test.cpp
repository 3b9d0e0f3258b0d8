#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/item_command_texts.h"
#include "app/list_search.h"
#include "items/item_order.h"

namespace {

const std::string kPo = "\x83\x7C";  // ポ: its trail byte is "|"

int Find(const std::vector<std::string>& entries, int selection, bool forward, const std::string& term) {
  return FindListEntry(static_cast<int>(entries.size()), selection, forward, term,
                       [&](int index) { return entries.at(static_cast<std::size_t>(index)); });
}

TEST(FindListEntry, SearchesFromTheSelectionWithoutWrapping) {
  const std::vector<std::string> entries = {"alpha", "beta", "gamma", "alphabet", "delta", kPo + "x"};
  struct Case {
    int selection;
    bool forward;
    std::string term;
    int found;
  };
  const Case cases[] = {
      {-1, true, "alpha", 0},   // nothing selected: from the first entry
      {0, true, "alpha", 3},    // the selected entry itself is skipped
      {3, true, "alpha", -1},   // no wrap round to entry 0
      {4, false, "alpha", 3},
      {3, false, "alpha", 0},
      {0, false, "alpha", -1},  // already on the first entry
      {5, true, "a", -1},       // already on the last entry
      {-1, false, "a", -1},     // nothing selected: nothing above
      {1, true, "ta", 4},
      {1, true, "TA", -1},      // exact comparison
      {2, false, "", 1},        // an empty term matches the next entry in range
      {-1, true, "|", -1},      // the trail byte of ポ is not "|"
      {-1, true, kPo, 5},
      {99, false, "delta", 4},  // a selection past the end counts as the last entry
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Find(entries, c.selection, c.forward, c.term), c.found)
        << c.selection << (c.forward ? " forward " : " backward ") << c.term;
  }
  EXPECT_EQ(Find({}, -1, true, "a"), -1);
}

TEST(FindListEntry, ComparesOnlyTheFirst260BytesOfAnEntry) {
  const std::vector<std::string> entries = {std::string(260, 'a') + "needle", std::string(250, 'a') + "needle"};
  EXPECT_EQ(Find(entries, -1, true, "needle"), 1);
}

TEST(ItemAnnouncements, SpeakPositionAndSortOrder) {
  EXPECT_EQ(PositionText(12, 2), "12\x8d\x80\x96\xda\x92\x86" "3\x8d\x80\x96\xda\x96\xda");  // 12項目中3項目目
  EXPECT_EQ(PositionText(5, -1), "5\x8d\x80\x96\xda\x92\x86" "0\x8d\x80\x96\xda\x96\xda");
  EXPECT_EQ(PositionText(0, -1), kNoEntriesText);
  EXPECT_EQ(std::string(kNoEntriesText), "\x8d\x80\x96\xda\x82\xc8\x82\xb5");  // 項目なし

}

// Each of the four orders is spoken by a name of its own; a stored order
// outside them is spoken as the order by name.
TEST(ItemAnnouncements, EachSortOrderHasItsOwnNameAndOthersSpeakAsByName) {
  std::set<std::string> names;
  for (int order : {kByName, kByNameReversed, kOldestFirst, kNewestFirst}) {
    ASSERT_NE(SortOrderName(order), nullptr) << order;
    EXPECT_NE(std::string(SortOrderName(order)), "") << order;
    EXPECT_TRUE(names.insert(SortOrderName(order)).second) << "order " << order << " speaks another's name";
  }
  for (int order : {-1, kNewestFirst + 1, 99}) EXPECT_STREQ(SortOrderName(order), SortOrderName(kByName)) << order;
}

TEST(FitFindTerm, KeepsAtMost127BytesOnACharacterBoundary) {
  EXPECT_EQ(FitFindTerm(std::string(127, 'x')).size(), 127u);
  EXPECT_EQ(FitFindTerm(std::string(200, 'x')).size(), 127u);
  std::string doubles;
  for (int i = 0; i < 64; ++i) doubles += kPo;  // 128 bytes
  EXPECT_EQ(FitFindTerm(doubles), doubles.substr(0, 126));
}

}  // namespace
