#include <gtest/gtest.h>

#include <string>

#include "resources/command_ids.h"
#include "settings/help_texts.h"
#include "settings/update_check.h"

TEST(UpdateCheck, ReadsTheLeadingDigitsOfTheFirstFourBytes) {
  constexpr int kNone = -1;  // the file names no version
  struct Case {
    std::string bytes;
    int version;
    UpdateAnswer answer;
  };
  const Case cases[] = {
      {"118", 118, UpdateAnswer::kNewer},
      {"117", 117, UpdateAnswer::kUpToDate},
      {"0099", 99, UpdateAnswer::kUpToDate},
      {"0", 0, UpdateAnswer::kUpToDate},
      {"11800", 1180, UpdateAnswer::kNewer},  // only four bytes count
      {"9999", 9999, UpdateAnswer::kNewer},
      {"0118", 118, UpdateAnswer::kNewer},
      {"118\r\n", 118, UpdateAnswer::kNewer},
      {"116\n", 116, UpdateAnswer::kUpToDate},
      {"12a4", 12, UpdateAnswer::kUpToDate},
      {std::string("1\0" "99", 4), 1, UpdateAnswer::kUpToDate},
      {"", kNone, UpdateAnswer::kUnknown},
      {"abc", kNone, UpdateAnswer::kUnknown},
      {" 118", kNone, UpdateAnswer::kUnknown},
      {"-118", kNone, UpdateAnswer::kUnknown},
      {"<!DOCTYPE", kNone, UpdateAnswer::kUnknown},
      {"\xEF\xBB\xBF" "118", kNone, UpdateAnswer::kUnknown},  // a byte-order mark is not a digit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(ParseVersion(c.bytes).value_or(kNone), c.version);
    EXPECT_EQ(AnswerFor(c.bytes), c.answer);
  }
  EXPECT_EQ(AnswerFor(std::nullopt), UpdateAnswer::kUnknown) << "a file that could not be read";
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
      {IDM_MANUAL - 1, nullptr, nullptr},  // the ids just outside the help menu
      {IDM_CONTACT_FORM + 1, nullptr, nullptr},
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
  EXPECT_EQ(std::string(kUncheckedText).substr(0, 10), "\x8d\x58\x90\x56\x82\xf0\x8a\x6d\x94\x46");  // "更新を確認"
}
