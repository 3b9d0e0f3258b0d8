// Launching items, and the browser choice dialog "WBDialog" shared with the
// history and favourites dialogs.
#pragma once
#include <windows.h>

#include <string>

struct AppState;

// Runs "WBDialog" owned by owner; sets app.browserChoice. True for OK.
bool RunBrowserChoiceDialog(AppState& app, HWND owner);

// Opens url with the browser of app.browserChoice ("msedge", "Firefox",
// "Chrome" with the URL as parameters), or with the default handler.
void OpenUrlWithChosenBrowser(const AppState& app, const std::string& url);
