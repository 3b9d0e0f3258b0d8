// The main window's commands. Each subsystem implements those it owns; the
// dispatch table in command_dispatch_win.cpp maps ids to them.
#pragma once
#include <cstdint>

struct AppState;

struct CommandContext {
  int id;
  std::intptr_t lParam;  // WM_COMMAND's lParam (the context menu's point)
};

using CommandHandler = void (*)(AppState& app, const CommandContext& command);

// Whether an id has a handler.
bool HasCommandHandler(int id);

// Runs the command with this id; ids without a handler do nothing.
void DispatchCommand(AppState& app, int id, std::intptr_t lParam);

// app/main_window_win.cpp: windows, lists and the tray.
void CmdShowList(AppState& app, const CommandContext& command);       // IDM_SHOW_PROGRAMS..IDM_SHOW_MAIL
void CmdNextList(AppState& app, const CommandContext& command);       // IDM_NEXT_LIST, IDM_PREVIOUS_LIST
void CmdShowMainWindow(AppState& app, const CommandContext& command); // IDM_SHOW_MAIN_WINDOW
void CmdHideMainWindow(AppState& app, const CommandContext& command); // IDM_HIDE_MAIN_WINDOW
void CmdCloseMainWindow(AppState& app, const CommandContext& command);// IDM_CLOSE_MAIN_WINDOW
void CmdContextMenu(AppState& app, const CommandContext& command);    // IDM_CONTEXT_MENU

// app/item_commands_win.cpp
void CmdAddItem(AppState& app, const CommandContext& command);         // IDM_ADD_ITEM
void CmdEditItem(AppState& app, const CommandContext& command);        // IDM_EDIT_ITEM
void CmdCopyPath(AppState& app, const CommandContext& command);        // IDM_COPY_PATH
void CmdOpenFolder(AppState& app, const CommandContext& command);      // IDM_OPEN_FOLDER
void CmdDeleteItem(AppState& app, const CommandContext& command);      // IDM_DELETE_ITEM
void CmdFind(AppState& app, const CommandContext& command);            // IDM_FIND
void CmdFindNext(AppState& app, const CommandContext& command);        // IDM_FIND_NEXT
void CmdFindPrevious(AppState& app, const CommandContext& command);    // IDM_FIND_PREVIOUS
void CmdSpeakPosition(AppState& app, const CommandContext& command);   // IDM_SPEAK_POSITION
void CmdSpeakListName(AppState& app, const CommandContext& command);   // IDM_SPEAK_LIST_NAME
void CmdSpeakSortOrder(AppState& app, const CommandContext& command);  // IDM_SPEAK_SORT_ORDER

// app/import_command_win.cpp
void CmdImportFromStartMenu(AppState& app, const CommandContext& command);  // IDM_IMPORT_FROM_START_MENU

// app/launch_win.cpp
void CmdRun(AppState& app, const CommandContext& command);         // IDM_RUN
void CmdRunSpecial(AppState& app, const CommandContext& command);  // IDM_RUN_SPECIAL

// app/record_commands_win.cpp
void CmdHistory(AppState& app, const CommandContext& command);       // IDM_HISTORY
void CmdAddFavourite(AppState& app, const CommandContext& command);  // IDM_ADD_FAVOURITE
void CmdFavourites(AppState& app, const CommandContext& command);    // IDM_FAVOURITES

// app/picker_commands_win.cpp
void CmdRunningApps(AppState& app, const CommandContext& command);   // IDM_RUNNING_APPS
void CmdTaskManager(AppState& app, const CommandContext& command);   // IDM_TASK_MANAGER
void CmdSendToCleanup(AppState& app, const CommandContext& command); // IDM_SEND_TO_CLEANUP
void CmdFixedList(AppState& app, const CommandContext& command);     // IDM_FIXED_MAKER..IDM_FIXED_FOLDERS
void CmdRadio(AppState& app, const CommandContext& command);         // the radio pages

// app/speech_commands_win.cpp
void CmdSpeakTime(AppState& app, const CommandContext& command);  // IDM_SPEAK_TIME
void CmdSpeakDate(AppState& app, const CommandContext& command);  // IDM_SPEAK_DATE

// app/settings_commands_win.cpp
void CmdGeneralSettings(AppState& app, const CommandContext& command);  // IDM_GENERAL_SETTINGS
void CmdSpeechSettings(AppState& app, const CommandContext& command);   // IDM_SPEECH_SETTINGS
void CmdOpenHelpFile(AppState& app, const CommandContext& command);     // IDM_MANUAL, IDM_KEY_LIST
void CmdOpenWebPage(AppState& app, const CommandContext& command);      // IDM_CHANGE_HISTORY, IDM_PROGRAM_PAGE, IDM_MAKER_SITE, IDM_CONTACT_FORM
void CmdVersion(AppState& app, const CommandContext& command);          // IDM_VERSION
void CmdUpdateCheck(AppState& app, const CommandContext& command);      // IDM_UPDATE_CHECK
