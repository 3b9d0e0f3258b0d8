// The help menu: the two help files beside the program, the maker's pages
// and the version box.
#include "settings/help_win.h"

#include <shlwapi.h>

#include "records/launch_win.h"
#include "platform/modal_dialog_win.h"
#include "settings/help_texts.h"
#include "settings/update_check.h"

// The program folder is the current directory at start, not the
// executable's folder. The file is named by its full path in the program
// folder: given a bare name, the shell may look beside the executable before
// it looks in the current directory. The viewer starts in the file's folder,
// the program folder.
void OpenHelpFile(HWND owner, int commandId, const std::string& programFolder) {
  const char* file = HelpFileName(commandId);
  if (file == nullptr || programFolder.empty()) return;
  char path[MAX_PATH] = {};
  // A path too long to combine goes as it is; the shell reports it missing in its own box.
  std::string helpFile =
      PathCombineA(path, programFolder.c_str(), file) != nullptr ? std::string(path) : programFolder + "\\" + file;
  ShellOpen(owner, nullptr, helpFile);
}

void OpenWebPage(HWND owner, int commandId) {
  const char* path = WebPagePath(commandId);
  if (path == nullptr) return;
  ShellOpen(owner, nullptr, SiteAddress(path));
}

void ShowVersion(HWND owner) { ShowMessageBox(owner, kVersionText, kVersionCaption, MB_OK | MB_ICONINFORMATION); }
