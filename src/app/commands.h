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
void CmdShowList(AppState& app, const CommandContext& command);       // 541..544
void CmdNextList(AppState& app, const CommandContext& command);       // 571
void CmdPreviousList(AppState& app, const CommandContext& command);   // 572
void CmdShowMainWindow(AppState& app, const CommandContext& command); // 513
void CmdHideMainWindow(AppState& app, const CommandContext& command); // 514
void CmdCloseMainWindow(AppState& app, const CommandContext& command);// 515
void CmdContextMenu(AppState& app, const CommandContext& command);    // 570

// app/item_commands_win.cpp
void CmdAddItem(AppState& app, const CommandContext& command);         // 503
void CmdEditItem(AppState& app, const CommandContext& command);        // 504
void CmdCopyPath(AppState& app, const CommandContext& command);        // 505
void CmdOpenFolder(AppState& app, const CommandContext& command);      // 506
void CmdDeleteItem(AppState& app, const CommandContext& command);      // 509
void CmdFind(AppState& app, const CommandContext& command);            // 516
void CmdFindNext(AppState& app, const CommandContext& command);        // 517
void CmdFindPrevious(AppState& app, const CommandContext& command);    // 518
void CmdSpeakPosition(AppState& app, const CommandContext& command);   // 531
void CmdSpeakListName(AppState& app, const CommandContext& command);   // 534
void CmdSpeakSortOrder(AppState& app, const CommandContext& command);  // 535

// items/import_dialog_win.cpp
void CmdImportFromStartMenu(AppState& app, const CommandContext& command);  // 581

// app/launch_win.cpp
void CmdRun(AppState& app, const CommandContext& command);         // 501
void CmdRunSpecial(AppState& app, const CommandContext& command);  // 502

// records/history_dialog_win.cpp, records/favourites_win.cpp
void CmdHistory(AppState& app, const CommandContext& command);       // 508
void CmdAddFavourite(AppState& app, const CommandContext& command);  // 519
void CmdFavourites(AppState& app, const CommandContext& command);    // 520

// pickers/
void CmdRunningApps(AppState& app, const CommandContext& command);   // 521
void CmdTaskManager(AppState& app, const CommandContext& command);   // 522
void CmdSendToCleanup(AppState& app, const CommandContext& command); // 523
void CmdFixedList(AppState& app, const CommandContext& command);     // 524..528
void CmdRadio(AppState& app, const CommandContext& command);         // 601..626, 701..792

// speech/date_time_win.cpp
void CmdSpeakTime(AppState& app, const CommandContext& command);  // 532
void CmdSpeakDate(AppState& app, const CommandContext& command);  // 533

// settings/
void CmdGeneralSettings(AppState& app, const CommandContext& command);  // 551
void CmdSpeechSettings(AppState& app, const CommandContext& command);   // 552
void CmdOpenHelpFile(AppState& app, const CommandContext& command);     // 561, 562
void CmdOpenWebPage(AppState& app, const CommandContext& command);      // 563, 566, 567, 568
void CmdVersion(AppState& app, const CommandContext& command);          // 564
void CmdUpdateCheck(AppState& app, const CommandContext& command);      // 565
