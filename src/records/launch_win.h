// Launching a target and recording it at the top of the history: one way for
// the main lists, the history and favourites dialogs and the fixed lists.
#pragma once
#include <windows.h>

#include <string>

class Voice;
struct RecordLog;

// Asks the shell to open target (verb nullptr for the default action, or
// "runas"), shown normally. Nothing is looked up in a folder that other
// accounts may write: a bare program name is resolved in the system folders
// and App Paths first (ResolveBareName), and the program starts in the
// target's own folder, or in the user's profile. The shell's own error box
// (a missing file, a refused elevation) is owned by owner; the result is not
// examined further.
void ShellOpen(HWND owner, const char* verb, const std::string& target, const std::string& parameters = {});

// Opens target with verb and records (target, name) at the top of history,
// whose file is in dataFolder; an entry that cannot be written is spoken
// through voice after the launch. An empty target (an item file that has lost
// its URL or address) does nothing: the shell would open the current folder
// instead, and an empty history entry would hide all later ones.
void Launch(HWND owner, const Voice& voice, const std::string& dataFolder, RecordLog& history,
            const std::string& target, const std::string& name, const char* verb = nullptr);

// Opens the URL target with the browser chosen in "WBDialog" (see
// OpenUrlWithChosenBrowser) and records it like Launch. An empty target, or
// one that cannot be passed to a browser, is neither opened nor recorded.
void LaunchWithBrowser(HWND owner, const Voice& voice, const std::string& dataFolder, RecordLog& history,
                       int browser, const std::string& target, const std::string& name);

// Whether a URL item's value may be opened: an address whose scheme is
// registered as a URL protocol (HKEY_CLASSES_ROOT\<scheme> holds the value
// "URL Protocol") and is not "file".
bool UrlItemMayOpen(const std::string& url);

// What a bare program name runs: "<system folder>\control.exe" with the name
// as its parameter for a ".cpl"; else the program found under its file name
// (".exe" added when it has no extension) in the system folder, then the
// Windows folder, then under App Paths. file is left alone when none has it.
void ResolveBareName(std::string& file, std::string& parameters);

// The system folder ("C:\Windows\System32"). Once start-up is done it is the
// process's current directory, so whatever is looked up there finds
// Windows' own files, never one that another account put beside our data.
std::string SystemFolder();

// The user's profile folder: where a program without a folder of its own
// starts. The system folder when it cannot be had.
std::string ProfileFolder();
