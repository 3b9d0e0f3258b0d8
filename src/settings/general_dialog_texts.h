// What the general settings dialog shows (Shift-JIS once compiled). Its start
// list entries are the list names of app_texts.h.
#pragma once

// Entries of "リスト項目の並び順": SortOrder 0..3.
constexpr const char* kSortOrderEntries[4] = {"名前順", "名前逆順", "更新日付の古い順", "更新日付の新しい順"};
