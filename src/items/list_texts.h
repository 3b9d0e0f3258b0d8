// The names the four lists and their sort orders are announced and offered by
// (Shift-JIS once compiled).
#pragma once

// By ListKind.
constexpr const char* kListNames[4] = {"プログラム一覧", "ファイル一覧", "URL一覧", "メールアドレス一覧"};
// By SortOrder 0..3; any other value is spoken as 0.
constexpr const char* kSortOrderNames[4] = {"名前順", "名前逆順", "更新日付の古い順", "更新日付の新しい順"};
