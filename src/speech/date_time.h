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

// "Option6": 12-hour ("午後2時7分9秒") or 24-hour ("14時7分9秒").
enum TimeFormat : int { kTwelveHour = 0, kTwentyFourHour = 1 };
// "Option5": "2024年3月5日", with the weekday, "令和6年3月5日", with the weekday.
enum DateFormat : int { kWesternDate = 0, kWesternDateWeekday = 1, kEraDate = 2, kEraDateWeekday = 3 };

// Any value that is no TimeFormat or DateFormat gives an empty text (nothing to say).
std::string FormatTimeText(const LocalDateTime& when, int timeFormat);
std::string FormatDateText(const LocalDateTime& when, int dateFormat);
