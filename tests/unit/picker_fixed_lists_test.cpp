// The fixed launch lists: their rows as the pickers show and launch them, and
// the choice between a maker's installed product and its page.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "pickers/fixed_lists.h"
#include "resources/command_ids.h"

namespace {

constexpr int kMaker = IDM_FIXED_MAKER, kUtilities = IDM_FIXED_UTILITIES, kControlPanel = IDM_FIXED_CONTROL_PANEL,
              kPcSettings = IDM_FIXED_PC_SETTINGS, kFolders = IDM_FIXED_FOLDERS;

const auto kNothingInstalled = [](const std::string&) { return false; };

TEST(FixedLists, RowsLaunchTheirCommandsUnderTheirNames) {
  struct Case {
    int list;
    std::size_t row;
    const char* name;
    const char* command;
  } cases[] = {
      {kUtilities, 0, "Microsoft Edge", "msedge"}, {kUtilities, 7, "Word（Microsoft Office）", "winword"},
      {kUtilities, 9, "ファイル名を指定して実行", "Shell:::{2559a1f3-21d7-11d4-bdaf-00c04f60b9f0}"},
      {kControlPanel, 0, "コントロールパネル", "control"}, {kControlPanel, 10, "電源オプション", "powercfg.cpl"},
      {kControlPanel, 5, "サウンドとオーディオデバイスのプロパティ", "mmsys.cpl"},
      {kPcSettings, 0, "設定", "ms-settings:"}, {kPcSettings, 2, "Web サイト用のアプリ", "ms-settings:appsforwebsites"},
      {kPcSettings, 10, "Windows Update・更新プログラムのチェック", "ms-settings:windowsupdate-action"},
      {kFolders, 0, "PC", "shell:MyComputerFolder"}, {kFolders, 4, "マイピクチャー", "shell:My Pictures"},
      {kFolders, 11, "ごみ箱", "shell:RecycleBinFolder"},
  };
  for (const Case& c : cases) {
    FixedLaunch launch = ResolveFixedLaunch(c.list, c.row, kNothingInstalled);
    EXPECT_EQ(launch.target, c.command) << c.list << " row " << c.row;
    EXPECT_EQ(launch.name, c.name) << c.list << " row " << c.row;
    EXPECT_EQ(FixedListNames(c.list).at(c.row), c.name);
  }
}

TEST(FixedLists, EachCommandHasItsTemplateAndRowCount) {
  struct Case {
    int list;
    const char* dialog;
    std::size_t rows;
  } cases[] = {
      {kMaker, "HDDialog", 10}, {kUtilities, "UDialog", 10}, {kControlPanel, "WDialog", 11},
      {kPcSettings, "W10Dialog", 11}, {kFolders, "FDialog", 12},
  };
  for (const Case& c : cases) {
    ASSERT_NE(FixedListDialogName(c.list), nullptr) << c.list;
    EXPECT_STREQ(FixedListDialogName(c.list), c.dialog);
    EXPECT_EQ(FixedListNames(c.list).size(), c.rows) << c.list;
    // One past the last row, and ids that are no list, launch nothing.
    EXPECT_TRUE(ResolveFixedLaunch(c.list, c.rows, kNothingInstalled).target.empty()) << c.list;
  }
  for (int id : {IDM_SEND_TO_CLEANUP, IDM_FIXED_FOLDERS + 1, IDM_RADIO_PUBLIC_FIRST}) {
    EXPECT_EQ(FixedListDialogName(id), nullptr);
    EXPECT_TRUE(FixedListNames(id).empty());
    EXPECT_TRUE(ResolveFixedLaunch(id, 0, [](const std::string&) { return true; }).target.empty());
  }
}

TEST(FixedLists, MakerProductsRunFromTheFirstFolderThatHoldsThemElseTheirPageOpens) {
  const MakerRow& row = kMakerRows[2];
  const std::string path64 = row.programFiles;
  const std::string path32 = row.programFilesX86;
  const std::string page = row.page;
  struct Case {
    std::set<std::string> installed;
    std::string target;
  } cases[] = {
      {{path64, path32}, path64},
      {{path64}, path64},
      {{path32}, path32},
      {{}, page},
      {{std::string(kMakerRows[3].programFiles)}, page},  // another product's files do not count
  };
  for (const Case& c : cases) {
    std::vector<std::string> asked;
    FixedLaunch launch = ResolveFixedLaunch(kMaker, 2, [&](const std::string& path) {
      asked.push_back(path);
      return c.installed.count(path) > 0;
    });
    EXPECT_EQ(launch.target, c.target);
    EXPECT_EQ(launch.name, row.name);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), path64) << "the 64-bit folder is tried first";
  }
}

TEST(FixedLists, MakerRowsLiveInTheMakersFoldersAndOnItsSite) {
  const std::string site = HD_SITE_BASE;
  std::set<std::string> names, pages;
  for (const MakerRow& row : kMakerRows) {
    std::string name = row.name, page = row.page, path64 = row.programFiles, path32 = row.programFilesX86;
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(page.rfind(site + "/", 0), 0u) << page;
    EXPECT_EQ(path64.rfind("C:\\Program Files\\Velmora\\", 0), 0u) << path64;
    EXPECT_EQ(path32.rfind("C:\\Program Files (x86)\\Velmora\\", 0), 0u) << path32;
    // The same product folder and executable under both.
    EXPECT_EQ(path64.substr(std::strlen("C:\\Program Files\\")), path32.substr(std::strlen("C:\\Program Files (x86)\\")));
    EXPECT_EQ(path64.substr(path64.size() - 4), ".exe");
    names.insert(name);
    pages.insert(page);
  }
  EXPECT_EQ(names.size(), 10u);
  EXPECT_EQ(pages.size(), 10u);
  EXPECT_STREQ(kMakerRows[0].name, "Hopdeck");
}

}  // namespace
