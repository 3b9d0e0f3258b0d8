#include "pickers/send_to_win.h"

#include "app/app_state.h"
#include "app/commands.h"

void EnsureSendToShortcut(const AppState& app) {}
void CmdSendToCleanup(AppState& app, const CommandContext& command) {}
