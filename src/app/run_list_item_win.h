// Launching items.
#pragma once
#include <string>

struct AppState;

// Runs the entry name of list listKind as Enter (special false) or
// Shift+Enter (special true) on that list does, and records it.
void RunListItem(AppState& app, int listKind, const std::string& name, bool special);
