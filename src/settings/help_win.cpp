#include "app/app_state.h"
#include "app/commands.h"

void CmdOpenHelpFile(AppState& app, const CommandContext& command) {}
void CmdOpenWebPage(AppState& app, const CommandContext& command) {}
void CmdVersion(AppState& app, const CommandContext& command) {}
void CmdUpdateCheck(AppState& app, const CommandContext& command) {}
