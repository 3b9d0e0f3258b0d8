// Adding the selected item of a main list as a favourite and the
// favourites dialog.
#include "app/app_state.h"
#include "app/commands.h"
#include "app/selected_item_win.h"
#include "items/item_store_win.h"
#include "platform/sjis.h"
#include "records/record_dialog_win.h"
#include "records/record_log.h"
#include "records/record_texts.h"
#include "records/records_win.h"
#include "speech/speech_win.h"

namespace {

// What a favourite keeps: the target of a program or file shortcut itself
// (so it runs without the item), the URL, or the whole "mailto:" value.
std::string FavouriteTarget(const AppState& app, const SelectedItem& item) {
  std::string target = ReadItem(item.listKind, ItemFilePath(app, item.listKind, item.name)).target;
  return SjisCut(target, kPathTextBytes);
}

}  // namespace

void CmdAddFavourite(AppState& app, const CommandContext& command) {
  SelectedItem item = GetSelectedItem(app);
  if (!item.valid()) return;
  RecordLog& log = app.favouritesLog;
  LoadLog(app, log);
  if (!log.entries[kRecordSlots - 1].empty()) {
    SpeakText(app.voice, kFavouritesFullText, 100);
    return;
  }
  std::string path = FavouriteTarget(app, item);
  // An item whose target cannot be read never becomes an empty favourite. It
  // is refused with its own message, not taken for a duplicate of an empty slot.
  if (path.empty()) {
    SpeakText(app.voice, FavouriteNoTargetText(item.name), 100);
    return;
  }
  if (LogHasPath(log, path)) {
    SpeakText(app.voice, FavouriteDuplicateText(item.name), 100);
    return;
  }
  AddFavourite(log, path, item.name);
  if (!SaveLog(app, log)) {
    LoadLog(app, log);  // the memory copy follows the file, which is as it was
    SpeakText(app.voice, FavouriteNotSavedText(item.name), 0);
    return;
  }
  SpeakText(app.voice, FavouriteAddedText(item.name), 0);
}

void CmdFavourites(AppState& app, const CommandContext& command) {
  RunRecordDialog(app, RecordDialogKind::kFavourites);
}
