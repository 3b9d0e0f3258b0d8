#include "app/app_state.h"
#include "app/commands.h"

void CmdRun(AppState& app, const CommandContext& command) {}
void CmdRunSpecial(AppState& app, const CommandContext& command) {}
