// The browser choice dialog "WBDialog", opened by Shift+Enter on a URL in the
// URL list, the history and the favourites.
#pragma once
#include <windows.h>

#include <string>

#include "platform/modal_dialog_win.h"

// Runs "WBDialog" for owner. True for OK, with browser set to the chosen row
// (-1 when none is selected). Opened from the history or the favourites, it
// is recorded nowhere: that dialog holds the open-dialog slot meanwhile.
[[nodiscard]] bool RunBrowserChoiceDialog(const DialogOwner& owner, int& browser);

// Opens url with the chosen browser ("msedge", "Firefox", "Chrome" with the
// quoted URL as parameters), or with the default handler for -1; the shell's
// error box is owned by owner. False, and nothing opened, for a URL the
// browser may not be handed (BrowserMayOpen), or for -1 one that is no URL
// to open (UrlItemMayOpen).
[[nodiscard]] bool OpenUrlWithChosenBrowser(HWND owner, int browser, const std::string& url);
