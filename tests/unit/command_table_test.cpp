// The command table: menu texts and keys as the user meets them.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/command_table.h"
#include "resources/command_ids.h"

namespace {

const CommandRow* Find(const std::vector<CommandRow>& rows, int id) {
  for (const CommandRow& row : rows) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

TEST(CommandTable, NamesEachCommandsKeysAndPopup) {
  std::vector<CommandRow> rows = CommandTable();
  struct Case {
    int id;
    const char* popup;
    std::vector<std::string> keys;
  } cases[] = {
      {IDM_RUN, "", {"Enter"}},
      {IDM_RUN_SPECIAL, "", {"Shift+Enter"}},
      {IDM_ADD_ITEM, "ファイル(&F)", {"F4"}},
      {IDM_COPY_PATH, "ファイル(&F)", {"Control+F4"}},
      {IDM_OPEN_FOLDER, "ファイル(&F)", {}},
      {IDM_IMPORT_FROM_START_MENU, "ファイル(&F)", {"Control+I"}},  // a virtual-key entry: the character would be Tab
      {IDM_HIDE_MAIN_WINDOW, "ファイル(&F)", {"Escape", "Alt+F4"}},
      {IDM_CLOSE_MAIN_WINDOW, "ファイル(&F)", {"Alt+Shift+F4"}},
      {IDM_FIND, "検索(&S)", {"Control+F"}},
      {IDM_FIND_PREVIOUS, "検索(&S)", {"Shift+F3"}},
      {IDM_SPEAK_POSITION, "読み(&R)", {"Control+7"}},  // its menu text says Control+F7
      {IDM_SPEAK_TIME, "読み(&R)", {"Control+T"}},
      {IDM_SPEAK_DATE, "読み(&R)", {"Control+Y"}},
      {IDM_FIXED_PC_SETTINGS, "ユーティリティ(&U)", {"F10"}},
      {IDM_GENERAL_SETTINGS, "ツール(&T)", {}},
      {IDM_MANUAL, "ヘルプ(&H)", {"F1"}},
      {IDM_CONTEXT_MENU, "", {"Apps"}},
      {IDM_NEXT_LIST, "", {"Tab"}},
      {IDM_PREVIOUS_LIST, "", {"Shift+Tab"}},
  };
  for (const Case& c : cases) {
    const CommandRow* row = Find(rows, c.id);
    ASSERT_NE(row, nullptr) << c.id;
    EXPECT_EQ(row->popup, c.popup) << c.id;
    EXPECT_EQ(row->keys, c.keys) << c.id;
  }
  EXPECT_EQ(Find(rows, IDM_SPEAK_POSITION)->text, "リストの全項目数と現在位置を読み上げ(&7)\tControl+F7");
}

TEST(CommandTable, MenuBarHasTheNinePopupsInOrderAndEveryIdOnce) {
  std::vector<std::string> tops;
  std::map<int, int> seen;
  int depth = 0;
  for (std::size_t i = 0; i < kMenuBarCount; ++i) {
    const MenuNode& node = kMenuBar[i];
    if (node.kind == MenuNodeKind::kPopup && depth++ == 0) tops.push_back(node.text);
    if (node.kind == MenuNodeKind::kEnd) --depth;
    if (node.kind == MenuNodeKind::kItem) ++seen[node.id];
  }
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(tops, (std::vector<std::string>{"ファイル(&F)", "検索(&S)", "リスト移動(&M)", "お気に入り(&B)",
                                            "ユーティリティ(&U)", "ネットラジオURL(&N)", "読み(&R)", "ツール(&T)",
                                            "ヘルプ(&H)"}));
  // The public broadcaster's pages, three channels in eight areas, are
  // reachable by channel and by area: each stands in the menu twice.
  constexpr int kLastByChannelAndArea = IDM_RADIO_PUBLIC_FIRST + 3 * 8 - 1;
  for (const auto& [id, count] : seen) {
    EXPECT_EQ(count, (id >= IDM_RADIO_PUBLIC_FIRST && id <= kLastByChannelAndArea) ? 2 : 1) << id;
  }
}

}  // namespace
