// The add and edit dialog "FileDialog".
#pragma once
#include <windows.h>

struct AppState;

// Add mode with the prefill values of app; true when an item was written.
bool RunAddItemDialog(AppState& app, HWND owner);

// Edit mode; true when the item was written.
bool RunEditItemDialog(AppState& app, HWND owner);
