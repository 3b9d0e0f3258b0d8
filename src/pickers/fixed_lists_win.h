// The pickers of the five fixed lists.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

class Voice;
struct DialogOwner;
struct RecordLog;

// Brings the owner window forward and runs the picker of commandId
// (IDM_FIXED_MAKER..IDM_FIXED_FOLDERS; other ids do nothing) modally, owned by
// it. Every launch is recorded in history, whose file is in dataFolder; an
// entry that cannot be written is spoken through voice.
void RunFixedListDialog(const DialogOwner& owner, const Voice& voice, int commandId, const std::string& dataFolder,
                        RecordLog& history);

// Launches row `row` of the table of commandId as its picker does (the
// shell's boxes owned by owner), and records it like the picker.
void LaunchFixedListRow(HWND owner, const Voice& voice, const std::string& dataFolder, RecordLog& history,
                        int commandId, std::size_t row);
