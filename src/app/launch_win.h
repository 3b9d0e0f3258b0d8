// Launching items.
#pragma once
#include <windows.h>

#include <string>

struct AppState;

// Runs the entry name of list listKind as Enter (special false) or
// Shift+Enter (special true) on that list does, and records it.
void RunListItem(AppState& app, int listKind, const std::string& name, bool special);

// Asks the shell to open target (verb nullptr for the default action, or
// "runas"), shown normally. The result is not examined: a launch that fails
// is neither detected nor reported.
void ShellOpen(const char* verb, const std::string& target, const char* parameters = nullptr,
               const char* folder = nullptr);
