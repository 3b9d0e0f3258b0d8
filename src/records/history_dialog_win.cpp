#include "app/app_state.h"
#include "app/commands.h"
#include "records/record_dialog_win.h"

void CmdHistory(AppState& app, const CommandContext& command) { RunRecordDialog(app, RecordDialogKind::kHistory); }
