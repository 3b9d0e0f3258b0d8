// The pickers of the five fixed lists.
#pragma once
#include <cstddef>
#include <string>

struct DialogOwner;
struct RecordLog;

// Brings the owner window forward and runs the picker of commandId
// (IDM_FIXED_MAKER..IDM_FIXED_FOLDERS; other ids do nothing) modally, owned by
// it. Every launch is recorded in history, whose file is in dataFolder.
void RunFixedListDialog(const DialogOwner& owner, int commandId, const std::string& dataFolder, RecordLog& history);

// Launches row `row` of the table of commandId as its picker does, and
// records it in history, whose file is in dataFolder.
void LaunchFixedListRow(const std::string& dataFolder, RecordLog& history, int commandId, std::size_t row);
