// Adding the selected item of a main list as a favourite.
#include "records/favourites_win.h"

#include "items/item_store_win.h"
#include "platform/sjis.h"
#include "records/record_log.h"
#include "records/record_texts.h"
#include "records/records_win.h"
#include "speech/speech_win.h"

namespace {

// What a favourite keeps: the target of a program or file shortcut itself
// (so it runs without the item), the URL, or the whole "mailto:" value.
std::string FavouriteTarget(int listKind, const std::string& itemFile) {
  std::string target = ReadItem(listKind, itemFile).target;
  return SjisCut(target, kPathTextBytes);
}

}  // namespace

void AddItemToFavourites(int listKind, const std::string& itemFile, const std::string& name, RecordLog& log,
                         const std::string& dataFolder, const Voice& voice) {
  if (!LoadLogToChange(dataFolder, log)) {
    SpeakText(voice, FavouriteNotSavedText(name), 0);
    return;
  }
  if (!log.entries[kRecordSlots - 1].empty()) {
    SpeakText(voice, kFavouritesFullText, 100);
    return;
  }
  std::string path = FavouriteTarget(listKind, itemFile);
  // An item whose target cannot be read never becomes an empty favourite. It
  // is refused with its own message, not taken for a duplicate of an empty slot.
  if (path.empty()) {
    SpeakText(voice, FavouriteNoTargetText(name), 100);
    return;
  }
  if (LogHasPath(log, path)) {
    SpeakText(voice, FavouriteDuplicateText(name), 100);
    return;
  }
  AddFavourite(log, path, name);
  if (!SaveLog(dataFolder, log)) {
    LoadLog(dataFolder, log);  // the memory copy follows the file, which is as it was
    SpeakText(voice, FavouriteNotSavedText(name), 0);
    return;
  }
  SpeakText(voice, FavouriteAddedText(name), 0);
}
