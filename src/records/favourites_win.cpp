#include "app/app_state.h"
#include "app/commands.h"

void CmdAddFavourite(AppState& app, const CommandContext& command) {}
void CmdFavourites(AppState& app, const CommandContext& command) {}
