// The commands that only speak: the time and the date.
#include "app/app_state.h"
#include "app/commands.h"
#include "speech/date_time_win.h"

void CmdSpeakTime(AppState& app, const CommandContext&) { SpeakTime(app.voice, app.settings.timeFormat); }
void CmdSpeakDate(AppState& app, const CommandContext&) { SpeakDate(app.voice, app.settings.dateFormat); }
