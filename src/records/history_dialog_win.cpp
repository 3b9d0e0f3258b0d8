#include "app/app_state.h"
#include "app/commands.h"

void CmdHistory(AppState& app, const CommandContext& command) {}
