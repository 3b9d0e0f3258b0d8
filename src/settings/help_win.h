// The help menu: the two help files beside the program, the maker's pages and
// the version box. (The update check is in settings/update_check_win.h.)
#pragma once
#include <windows.h>

#include <string>

// IDM_MANUAL, IDM_KEY_LIST: opens the command's help file in programFolder
// with the shell, owned by owner, the viewer started in programFolder; other
// ids do nothing.
void OpenHelpFile(HWND owner, int commandId, const std::string& programFolder);

// IDM_CHANGE_HISTORY, IDM_PROGRAM_PAGE, IDM_MAKER_SITE, IDM_CONTACT_FORM: opens
// the command's page on the maker's site in the default browser; other ids do
// nothing.
void OpenWebPage(HWND owner, int commandId);

// IDM_VERSION: the version box, owned by owner.
void ShowVersion(HWND owner);
