// The help menu: the two help files beside the program, the maker's pages
// and the version box.
#include "settings/help_win.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "platform/modal_dialog_win.h"
#include "settings/help_texts.h"
#include "settings/update_check.h"

// The program folder is the current directory at start, not the
// executable's folder. The file is named by its full path in the program
// folder: given a bare name, the shell may look beside the executable before
// it looks in the current directory. The program folder is also the current
// directory for this one call, so the viewer starts there.
void OpenHelpFile(HWND owner, int commandId, const std::string& programFolder, const std::string& currentFolder) {
  const char* file = HelpFileName(commandId);
  if (file == nullptr) return;
  char path[MAX_PATH] = {};
  if (programFolder.empty() || PathCombineA(path, programFolder.c_str(), file) == nullptr) {
    lstrcpynA(path, file, MAX_PATH);  // a folder too long to combine: the bare name, found through the current directory
  }
  SetCurrentDirectoryA(programFolder.c_str());  // on failure the shell reports the missing file itself
  ShellExecuteA(owner, nullptr, path, nullptr, nullptr, SW_SHOW);
  SetCurrentDirectoryA(currentFolder.c_str());
}

void OpenWebPage(HWND owner, int commandId) {
  const char* path = WebPagePath(commandId);
  if (path == nullptr) return;
  ShellExecuteA(owner, nullptr, SiteAddress(path).c_str(), nullptr, nullptr, SW_SHOW);
}

void ShowVersion(HWND owner) { ShowMessageBox(owner, kVersionText, kVersionCaption, MB_OK | MB_ICONINFORMATION); }
