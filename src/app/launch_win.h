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

// Asks the shell to open target (verb nullptr for the default action, or
// "runas"), shown normally. The result is not examined: a launch that fails
// is neither detected nor reported.
void ShellOpen(const char* verb, const std::string& target, const char* parameters = nullptr,
               const char* folder = nullptr);
