// Item files in the ItemFolder: shortcuts (.lnk), internet shortcuts (.url)
// and mail items (.mail).
#pragma once
#include <string>

struct AppState;

// Creates the data folders, makes the DataFolder the current directory and
// fills app.dataFolder and app.itemFolder.
void PrepareDataFolders(AppState& app);

// Reads a shortcut's target and argument string. False (and both empty) when
// the file cannot be loaded or resolved.
bool ReadShellLink(const std::string& linkPath, std::string& target, std::string& arguments);

// Writes (or replaces) a shortcut to target, its working folder the target's
// folder. Failures are not reported.
void WriteShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments);
