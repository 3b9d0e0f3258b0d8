#include "app/app_state.h"
#include "app/commands.h"
#include "app/quick_find_dialog_win.h"
#include "resources/resource.h"

namespace {

struct CommandHandlerRow {
  int firstId;
  int lastId;
  CommandHandler handler;
};

constexpr CommandHandlerRow kCommandHandlers[] = {
    {IDM_RUN, IDM_RUN, CmdRun},
    {IDM_RUN_SPECIAL, IDM_RUN_SPECIAL, CmdRunSpecial},
    {IDM_ADD_ITEM, IDM_ADD_ITEM, CmdAddItem},
    {IDM_EDIT_ITEM, IDM_EDIT_ITEM, CmdEditItem},
    {IDM_COPY_PATH, IDM_COPY_PATH, CmdCopyPath},
    {IDM_OPEN_FOLDER, IDM_OPEN_FOLDER, CmdOpenFolder},
    {IDM_HISTORY, IDM_HISTORY, CmdHistory},
    {IDM_DELETE_ITEM, IDM_DELETE_ITEM, CmdDeleteItem},
    {IDM_SHOW_MAIN_WINDOW, IDM_SHOW_MAIN_WINDOW, CmdShowMainWindow},
    {IDM_HIDE_MAIN_WINDOW, IDM_HIDE_MAIN_WINDOW, CmdHideMainWindow},
    {IDM_CLOSE_MAIN_WINDOW, IDM_CLOSE_MAIN_WINDOW, CmdCloseMainWindow},
    {IDM_FIND, IDM_FIND, CmdFind},
    {IDM_FIND_NEXT, IDM_FIND_NEXT, CmdFindNext},
    {IDM_FIND_PREVIOUS, IDM_FIND_PREVIOUS, CmdFindPrevious},
    {IDM_ADD_FAVOURITE, IDM_ADD_FAVOURITE, CmdAddFavourite},
    {IDM_FAVOURITES, IDM_FAVOURITES, CmdFavourites},
    {IDM_RUNNING_APPS, IDM_RUNNING_APPS, CmdRunningApps},
    {IDM_TASK_MANAGER, IDM_TASK_MANAGER, CmdTaskManager},
    {IDM_SEND_TO_CLEANUP, IDM_SEND_TO_CLEANUP, CmdSendToCleanup},
    {IDM_FIXED_MAKER, IDM_FIXED_FOLDERS, CmdFixedList},
    {IDM_SPEAK_POSITION, IDM_SPEAK_POSITION, CmdSpeakPosition},
    {IDM_SPEAK_TIME, IDM_SPEAK_TIME, CmdSpeakTime},
    {IDM_SPEAK_DATE, IDM_SPEAK_DATE, CmdSpeakDate},
    {IDM_SPEAK_LIST_NAME, IDM_SPEAK_LIST_NAME, CmdSpeakListName},
    {IDM_SPEAK_SORT_ORDER, IDM_SPEAK_SORT_ORDER, CmdSpeakSortOrder},
    {IDM_SHOW_PROGRAMS, IDM_SHOW_MAIL, CmdShowList},
    {IDM_GENERAL_SETTINGS, IDM_GENERAL_SETTINGS, CmdGeneralSettings},
    {IDM_SPEECH_SETTINGS, IDM_SPEECH_SETTINGS, CmdSpeechSettings},
    {IDM_MANUAL, IDM_KEY_LIST, CmdOpenHelpFile},
    {IDM_CHANGE_HISTORY, IDM_CHANGE_HISTORY, CmdOpenWebPage},
    {IDM_VERSION, IDM_VERSION, CmdVersion},
    {IDM_UPDATE_CHECK, IDM_UPDATE_CHECK, CmdUpdateCheck},
    {IDM_PROGRAM_PAGE, IDM_CONTACT_FORM, CmdOpenWebPage},
    {IDM_CONTEXT_MENU, IDM_CONTEXT_MENU, CmdContextMenu},
    {IDM_NEXT_LIST, IDM_PREVIOUS_LIST, CmdNextList},
    {IDM_QUICK_FIND, IDM_QUICK_FIND, CmdQuickFind},
    {IDM_IMPORT_FROM_START_MENU, IDM_IMPORT_FROM_START_MENU, CmdImportFromStartMenu},
    {IDM_RADIO_PUBLIC_FIRST, IDM_RADIO_PUBLIC_LAST, CmdRadio},
    {IDM_RADIO_STATION_FIRST, IDM_RADIO_STATION_LAST, CmdRadio},
};

}  // namespace

bool HasCommandHandler(int id) {
  for (const CommandHandlerRow& row : kCommandHandlers) {
    if (id >= row.firstId && id <= row.lastId) return true;
  }
  return false;
}

void DispatchCommand(AppState& app, int id, std::intptr_t lParam) {
  for (const CommandHandlerRow& row : kCommandHandlers) {
    if (id >= row.firstId && id <= row.lastId) {
      row.handler(app, CommandContext{id, lParam});
      return;
    }
  }
}
