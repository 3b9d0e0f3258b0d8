// The dialog "ImportDialog" that offers the Start menu's and the desktop's
// shortcuts, and the writing of those the user checked.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "items/import_choice.h"
#include "platform/modal_dialog_win.h"
#include "speech/speech_win.h"

// What is said as the dialog opens, or instead of it when nothing is offered.
std::string ImportFoundText(const ImportChoice& choice);

// True when the user chose "取り込む"; the offers then hold the user's checks.
// The count of offers is spoken through voice once the dialog shows.
[[nodiscard]] bool RunImportDialog(const DialogOwner& owner, const Voice& voice, ImportChoice& choice);

struct ImportOutcome {
  std::size_t added = 0;
  std::size_t failed = 0;
  std::vector<std::string> addedShortcuts;  // names of the new ".lnk" items
};

// Writes each checked offer into itemFolder the way the add dialog writes a
// dropped shortcut or internet shortcut, all or nothing. An item that
// appeared since the choice was made is the user's: never replaced.
[[nodiscard]] ImportOutcome TakeInImports(const std::string& itemFolder, const ImportChoice& choice);

// What is said once the checked offers are written.
std::string ImportOutcomeText(const ImportOutcome& outcome);
