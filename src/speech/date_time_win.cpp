// Speaking the local time or date, read from the clock now.
#include "speech/date_time_win.h"

#include "speech/date_time.h"

namespace {

LocalDateTime Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  LocalDateTime when;
  when.year = now.wYear;
  when.month = now.wMonth;
  when.day = now.wDay;
  when.dayOfWeek = now.wDayOfWeek;
  when.hour = now.wHour;
  when.minute = now.wMinute;
  when.second = now.wSecond;
  return when;
}

void SpeakIfAny(const Voice& voice, const std::string& text) {
  if (!text.empty()) SpeakText(voice, text, 0);
}

}  // namespace

void SpeakTime(const Voice& voice, int timeFormat) { SpeakIfAny(voice, FormatTimeText(Now(), timeFormat)); }
void SpeakDate(const Voice& voice, int dateFormat) { SpeakIfAny(voice, FormatDateText(Now(), dateFormat)); }
