// Launching items, and the browser choice dialog "WBDialog" shared with the
// history and favourites dialogs.
#pragma once
#include <windows.h>

#include <string>

struct AppState;

// Runs "WBDialog" owned by owner; sets app.browserChoice. True for OK.
bool RunBrowserChoiceDialog(AppState& app, HWND owner);

// Opens url with the browser of app.browserChoice ("msedge", "Firefox",
// "Chrome" with the quoted URL as parameters), or with the default handler.
// False, and nothing opened, for a URL holding a double quote, which cannot
// be passed as one quoted argument.
bool OpenUrlWithChosenBrowser(const AppState& app, const std::string& url);

// Runs the entry name of list listKind as Enter (special false) or
// Shift+Enter (special true) on that list does, and records it.
void RunListItem(AppState& app, int listKind, const std::string& name, bool special);

// Asks the shell to open target (verb nullptr for the default action, or
// "runas"), shown normally. The result is not examined: a launch that fails
// is neither detected nor reported.
void ShellOpen(const char* verb, const std::string& target, const char* parameters = nullptr,
               const char* folder = nullptr);
