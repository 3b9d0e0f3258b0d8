// Launching a target and recording it at the top of the history: one way for
// the main lists, the history and favourites dialogs and the fixed lists.
#pragma once
#include <string>

class Voice;
struct RecordLog;

// Asks the shell to open target (verb nullptr for the default action, or
// "runas"), shown normally. The result is not examined: a launch that fails
// is neither detected nor reported.
void ShellOpen(const char* verb, const std::string& target, const char* parameters = nullptr,
               const char* folder = nullptr);

// Opens target with verb, in folder when one is given ("" for none), and
// records (target, name) at the top of history, whose file is in dataFolder;
// an entry that cannot be written is spoken through voice.
// An empty target (an item file that has lost its URL or address) does
// nothing: the shell would open the current folder instead, and an empty
// history entry would hide all later ones.
void Launch(const Voice& voice, const std::string& dataFolder, RecordLog& history, const std::string& target,
            const std::string& name, const char* verb = nullptr, const std::string& folder = {});

// Opens the URL target with the browser chosen in "WBDialog" (see
// OpenUrlWithChosenBrowser) and records it like Launch. An empty target, or
// one that cannot be passed to a browser, is neither opened nor recorded.
void LaunchWithBrowser(const Voice& voice, const std::string& dataFolder, RecordLog& history, int browser,
                       const std::string& target, const std::string& name);
