#include "app/app_state.h"
#include "app/commands.h"

void CmdAddItem(AppState& app, const CommandContext& command) {}
void CmdEditItem(AppState& app, const CommandContext& command) {}
void CmdCopyPath(AppState& app, const CommandContext& command) {}
void CmdOpenFolder(AppState& app, const CommandContext& command) {}
void CmdDeleteItem(AppState& app, const CommandContext& command) {}
void CmdFind(AppState& app, const CommandContext& command) {}
void CmdFindNext(AppState& app, const CommandContext& command) {}
void CmdFindPrevious(AppState& app, const CommandContext& command) {}
void CmdSpeakPosition(AppState& app, const CommandContext& command) {}
void CmdSpeakListName(AppState& app, const CommandContext& command) {}
void CmdSpeakSortOrder(AppState& app, const CommandContext& command) {}
