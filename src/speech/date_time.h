// The spoken forms of the local time and date.
#pragma once
#include <string>

struct LocalDateTime {
  int year = 0;
  int month = 0;      // 1..12
  int day = 0;        // 1..31
  int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
  int hour = 0;       // 0..23
  int minute = 0;
  int second = 0;
};

// TimeFormat: 0 12-hour ("午後2時7分9秒"), 1 24-hour ("14時7分9秒").
// DateFormat: 0 "2024年3月5日", 1 with the weekday, 2 "令和6年3月5日",
// 3 with the weekday. Any other format gives an empty text (nothing to say).
std::string FormatTimeText(const LocalDateTime& when, int timeFormat);
std::string FormatDateText(const LocalDateTime& when, int dateFormat);
