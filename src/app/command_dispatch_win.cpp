#include "app/app_state.h"
#include "app/commands.h"
#include "app/quick_find_dialog_win.h"

namespace {

struct CommandHandlerRow {
  int firstId;
  int lastId;
  CommandHandler handler;
};

constexpr CommandHandlerRow kCommandHandlers[] = {
    {501, 501, CmdRun},
    {502, 502, CmdRunSpecial},
    {503, 503, CmdAddItem},
    {504, 504, CmdEditItem},
    {505, 505, CmdCopyPath},
    {506, 506, CmdOpenFolder},
    {508, 508, CmdHistory},
    {509, 509, CmdDeleteItem},
    {513, 513, CmdShowMainWindow},
    {514, 514, CmdHideMainWindow},
    {515, 515, CmdCloseMainWindow},
    {516, 516, CmdFind},
    {517, 517, CmdFindNext},
    {518, 518, CmdFindPrevious},
    {519, 519, CmdAddFavourite},
    {520, 520, CmdFavourites},
    {521, 521, CmdRunningApps},
    {522, 522, CmdTaskManager},
    {523, 523, CmdSendToCleanup},
    {524, 528, CmdFixedList},
    {531, 531, CmdSpeakPosition},
    {532, 532, CmdSpeakTime},
    {533, 533, CmdSpeakDate},
    {534, 534, CmdSpeakListName},
    {535, 535, CmdSpeakSortOrder},
    {541, 544, CmdShowList},
    {551, 551, CmdGeneralSettings},
    {552, 552, CmdSpeechSettings},
    {561, 562, CmdOpenHelpFile},
    {563, 563, CmdOpenWebPage},
    {564, 564, CmdVersion},
    {565, 565, CmdUpdateCheck},
    {566, 568, CmdOpenWebPage},
    {570, 570, CmdContextMenu},
    {571, 571, CmdNextList},
    {572, 572, CmdPreviousList},
    {580, 580, CmdQuickFind},
    {581, 581, CmdImportFromStartMenu},
    {601, 626, CmdRadio},
    {701, 792, CmdRadio},
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
