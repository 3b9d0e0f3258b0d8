// What the utility pickers show and speak, and the names they use
// (Shift-JIS once compiled).
#pragma once

// Send-to cleanup.
constexpr char kSendToDeleteQuestionTail[] = "のショートカットを送るメニューから削除してもよろしいですか？";
constexpr char kSendToDeleteCaption[] = "削除確認";
constexpr char kSendToDeletedText[] = "削除しました";
constexpr char kSendToNotDeletedText[] = "削除できませんでした";

// The program's own Send-to entry and what it points to in the ProgramFolder.
constexpr char kOwnShortcutName[] = "Hopdeck.lnk";
constexpr char kOwnExecutableName[] = "Hopdeck.exe";

// Started by IDM_TASK_MANAGER.
constexpr char kTaskManagerCommand[] = "taskmgr";
