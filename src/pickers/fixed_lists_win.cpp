#include "app/app_state.h"
#include "app/commands.h"

void CmdFixedList(AppState& app, const CommandContext& command) {}
