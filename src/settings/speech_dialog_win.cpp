#include "app/app_state.h"
#include "app/commands.h"

void CmdSpeechSettings(AppState& app, const CommandContext& command) {}
