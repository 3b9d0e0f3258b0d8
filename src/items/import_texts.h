// What taking in shortcuts from the Start menu shows and speaks (Shift-JIS once compiled).
#pragma once

// The location column of a shortcut found on a desktop.
constexpr char kDesktopLocation[] = "デスクトップ";

// The dialog "ImportDialog": its two columns.
constexpr char kImportNameColumn[] = "名前";
constexpr char kImportLocationColumn[] = "場所";

// Spoken when the dialog opens: how many are offered, how many checked.
constexpr char kImportFoundFormat[] = "%d件見つかりました。うち%d件を選択しています";
// Added to it when a list's 500-item cap left some out.
constexpr char kImportLeftOutFormat[] = "。%d件はリストの上限を超えるため除きました";
// Spoken instead of opening the dialog when nothing can be offered.
constexpr char kImportNothingFoundText[] = "取り込める項目は見つかりませんでした";

// Spoken after taking in: every checked entry was added, or some failed.
constexpr char kImportAddedFormat[] = "%d件の項目を追加しました";
constexpr char kImportPartlyAddedFormat[] = "%d件を追加しました。%d件は追加できませんでした";
