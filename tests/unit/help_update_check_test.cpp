#include <gtest/gtest.h>

#include <string>

#include "resources/command_ids.h"
#include "settings/help_texts.h"
#include "settings/update_check.h"

TEST(UpdateCheck, ReadsTheLeadingDigitsOfTheFirstFourBytes) {
  struct Case {
    std::string bytes;
    int version;
    bool newer;
  };
  const Case cases[] = {
      {"118", 118, true},
      {"117", 117, false},
      {"0099", 99, false},
      {"11800", 1180, true},  // only four bytes count
      {"9999", 9999, true},
      {"0118", 118, true},
      {"118\r\n", 118, true},
      {"116\n", 116, false},
      {"12a4", 12, false},
      {std::string("1\0" "99", 4), 1, false},
      {"", 0, false},
      {"abc", 0, false},
      {" 118", 0, false},
      {"-118", 0, false},
      {"<!DOCTYPE", 0, false},
      {"\xEF\xBB\xBF" "118", 0, false},  // a byte-order mark is not a digit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(ParseVersion(c.bytes), c.version);
    EXPECT_EQ(IsNewerVersion(ParseVersion(c.bytes)), c.newer);
  }
}

TEST(UpdateCheck, HelpCommandsNameTheirPagesAndFiles) {
  const std::string base = SiteAddress("");
  ASSERT_FALSE(base.empty());
  EXPECT_NE(base.back(), '/');
  EXPECT_EQ(SiteAddress(kVersionFilePath), base + "/appversion/hopdeck.ver");

  struct Case {
    int id;
    const char* page;
    const char* file;
  };
  const Case cases[] = {
      {IDM_MANUAL, nullptr, "manual.txt"},
      {IDM_KEY_LIST, nullptr, "command.txt"},
      {IDM_CHANGE_HISTORY, "/hopdeck/history.html", nullptr},
      {IDM_VERSION, nullptr, nullptr},
      {IDM_UPDATE_CHECK, nullptr, nullptr},
      {IDM_PROGRAM_PAGE, "/hopdeck/", nullptr},
      {IDM_MAKER_SITE, "/", nullptr},
      {IDM_CONTACT_FORM, "/inquiry/", nullptr},
      {560, nullptr, nullptr},
      {569, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_STREQ(WebPagePath(c.id), c.page);
    EXPECT_STREQ(HelpFileName(c.id), c.file);
  }
}

TEST(UpdateCheck, TextsAreShiftJis) {
  // "お使いのHopdeckは最新版です。" and "更新通知", byte for byte.
  EXPECT_EQ(std::string(kUpToDateText),
            "\x82\xa8\x8e\x67\x82\xa2\x82\xcc" "Hopdeck" "\x82\xcd\x8d\xc5\x90\x56\x94\xc5\x82\xc5\x82\xb7\x81\x42");
  EXPECT_EQ(std::string(kUpdateQuestionCaption), "\x8d\x58\x90\x56\x92\xca\x92\x6d");
  EXPECT_EQ(std::string(kVersionText), "Hopdeck Ver1.17\n2025\x94\x4e" "11\x8c\x8e" "16\x93\xfa\x8c\xf6\x8a\x4a");
}
