#include "app/app_state.h"
#include "app/commands.h"

void CmdRunningApps(AppState& app, const CommandContext& command) {}
void CmdTaskManager(AppState& app, const CommandContext& command) {}
