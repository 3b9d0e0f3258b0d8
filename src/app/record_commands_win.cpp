// The history and favourites commands: what the records code needs, taken
// from the program's state.
#include "app/app_state.h"
#include "app/commands.h"
#include "app/selected_item_win.h"
#include "items/item_store_win.h"
#include "records/favourites_win.h"
#include "records/record_dialog_win.h"

void CmdHistory(AppState& app, const CommandContext&) {
  RunRecordDialog(app.Owner(), RecordDialogKind::kHistory, app.historyLog, app.historyLog, app.dataFolder, app.voice);
}

void CmdAddFavourite(AppState& app, const CommandContext&) {
  SelectedItem item = GetSelectedItem(app);
  if (!item.valid()) return;
  AddItemToFavourites(item.listKind, ItemFilePath(app, item.listKind, item.name), item.name, app.favouritesLog,
                      app.dataFolder, app.voice);
}

void CmdFavourites(AppState& app, const CommandContext&) {
  RunRecordDialog(app.Owner(), RecordDialogKind::kFavourites, app.favouritesLog, app.historyLog, app.dataFolder,
                  app.voice);
}
