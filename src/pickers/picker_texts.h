// What the utility pickers show and speak, and the names they use
// (Shift-JIS once compiled).
#pragma once

#include "resources/shared_texts.h"

// Send-to cleanup.
constexpr char kSendToDeleteQuestionTail[] = "のショートカットを送るメニューから削除してもよろしいですか？";

// The program's own Send-to entry and what it points to in the ProgramFolder.
constexpr char kOwnShortcutName[] = "Hopdeck.lnk";
constexpr char kOwnExecutableName[] = "Hopdeck.exe";

// Started by IDM_TASK_MANAGER.
constexpr char kTaskManagerCommand[] = "taskmgr";
