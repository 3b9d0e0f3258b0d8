#include "app/app_state.h"
#include "app/commands.h"
#include "app/launch_win.h"

void CmdRun(AppState& app, const CommandContext& command) {}
void CmdRunSpecial(AppState& app, const CommandContext& command) {}

bool RunBrowserChoiceDialog(AppState& app, HWND owner) { return false; }
void OpenUrlWithChosenBrowser(const AppState& app, const std::string& url) {}
