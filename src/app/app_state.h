// The process-wide state, owned by the main window. Other code receives what
// it needs from here as arguments.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <future>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/search_index_win.h"
#include "items/item_dialog_win.h"
#include "items/item_lists_win.h"
#include "items/list_kind.h"
#include "items/shortcut_cache.h"
#include "platform/modal_dialog_win.h"
#include "platform/win_handles.h"
#include "records/record_log.h"
#include "settings/settings.h"
#include "speech/speech_win.h"


// Registered by the main window: a second instance left a path in "Option9".
constexpr char kHandOverMessageName[] = "HDSetDialog";
constexpr UINT kTrayMessage = WM_USER;
// The main window's timer that saves the shortcut cache a moment after a load changed it.
constexpr UINT_PTR kSaveCacheTimer = 1;
constexpr UINT kSaveCacheDelayMs = 1000;
// The main window's timer that rereads the ItemFolder once a change has been
// shown and announced: it finds what changed behind the program's back.
constexpr UINT_PTR kReloadTimer = 2;
// The main window's timer that runs, a step at each tick, what a start
// leaves until the window has first waited for input.
constexpr UINT_PTR kStartWorkTimer = 3;

struct AppState {
  AppState() = default;
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;  // set once CreateWindow returns
  UINT handOverMessage = 0;
  std::string firstArgument;  // empty when none (or refused as too long)

  ItemLists items;  // the four list boxes and what the last load put in them
  std::array<HWND, kListCount> labels{};
  HWND savedFocus = nullptr;
  HWND openDialog = nullptr;  // the modal dialog that is open, or none

  UniqueHmenu contextMenus;  // "HDRMENU": popups 0..3
  NOTIFYICONDATAA trayIcon{};
  bool trayIconAdded = false;  // asked for, whatever the notification area answered
  bool sendToChecked = false;
  bool startWorkLeft = false;  // RunStartWorkStep has steps left

  Settings settings;
  Voice voice{settings.speechEngine, mainWindow, openDialog};  // how every text reaches the user
  std::string programFolder;  // the current directory at start
  std::string dataFolder;     // "c:\ProgramData\Velmora\Hopdeck" as read back
  std::string itemFolder;     // DataFolder + "\Lnk"
  // The start's read of the item folder (at a first start on a thread of its
  // own while the main window is built); taken up when the lists are first filled.
  std::future<ItemFolderRead> startRead;

  // A path handed over while another dialog was open: the next add-item
  // dialog starts with it, and any add-item dialog uses it up as it closes.
  AddItemPrefill waitingAdd;

  std::string findTerm;    // at most 127 bytes
  QuickFindState quickFind;

  // Dialogs of the main window open from here.
  DialogOwner Owner() { return {instance, mainWindow, &openDialog}; }
  // The data and item folders, as subsystems take them.
  DataFolders Folders() const { return {dataFolder, itemFolder}; }

  RecordLog historyLog{{}, "history.log"};
  RecordLog favouritesLog{{}, "BookMark.log"};
};
