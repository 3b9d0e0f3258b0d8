// The commands of the settings and help menus: each opens the settings
// subsystem's dialog or help function for the main window, and does what
// the change means for the rest of the program.
#include "app/app_state.h"
#include "app/commands.h"
#include "app/main_window_win.h"
#include "settings/help_win.h"
#include "settings/settings_dialogs_win.h"
#include "settings/update_check_win.h"

// IDM_GENERAL_SETTINGS.
void CmdGeneralSettings(AppState& app, const CommandContext&) {
  if (!RunGeneralSettingsDialog(app.Owner(), app.settings, app.programFolder)) return;
  // The new sort order takes effect at once.
  LoadItemLists(app);
  SelectFirstEntries(app);
}

// IDM_SPEECH_SETTINGS. The new choices hold from the next text on.
void CmdSpeechSettings(AppState& app, const CommandContext&) {
  (void)RunSpeechSettingsDialog(app.Owner(), app.settings, app.voice);  // OK saved and applied them; Cancel changed nothing
}

// IDM_MANUAL, IDM_KEY_LIST.
void CmdOpenHelpFile(AppState& app, const CommandContext& command) {
  OpenHelpFile(app.mainWindow, command.id, app.programFolder);
}

// IDM_CHANGE_HISTORY, IDM_PROGRAM_PAGE, IDM_MAKER_SITE, IDM_CONTACT_FORM: the maker's pages in the default browser.
void CmdOpenWebPage(AppState& app, const CommandContext& command) { OpenWebPage(app.mainWindow, command.id); }

// IDM_VERSION.
void CmdVersion(AppState& app, const CommandContext&) { ShowVersion(app.mainWindow); }

// IDM_UPDATE_CHECK. Runs on this thread: the window waits while the server is asked.
void CmdUpdateCheck(AppState& app, const CommandContext&) { RunUpdateCheck(app.mainWindow); }
