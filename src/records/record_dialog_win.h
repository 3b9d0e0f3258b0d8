// The history dialog "HistoryDialog" and the favourites dialog
// "BookMarkDialog": one list of log lines to run or delete.
#pragma once
#include <string>

class Voice;
struct DialogOwner;
struct RecordLog;

enum class RecordDialogKind { kHistory, kFavourites };

// Brings the owner window forward and runs the dialog modally, owned by it.
// The dialog lists log (the history itself, or the favourites); every run is
// recorded in history. Both files are in dataFolder.
void RunRecordDialog(const DialogOwner& owner, RecordDialogKind kind, RecordLog& log, RecordLog& history,
                     const std::string& dataFolder, const Voice& voice);
