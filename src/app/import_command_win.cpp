// IDM_IMPORT_FROM_START_MENU: finds the shortcuts of the Start menu and the
// desktop, works out which to offer, lets the user check them in the import
// dialog and writes the checked ones as items. One reload follows.
#include <windows.h>

#include <algorithm>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/main_window_win.h"
#include "items/import_choice.h"
#include "items/import_dialog_win.h"
#include "items/import_sources_win.h"
#include "speech/speech_win.h"

namespace {

// Shows the programs list with its first new entry selected and focused.
// Nothing moves when no new shortcut went to that list.
void FocusFirstNewProgram(AppState& app, const std::vector<std::string>& added) {
  const std::vector<std::string>& programs = app.items.listedNames[kPrograms];
  auto first = std::find_if(programs.begin(), programs.end(), [&](const std::string& name) {
    return std::find(added.begin(), added.end(), name) != added.end();
  });
  if (first == programs.end()) return;
  for (int k = 0; k < kListCount; ++k) ShowWindow(app.items.boxes[k], k == kPrograms ? SW_SHOW : SW_HIDE);
  SendMessageA(app.items.boxes[kPrograms], LB_SETCURSEL, static_cast<WPARAM>(first - programs.begin()), 0);
  FocusVisibleList(app);
}

}  // namespace

void CmdImportFromStartMenu(AppState& app, const CommandContext& command) {
  // A command posted while a dialog is open would nest a second one.
  if (app.openDialog != nullptr || ListIndexOf(app, GetFocus()) < 0) return;
  ImportChoice choice =
      ChooseImports(FindImportCandidates(), ReadExistingItems(app.itemFolder), app.itemFolder, CaseBlindKeyOf);
  if (choice.offers.empty()) {
    SpeakText(app.voice, ImportFoundText(choice), 0);
    return;
  }
  if (!RunImportDialog(app.Owner(), app.voice, choice)) return;

  ImportOutcome outcome = TakeInImports(app.itemFolder, choice);
  if (outcome.added > 0) {
    LoadItemLists(app);
    SelectFirstEntries(app);
    FocusFirstNewProgram(app, outcome.addedShortcuts);
  }
  SpeakText(app.voice, ImportOutcomeText(outcome), 0);
}
