// The Send-to cleanup list: names shown for shortcut files, the question, and
// where the selection goes after a deletion.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "pickers/send_to_list.h"

namespace {

TEST(SendToList, ShowsFileNamesWithoutTheirLinkEnding) {
  struct Case {
    std::string file;
    std::optional<std::string> name;
  } cases[] = {
      {"メモ帳.lnk", "メモ帳"},
      {"a.b.c.lnk", "a.b.c"},          // only the ending goes
      {"Hopdeck.LNK", "Hopdeck"},      // the file system matched it without regard to case
      {"\x83\x5C.lnk", "\x83\x5C"},    // ソ: its trail byte is a backslash
      {"x.lnk.lnk", "x.lnk"},
      {"readme.txt", std::nullopt},
      {"x.lnkx", std::nullopt},        // a match through the short name
      {".lnk", std::nullopt},
      {"lnk", std::nullopt},
      {"", std::nullopt},
      {"\x83.lnk", std::nullopt},      // the dot would be the second half of a character
  };
  for (const Case& c : cases) EXPECT_EQ(SendToEntryName(c.file), c.name) << c.file;
}

TEST(SendToList, SelectionAfterDeleteStaysOrMovesToTheNewLastLine) {
  struct Case {
    int deleted, remaining, selected;
  } cases[] = {
      {0, 3, 0},   // first of four
      {2, 3, 2},   // a middle line: the next one takes its place
      {3, 3, 2},   // the last: the new last
      {0, 0, -1},  // the only one: nothing left to select
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SelectionAfterDelete(c.deleted, c.remaining), c.selected) << c.deleted << "/" << c.remaining;
  }
}

TEST(SendToList, QuestionNamesTheShortcut) {
  EXPECT_EQ(SendToDeleteQuestion("a.b"), "a.bのショートカットを送るメニューから削除してもよろしいですか？");
  EXPECT_EQ(SendToDeleteQuestion("メモ帳"),
            "\x83\x81\x83\x82\x92\xA0のショートカットを送るメニューから削除してもよろしいですか？");
}

}  // namespace
