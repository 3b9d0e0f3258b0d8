// Resource and control ids shared by the resource script and the code.
#pragma once

#include "command_ids.h"

// Main window: the four hidden labels and the list boxes (ListKind 0..3).
#define IDC_LABEL_PROGRAMS 1
#define IDC_LABEL_FILES 2
#define IDC_LABEL_URLS 3
#define IDC_LABEL_MAIL 4
#define IDC_LIST_PROGRAMS 101
#define IDC_LIST_FILES 102
#define IDC_LIST_URLS 103
#define IDC_LIST_MAIL 104

// A dialog's working controls are numbered from 101; OK and CANCEL are IDOK (1) and IDCANCEL (2).

// Item dialog "FileDialog": name, path, browse. Find dialog "FindDialog": the term.
#define IDC_ITEM_NAME 101
#define IDC_ITEM_PATH 102
#define IDC_ITEM_BROWSE 103
#define IDC_FIND_TERM 101

// Search over all lists "QuickFindDialog": the term, the matches, the button that keeps one.
#define IDC_QUICK_TERM 101
#define IDC_QUICK_RESULTS 102
#define IDC_QUICK_KEEP 103

// Browser choice "WBDialog".
#define IDC_BROWSER_COMBO 101

// History "HistoryDialog" and favourites "BookMarkDialog".
#define IDC_RECORD_LIST 101
#define IDC_HISTORY_CLEAR 102

// Pickers "WindowDialog", "Send2Dialog", "HDDialog", "UDialog", "WDialog", "W10Dialog", "FDialog".
#define IDC_PICKER_LIST 101

// General settings "HDOptionDialog".
#define IDC_OPT_HOTKEY 101
#define IDC_OPT_AUTOSTART 102
#define IDC_OPT_STARTLIST 103
#define IDC_OPT_SORTORDER 104
#define IDC_OPT_HOTKEYSCREEN 105

// Speech settings "HDSpeechDialog".
#define IDC_SPEECH_ENGINE 101
#define IDC_SPEECH_DATE 102
#define IDC_SPEECH_TIME 103
#define IDC_SPEECH_TEST 104

// Taking in from the Start menu "ImportDialog": the check-box list and its two buttons.
#define IDC_IMPORT_LIST 101
#define IDC_IMPORT_CHECK_ALL 102
#define IDC_IMPORT_CHECK_NONE 103

// Zero-size labels that name the next field for screen readers.
#define IDC_LABEL_STATIC -1
