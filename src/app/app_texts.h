// What the application shell shows and speaks (Shift-JIS once compiled).
#pragma once

#include "items/list_texts.h"  // kListNames

constexpr char kWindowClass[] = "Hopdeck";
constexpr char kWindowTitle[] = "Hopdeck";

constexpr const char* kListLabels[4] = {"プログラム", "ファイル", "URL", "メールアドレス"};

constexpr char kMenuOpenText[] = "メニューオープン";

// A command stopped by an exception (out of memory, say); the program runs on.
constexpr char kErrorText[] = "エラーが発生しました";

// The data folder could not be made or entered (its path follows on a line
// of its own; caption kWindowTitle): the program does not start.
constexpr char kDataFolderFailedText[] = "データフォルダを作成できませんでした。";

constexpr char kExitQuestion[] = "Hopdeckを終了してもよろしいですか？";
constexpr char kExitCaption[] = "Hopdeckの終了確認";

constexpr char kHandOverRefusedText[] =
    "別のダイアログが表示中のため、ファイル追加用のダイアログを開くことができません。\n"
    "表示中のダイアログを閉じてから、再度実行ください。";
constexpr char kHandOverRefusedCaption[] = "オープンエラー";
