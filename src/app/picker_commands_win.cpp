// The picker commands: running windows, task manager, Send-to cleanup, the
// fixed lists and the radio pages.
#include "app/app_state.h"
#include "app/commands.h"
#include "pickers/fixed_lists_win.h"
#include "pickers/radio_menu_win.h"
#include "pickers/running_apps_win.h"
#include "pickers/send_to_win.h"

void CmdRunningApps(AppState& app, const CommandContext&) { RunRunningAppsDialog(app.Owner()); }

void CmdTaskManager(AppState& app, const CommandContext&) { OpenTaskManager(app.mainWindow); }

void CmdSendToCleanup(AppState& app, const CommandContext&) { RunSendToCleanupDialog(app.Owner(), app.voice); }

void CmdFixedList(AppState& app, const CommandContext& command) {
  RunFixedListDialog(app.Owner(), app.voice, command.id, app.dataFolder, app.historyLog);
}

void CmdRadio(AppState& app, const CommandContext& command) { OpenRadioPage(command.id, app.mainWindow); }
