// The main window's commands, named once. The menu bar and the context menus
// (menu_bar.def, hopdeck.rc), the accelerators (accelerators.def), the
// dispatch table, the command table and the tests all use these names. Plain
// defines, so the resource compiler reads them as well.
#pragma once

// On the selected item of a list.
#define IDM_RUN 501
#define IDM_RUN_SPECIAL 502
#define IDM_ADD_ITEM 503
#define IDM_EDIT_ITEM 504
#define IDM_COPY_PATH 505
#define IDM_OPEN_FOLDER 506
#define IDM_HISTORY 508
#define IDM_DELETE_ITEM 509

// The main window.
#define IDM_SHOW_MAIN_WINDOW 513
#define IDM_HIDE_MAIN_WINDOW 514
#define IDM_CLOSE_MAIN_WINDOW 515

// Finding.
#define IDM_FIND 516
#define IDM_FIND_NEXT 517
#define IDM_FIND_PREVIOUS 518
#define IDM_QUICK_FIND 580

// Favourites.
#define IDM_ADD_FAVOURITE 519
#define IDM_FAVOURITES 520

// Utilities: pickers, the task manager, and the five fixed lists in this order.
#define IDM_RUNNING_APPS 521
#define IDM_TASK_MANAGER 522
#define IDM_SEND_TO_CLEANUP 523
#define IDM_FIXED_MAKER 524
#define IDM_FIXED_UTILITIES 525
#define IDM_FIXED_CONTROL_PANEL 526
#define IDM_FIXED_PC_SETTINGS 527
#define IDM_FIXED_FOLDERS 528

// Speaking.
#define IDM_SPEAK_POSITION 531
#define IDM_SPEAK_TIME 532
#define IDM_SPEAK_DATE 533
#define IDM_SPEAK_LIST_NAME 534
#define IDM_SPEAK_SORT_ORDER 535

// Showing one list: IDM_SHOW_PROGRAMS + ListKind.
#define IDM_SHOW_PROGRAMS 541
#define IDM_SHOW_FILES 542
#define IDM_SHOW_URLS 543
#define IDM_SHOW_MAIL 544
#define IDM_CONTEXT_MENU 570
#define IDM_NEXT_LIST 571
#define IDM_PREVIOUS_LIST 572

// Settings.
#define IDM_GENERAL_SETTINGS 551
#define IDM_SPEECH_SETTINGS 552
#define IDM_IMPORT_FROM_START_MENU 581

// Help: the two help files, then the maker's pages.
#define IDM_MANUAL 561
#define IDM_KEY_LIST 562
#define IDM_CHANGE_HISTORY 563
#define IDM_VERSION 564
#define IDM_UPDATE_CHECK 565
#define IDM_PROGRAM_PAGE 566
#define IDM_MAKER_SITE 567
#define IDM_CONTACT_FORM 568

// The radio menu's pages, one id each (menu_bar.def lists them): the public
// broadcaster's, then the commercial service's stations.
#define IDM_RADIO_PUBLIC_FIRST 601
#define IDM_RADIO_PUBLIC_LAST 626
#define IDM_RADIO_STATION_FIRST 701
#define IDM_RADIO_STATION_LAST 792
