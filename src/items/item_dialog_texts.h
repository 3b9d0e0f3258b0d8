// What the add and edit dialog shows (Shift-JIS once compiled).
#pragma once

#include "resources/shared_texts.h"

constexpr char kEditDialogTitle[] = "項目の編集";
constexpr char kUnreadableTarget[] = "取得できませんでした";

constexpr char kNoNameText[] = "項目名が入力されていません";
constexpr char kNoPathText[] = "ファイルパスが入力されていません";

// Its list holds as many items as a list shows (kScanCapacity): a new one
// would be written and never shown.
constexpr char kListFullText[] = "リストの項目数が上限の500件に達しているため、追加できません。";

constexpr char kOverwriteFormat[] = "%s この名前のショートカットは既に存在しています\n上書きしてもよろしいですか";
constexpr char kOverwriteCaption[] = "上書き確認";

// A write the file system refused (a name it cannot hold, a missing source
// file, a full disk): the dialog stays open so the name can be changed.
constexpr char kWriteFailedText[] = "項目を保存できませんでした。\n名前に使えない文字が含まれていないか確認してください。";

// The file-open dialog of the browse button.
constexpr char kBrowseTitle[] = "ファイル選択";
// Filter pairs, each part zero-terminated, the list ended by an empty part.
constexpr char kBrowseFilters[] = "全てのファイル(*.*)\0*.*\0.exeファイル(*.exe)\0*.exe\0";
