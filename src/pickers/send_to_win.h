// The Send-to folder: the program's own shortcut and the cleanup picker
// "Send2Dialog".
#pragma once
#include <string>
#include <vector>

struct AppState;

// Writes "Hopdeck.lnk" into the Send-to folder when it is missing.
void EnsureSendToShortcut(const AppState& app);

// The current user's Send-to folder; empty when the shell does not know it.
std::string SendToFolder();

// List names of the shortcuts in folder, at most kSendToMaxEntries, in the
// order the file system returns them.
std::vector<std::string> ReadSendToNames(const std::string& folder);
