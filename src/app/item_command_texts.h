// What the item commands speak and ask (Shift-JIS once compiled).
#pragma once

#include "items/list_texts.h"  // kSortOrderNames
#include "resources/shared_texts.h"

constexpr char kAddedText[] = "ショートカットを追加しました";
constexpr char kSavedText[] = "変更を保存しました";
// Said instead of the confirmation when the change did not happen (or only in part).
constexpr char kSavedOldKeptText[] = "保存しましたが、元の項目を削除できませんでした";
constexpr char kNotCopiedText[] = "クリップボードにコピーできませんでした";
// Copy confirmations by ListKind: programs, files, URLs, mail.
constexpr const char* kCopiedTexts[4] = {"パスをコピーしました", "パスをコピーしました", "URLをコピーしました",
                                         "メールアドレスをコピーしました"};
constexpr char kNotFoundText[] = "見つかりませんでした";
constexpr char kPositionFormat[] = "%d項目中%d項目目";
constexpr char kNoEntriesText[] = "項目なし";

constexpr char kDeleteQuestionFormat[] = "%sをリストから削除してもよろしいですか？";

// The find dialog "FindDialog".
constexpr char kNoFindTermText[] = "検索語句が入力されていません";

// The search over all lists "QuickFindDialog": a result line is the name, then
// the name of its list or source in full-width brackets; the count of results
// is spoken.
constexpr char kQuickFindListOpen[] = "（";
constexpr char kQuickFindListClose[] = "）";
constexpr char kQuickFindCountFormat[] = "%u件";
constexpr char kQuickFindNoneText[] = "見つかりません";
// The sources besides the four lists, as their result lines name them.
constexpr char kStartMenuSourceLabel[] = "スタートメニュー";
constexpr char kDesktopSourceLabel[] = "デスクトップ";
// The fixed launch tables, IDM_FIXED_MAKER to IDM_FIXED_FOLDERS.
constexpr const char* kTableSourceLabels[] = {"Velmora", "Windowsユーティリティ", "Windows設定項目",
                                              "Windows 10 PC設定", "特殊フォルダ"};
constexpr char kWindowSourceLabel[] = "起動中";
