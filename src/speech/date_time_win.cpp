#include "app/app_state.h"
#include "app/commands.h"

void CmdSpeakTime(AppState& app, const CommandContext& command) {}
void CmdSpeakDate(AppState& app, const CommandContext& command) {}
