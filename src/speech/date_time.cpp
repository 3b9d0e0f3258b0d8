#include "speech/date_time.h"

#include "speech/speech_texts.h"

namespace {

// The era year is the Western year minus this, for every date: there is no
// test of the era's first day, so all of 2019 is 令和1年.
constexpr int kEraYearOffset = 2018;

std::string Number(int value) { return std::to_string(value); }

}  // namespace

std::string FormatTimeText(const LocalDateTime& when, int timeFormat) {
  std::string clock = kHourUnit + Number(when.minute) + kMinuteUnit + Number(when.second) + kSecondUnit;
  switch (timeFormat) {
    case kTwelveHour:  // noon is 午後0時 and midnight 午前0時: the hour 12 never occurs
      return when.hour < 12 ? kMorning + Number(when.hour) + clock : kAfternoon + Number(when.hour - 12) + clock;
    case kTwentyFourHour:
      return Number(when.hour) + clock;
    default:
      return {};
  }
}

std::string FormatDateText(const LocalDateTime& when, int dateFormat) {
  if (dateFormat < kWesternDate || dateFormat > kEraDateWeekday) return {};
  bool era = dateFormat == kEraDate || dateFormat == kEraDateWeekday;
  bool withWeekday = dateFormat == kWesternDateWeekday || dateFormat == kEraDateWeekday;
  if (withWeekday && (when.dayOfWeek < 0 || when.dayOfWeek > 6)) return {};
  std::string text = era ? kEraName + Number(when.year - kEraYearOffset) : Number(when.year);
  text += kYearUnit + Number(when.month) + kMonthUnit + Number(when.day) + kDayUnit;
  if (withWeekday) text += kWeekdayTexts[when.dayOfWeek];
  return text;
}
