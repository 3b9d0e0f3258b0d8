// The Send-to folder: the program's own shortcut and the cleanup picker
// "Send2Dialog".
#pragma once
#include <string>
#include <vector>

class Voice;
struct DialogOwner;

// Writes "Hopdeck.lnk", pointing to Hopdeck.exe in programFolder, into the
// Send-to folder when it is missing.
void EnsureSendToShortcut(const std::string& programFolder);

// Brings the owner window forward and runs the cleanup picker modally, owned
// by it; voice says whether a deletion worked.
void RunSendToCleanupDialog(const DialogOwner& owner, const Voice& voice);

// The current user's Send-to folder; empty when the shell does not know it.
std::string SendToFolder();

// List names of the shortcuts in folder, at most kSendToMaxEntries, in the
// order the file system returns them.
std::vector<std::string> ReadSendToNames(const std::string& folder);
