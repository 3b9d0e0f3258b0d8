// What the history and favourites show and speak (Shift-JIS once compiled).
#pragma once

#include "resources/shared_texts.h"

constexpr char kFilePathSection[] = "FilePath";
constexpr char kFileNameSection[] = "FileName";

constexpr char kMailtoPrefix[] = "mailto:";

// A URL or mail value that is no address to open, or a URL a browser may not be handed.
constexpr char kUrlRefusedText[] = "このURLは開けません";

constexpr char kHistoryClearQuestion[] = "全てのファイル履歴を削除してもよろしいですか？";

// A launch whose history entry could not be written.
constexpr char kHistoryNotRecordedText[] = "履歴に記録できませんでした";

constexpr char kFavouritesFullText[] = "お気に入りは上限の50件まで登録されています";
constexpr char kFavouriteDuplicateSuffix[] = "はすでにお気に入りに登録されています";
constexpr char kFavouriteAddedSuffix[] = "をお気に入りに登録しました";
// An item whose target cannot be read is not a duplicate: say what is wrong.
constexpr char kFavouriteNoTargetSuffix[] = "のリンク先を取得できませんでした";
// The favourites file could not be written.
constexpr char kFavouriteNotSavedSuffix[] = "をお気に入りに登録できませんでした";
