// The history dialog "HistoryDialog" and the favourites dialog
// "BookMarkDialog": one list of log lines to run or delete.
#pragma once

struct AppState;

enum class RecordDialogKind { kHistory, kFavourites };

// Brings the main window forward and runs the dialog modally, owned by it.
void RunRecordDialog(AppState& app, RecordDialogKind kind);
