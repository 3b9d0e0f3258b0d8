#include "app/app_state.h"
#include "app/commands.h"

void CmdGeneralSettings(AppState& app, const CommandContext& command) {}
