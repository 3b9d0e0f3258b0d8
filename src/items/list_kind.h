// The four lists of the main window, in the order of their commands and tabs.
#pragma once

// Which list: 0 programs, 1 files, 2 URLs, 3 mail addresses.
enum ListKind : int { kPrograms = 0, kFiles = 1, kUrls = 2, kMail = 3 };
constexpr int kListCount = 4;

// Programs and files are shortcuts (.lnk); URLs and mail are profile files.
constexpr bool IsShortcutList(int listKind) { return listKind == kPrograms || listKind == kFiles; }
