// The help menu: the two help files beside the program, the maker's pages,
// the version box and the update check.
#include "app/app_state.h"

#include <shlwapi.h>

#include "app/commands.h"
#include "settings/help_texts.h"
#include "settings/update_check.h"
#include "settings/update_check_win.h"

// IDM_MANUAL, IDM_KEY_LIST. The program folder is the current directory at start, not the
// executable's folder. The file is named by its full path in the program
// folder: given a bare name, the shell may look beside the executable before
// it looks in the current directory. The program folder is also the current
// directory for this one call, so the viewer starts there.
void CmdOpenHelpFile(AppState& app, const CommandContext& command) {
  const char* file = HelpFileName(command.id);
  if (file == nullptr) return;
  char path[MAX_PATH] = {};
  if (app.programFolder.empty() || PathCombineA(path, app.programFolder.c_str(), file) == nullptr) {
    lstrcpynA(path, file, MAX_PATH);  // a folder too long to combine: the bare name, found through the current directory
  }
  SetCurrentDirectoryA(app.programFolder.c_str());  // on failure the shell reports the missing file itself
  ShellExecuteA(app.mainWindow, nullptr, path, nullptr, nullptr, SW_SHOW);
  SetCurrentDirectoryA(app.dataFolder.c_str());
}

// IDM_CHANGE_HISTORY, IDM_PROGRAM_PAGE, IDM_MAKER_SITE, IDM_CONTACT_FORM: the maker's pages in the default browser.
void CmdOpenWebPage(AppState& app, const CommandContext& command) {
  const char* path = WebPagePath(command.id);
  if (path == nullptr) return;
  ShellExecuteA(app.mainWindow, nullptr, SiteAddress(path).c_str(), nullptr, nullptr, SW_SHOW);
}

// IDM_VERSION.
void CmdVersion(AppState& app, const CommandContext& command) {
  SetForegroundWindow(app.mainWindow);
  MessageBoxA(app.mainWindow, kVersionText, kVersionCaption, MB_OK | MB_ICONINFORMATION);
}

// IDM_UPDATE_CHECK. Runs on this thread: the window waits while the server is asked.
void CmdUpdateCheck(AppState& app, const CommandContext& command) {
  SetForegroundWindow(app.mainWindow);
  RunUpdateCheck(app.mainWindow);
}
