// The sources of the search, one file each (search_source_*_win.cpp).
#pragma once
#include "app/search_index_win.h"

// The four lists' items, labelled with the list's name.
extern const SearchSource kListSearchSource;
// The Start menu's and the desktops' shortcuts that the Start-menu import
// would offer, labelled "スタートメニュー" or "デスクトップ".
extern const SearchSource kStartMenuSearchSource;
// The rows of Windows' own launch tables and the maker's installed programs.
extern const SearchSource kTableSearchSource;
// The running applications as their picker lists them, labelled "起動中".
extern const SearchSource kWindowSearchSource;
