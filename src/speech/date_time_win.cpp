// Speaking the local time or date, spoken in the chosen format.
#include "app/app_state.h"
#include "app/commands.h"
#include "speech/date_time.h"
#include "speech/speech_win.h"

namespace {

enum class DateTimePart { kTime, kDate };

void SpeakDateTime(const AppState& app, DateTimePart what) {
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
  std::string text = what == DateTimePart::kTime ? FormatTimeText(when, app.settings.timeFormat)
                                                 : FormatDateText(when, app.settings.dateFormat);
  if (!text.empty()) SpeakText(app, text, 0);  // a format out of range says nothing
}

}  // namespace

void CmdSpeakTime(AppState& app, const CommandContext& command) { SpeakDateTime(app, DateTimePart::kTime); }
void CmdSpeakDate(AppState& app, const CommandContext& command) { SpeakDateTime(app, DateTimePart::kDate); }
