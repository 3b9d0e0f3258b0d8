// Spoken time and date: the literals below compile to Shift-JIS like the program's.
#include "speech/date_time.h"

#include <gtest/gtest.h>

#include "speech/speech_texts.h"

namespace {

LocalDateTime At(int year, int month, int day, int dayOfWeek, int hour, int minute, int second) {
  LocalDateTime when;
  when.year = year;
  when.month = month;
  when.day = day;
  when.dayOfWeek = dayOfWeek;
  when.hour = hour;
  when.minute = minute;
  when.second = second;
  return when;
}

// Tuesday 5 March 2024, 14:07:09.
const LocalDateTime kExample = At(2024, 3, 5, 2, 14, 7, 9);

TEST(SpeechDateTime, TimeInBothForms) {
  struct Case {
    int hour, minute, second, format;
    const char* expected;
  };
  const Case cases[] = {
      {14, 7, 9, 0, "午後2時7分9秒"},  {14, 7, 9, 1, "14時7分9秒"},
      {0, 0, 0, 0, "午前0時0分0秒"},   {12, 0, 0, 0, "午後0時0分0秒"},
      {11, 59, 59, 0, "午前11時59分59秒"}, {23, 59, 59, 0, "午後11時59分59秒"},
      {9, 5, 3, 1, "9時5分3秒"},       {0, 0, 0, 1, "0時0分0秒"},
      {12, 30, 0, 1, "12時30分0秒"},
  };
  for (const Case& c : cases) {
    LocalDateTime when = At(2024, 3, 5, 2, c.hour, c.minute, c.second);
    EXPECT_EQ(FormatTimeText(when, c.format), c.expected) << c.hour << ":" << c.minute << " format " << c.format;
  }
}

TEST(SpeechDateTime, DateInAllFourForms) {
  struct Case {
    LocalDateTime when;
    int format;
    const char* expected;
  };
  const Case cases[] = {
      {kExample, 0, "2024年3月5日"},
      {kExample, 1, "2024年3月5日（火曜日）"},
      {kExample, 2, "令和6年3月5日"},
      {kExample, 3, "令和6年3月5日（火曜日）"},
      {At(2019, 1, 1, 2, 0, 0, 0), 2, "令和1年1月1日"},  // no test of the era's first day
      {At(2019, 12, 31, 2, 0, 0, 0), 3, "令和1年12月31日（火曜日）"},
      {At(2018, 6, 1, 5, 0, 0, 0), 2, "令和0年6月1日"},  // a clock set before the era
      {At(2017, 6, 1, 4, 0, 0, 0), 2, "令和-1年6月1日"},
      {At(2024, 3, 3, 0, 0, 0, 0), 1, "2024年3月3日（日曜日）"},
      {At(2024, 3, 9, 6, 0, 0, 0), 1, "2024年3月9日（土曜日）"},
      {At(2024, 12, 25, 3, 0, 0, 0), 0, "2024年12月25日"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateText(c.when, c.format), c.expected) << c.when.year << "/" << c.when.month << "/" << c.when.day;
  }
}

TEST(SpeechDateTime, EveryWeekdayHasItsText) {
  const char* expected[7] = {"（日曜日）", "（月曜日）", "（火曜日）", "（水曜日）",
                             "（木曜日）", "（金曜日）", "（土曜日）"};
  for (int day = 0; day < 7; ++day) {
    EXPECT_EQ(FormatDateText(At(2024, 3, 3 + day, day, 0, 0, 0), 1),
              "2024年3月" + std::to_string(3 + day) + "日" + expected[day]);
  }
  // Byte for byte: full-width parentheses around 日曜日 in Shift-JIS.
  EXPECT_STREQ(kWeekdayTexts[0], "\x81\x69\x93\xFA\x97\x6A\x93\xFA\x81\x6A");
}

TEST(SpeechDateTime, FormatsOutOfRangeSayNothing) {
  for (int format : {-1, 2, 100}) EXPECT_EQ(FormatTimeText(kExample, format), "") << format;
  for (int format : {-1, 4, 100}) EXPECT_EQ(FormatDateText(kExample, format), "") << format;
  // A weekday that is no weekday is not looked up.
  EXPECT_EQ(FormatDateText(At(2024, 3, 5, 7, 0, 0, 0), 1), "");
  EXPECT_EQ(FormatDateText(At(2024, 3, 5, -1, 0, 0, 0), 3), "");
  EXPECT_EQ(FormatDateText(At(2024, 3, 5, 7, 0, 0, 0), 0), "2024年3月5日");
}

}  // namespace
