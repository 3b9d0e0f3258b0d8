// The search over all four lists as the user types: "QuickFindDialog".
#pragma once

struct AppState;
struct CommandContext;

// IDM_QUICK_FIND: opens the dialog when the focus is on one of the four lists,
// and runs what the user chose there as Enter or Shift+Enter on its list would.
void CmdQuickFind(AppState& app, const CommandContext& command);
