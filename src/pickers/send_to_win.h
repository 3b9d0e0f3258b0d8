// The Send-to folder: the program's own shortcut and the cleanup picker.
#pragma once

struct AppState;

// Writes "Hopdeck.lnk" into the Send-to folder when it is missing.
void EnsureSendToShortcut(const AppState& app);
