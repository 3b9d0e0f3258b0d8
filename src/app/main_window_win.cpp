#include "app/main_window_win.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/commands.h"
#include "app/startup_win.h"
#include "items/item_lists_win.h"
#include "items/item_store_win.h"
#include "pickers/send_to_win.h"
#include "platform/notification_window_win.h"
#include "platform/window_front_win.h"
#include "resources/command_ids.h"
#include "resources/resource.h"
#include "settings/settings_texts.h"
#include "settings/settings_win.h"
#include "speech/speech_win.h"

namespace {

AppState gApp;

// Popups of "HDRMENU".
constexpr int kPopupProgramsFiles = 0;
constexpr int kPopupUrls = 1;
constexpr int kPopupMail = 2;
constexpr int kPopupTray = 3;

void RecordFocus(AppState& app) {
  HWND focus = GetFocus();
  if (focus != nullptr) app.savedFocus = focus;
}

void ShowOnlyList(AppState& app, int shown) {
  for (int k = 0; k < kListCount; ++k) ShowWindow(app.items.boxes[k], k == shown ? SW_SHOW : SW_HIDE);
  SetFocus(app.items.boxes[shown]);
  RecordFocus(app);
}

// The full ANSI record, balloon icon included: 508 bytes in the 32-bit program.
static_assert(sizeof(void*) != 4 || sizeof(NOTIFYICONDATAA) == 508);

// Sent to every top-level window when the notification area is made anew
// (Explorer restarted): its icons are gone and each program adds its own again.
constexpr char kTaskbarCreatedMessageName[] = "TaskbarCreated";
UINT gTaskbarCreatedMessage = 0;

void AddTrayIcon(AppState& app, HWND window) {
  app.trayIconAdded = true;
  NOTIFYICONDATAA& icon = app.trayIcon;
  icon = NOTIFYICONDATAA{};
  icon.cbSize = sizeof(NOTIFYICONDATAA);
  icon.hWnd = window;
  icon.uID = 0;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = kTrayMessage;
  icon.hIcon = LoadIconA(app.instance, "HDI");
  lstrcpynA(icon.szTip, kWindowTitle, sizeof(icon.szTip));
  Shell_NotifyIconA(NIM_ADD, &icon);  // without a notification area the program runs on
}

// WM_CREATE: the whole start-up sequence, in order.
void OnCreate(AppState& app, HWND window) {
  app.mainWindow = window;  // the hot key, the tray icon and the start-up dialog need it now
  app.handOverMessage = RegisterWindowMessageA(kHandOverMessageName);
  gTaskbarCreatedMessage = RegisterWindowMessageA(kTaskbarCreatedMessageName);
  // Run as administrator, the window would not hear Explorer without this.
  ChangeWindowMessageFilterEx(window, gTaskbarCreatedMessage, MSGFLT_ALLOW, nullptr);  // refused: the icon stays away

  for (int k = 0; k < kListCount; ++k) {
    app.labels[k] = CreateWindowExA(0, "STATIC", kListLabels[k], WS_CHILD, 0, 0, 0, 0, window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LABEL_PROGRAMS + k)), app.instance, nullptr);
    app.items.boxes[k] = CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 0, 0, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LIST_PROGRAMS + k)), app.instance, nullptr);
  }
  CreateNotificationWindow(window);  // what Narrator hears is raised from it

  app.contextMenus.reset(LoadMenuA(app.instance, "HDRMENU"));
  bool hotKeyHeld = LoadSettings(app.settings, app.mainWindow, app.programFolder);
  int start = (app.settings.startList >= 0 && app.settings.startList < kListCount) ? app.settings.startList : kPrograms;
  if (!app.startRead.valid()) app.startRead = StartItemFolderRead(app.itemFolder, app.dataFolder);
  // Only the list shown is filled before the window is; the rest of the
  // start waits until it first waits for input (kStartWorkTimer).
  ShowItemLists(app, app.startRead.get(), start);
  SelectFirstEntries(app);
  app.startWorkLeft = true;
  if (SetTimer(window, kStartWorkTimer, USER_TIMER_MINIMUM, nullptr) == 0) {
    // No timer to be had: all of it now, as before.
    while (RunStartWorkStep(app)) continue;
  }
  ShowWindow(window, SW_SHOW);
  if (!app.firstArgument.empty()) OfferStartUpPath(app);

  ShowWindow(app.items.boxes[start], SW_SHOW);
  SetFocus(app.items.boxes[start]);
  RecordFocus(app);
  // Without the hot key Hopdeck cannot be brought forward from elsewhere.
  if (!hotKeyHeld) SpeakText(app.voice, kHotKeyNotRegisteredText, 0);
}

void OnClose(HWND window) {
  if (ShowMessageBox(window, kExitQuestion, kExitCaption, MB_YESNO | MB_ICONQUESTION) == IDYES) DestroyWindow(window);
}

void OnDestroy(AppState& app, HWND window) {
  // The quit message first: should the save throw, the window procedure
  // stops the exception, and the program must still end rather than run on
  // without a window.
  Shell_NotifyIconA(NIM_DELETE, &app.trayIcon);
  UnregisterHotKey(window, kHotKeyId);
  PostQuitMessage(0);
  SaveShortcutCacheIfChanged(app.items, app.dataFolder);
}

void BringForward(HWND window) {
  ShowWindow(window, SW_SHOW);
  BringWindowForward(window);
}

void OnHotKey(AppState& app, WPARAM id) {
  if (id != kHotKeyId) return;
  BringForward(app.mainWindow);
  if (app.openDialog != nullptr) {
    SetFocus(app.openDialog);
    return;
  }
  FocusVisibleList(app);
  // Posted, so the search runs as any command does, from the list that now has the focus.
  if (app.settings.hotKeyScreen == kHotKeyOpensSearch) PostMessageA(app.mainWindow, WM_COMMAND, IDM_QUICK_FIND, 0);
}

void TrackPopup(AppState& app, int popupIndex, POINT screenPoint) {
  HMENU popup = GetSubMenu(app.contextMenus.get(), popupIndex);
  if (popup != nullptr) TrackPopupMenu(popup, TPM_BOTTOMALIGN, screenPoint.x, screenPoint.y, 0, app.mainWindow, nullptr);
}

// Only a right-button press on the icon opens its menu.
void OnTrayMessage(AppState& app, LPARAM mouseMessage) {
  if (mouseMessage != WM_RBUTTONDOWN) return;
  POINT point{516, 0};
  ClientToScreen(app.mainWindow, &point);
  SetForegroundWindow(app.mainWindow);
  TrackPopup(app, kPopupTray, point);
}

}  // namespace

AppState& TheApp() { return gApp; }

void LoadItemLists(AppState& app) {
  ShowItemLists(app, ReadItemFolder(app.itemFolder, std::move(app.items.shortcuts)));
}

void ShowItemLists(AppState& app, ItemFolderRead read, int onlyBox) {
  if (ShowItemFolder(app.items, std::move(read), app.settings.sortOrder, onlyBox) && app.mainWindow != nullptr) {
    // Saved a moment later, so neither a start nor a change waits for the disk.
    SetTimer(app.mainWindow, kSaveCacheTimer, kSaveCacheDelayMs, nullptr);
  }
  app.quickFind.stale = true;
  app.quickFind.index.UseReadings(app.items.readings);
}

void LoadItemListsSoon(AppState& app) {
  // Without the timer, the reload is made at once, as before.
  if (app.mainWindow == nullptr || SetTimer(app.mainWindow, kReloadTimer, USER_TIMER_MINIMUM, nullptr) == 0) {
    LoadItemLists(app);
  }
}

void SelectFirstEntries(AppState& app) { SelectFirstEntries(app.items); }

void ShowWrittenItemAndSelectFirst(AppState& app, const WrittenItem& written) {
  FillListBoxes(app);
  if (ShowWrittenItem(app.items, written.file, written.removedFile, app.settings.sortOrder)) {
    app.quickFind.stale = true;
    if (app.items.shortcutsUnsaved && app.mainWindow != nullptr) {
      SetTimer(app.mainWindow, kSaveCacheTimer, kSaveCacheDelayMs, nullptr);
    }
    LoadItemListsSoon(app);
  } else {
    LoadItemLists(app);
  }
  SelectFirstEntries(app);
}

void FillListBoxes(AppState& app) {
  for (int k = 0; k < kListCount; ++k) FillListBox(app.items, k);
}

bool RunStartWorkStep(AppState& app) {
  if (!app.startWorkLeft) return false;
  for (int k = 0; k < kListCount; ++k) {
    if (FillListBox(app.items, k)) return true;
  }
  if (!app.sendToChecked) {
    app.sendToChecked = true;
    EnsureSendToShortcut(app.programFolder);
    return true;
  }
  if (!app.trayIconAdded) {
    // The notification area lives in another process and answers slowly.
    AddTrayIcon(app, app.mainWindow);
    return true;
  }
  app.startWorkLeft = false;
  return false;
}

bool IsListSideKey(const AppState& app, const MSG& message) {
  return message.message == WM_KEYDOWN && (message.wParam == VK_LEFT || message.wParam == VK_RIGHT) &&
         ListIndexOf(app, message.hwnd) >= 0;
}

int ListIndexOf(const AppState& app, HWND window) {
  for (int k = 0; k < kListCount; ++k) {
    if (window != nullptr && app.items.boxes[k] == window) return k;
  }
  return -1;
}

void FocusVisibleList(AppState& app) {
  for (HWND list : app.items.boxes) {
    if (IsWindowVisible(list)) SetFocus(list);
  }
  RecordFocus(app);
}

void CmdShowList(AppState& app, const CommandContext& command) {
  int shown = command.id - IDM_SHOW_PROGRAMS;
  ShowOnlyList(app, shown);
  SpeakText(app.voice, kListNames[shown], 0);
}

void CmdNextList(AppState& app, const CommandContext& command) {
  int current = ListIndexOf(app, app.savedFocus);
  if (current < 0) return;
  int step = command.id == IDM_PREVIOUS_LIST ? kListCount - 1 : 1;
  ShowWindow(app.items.boxes[current], SW_HIDE);
  int next = (current + step) % kListCount;
  ShowWindow(app.items.boxes[next], SW_SHOW);
  SetFocus(app.items.boxes[next]);
  RecordFocus(app);
}

void CmdShowMainWindow(AppState& app, const CommandContext& command) {
  BringForward(app.mainWindow);
  FocusVisibleList(app);
}

void CmdHideMainWindow(AppState& app, const CommandContext& command) {
  RecordFocus(app);
  ShowWindow(app.mainWindow, SW_HIDE);
}

void CmdCloseMainWindow(AppState& app, const CommandContext& command) { SendMessageA(app.mainWindow, WM_CLOSE, 0, 0); }

void CmdContextMenu(AppState& app, const CommandContext& command) {
  POINT point{static_cast<short>(LOWORD(command.lParam)), static_cast<short>(HIWORD(command.lParam))};
  ClientToScreen(app.mainWindow, &point);
  if (NeedsSelectionSpoken(app.voice)) SpeakText(app.voice, kMenuOpenText, 0);
  switch (ListIndexOf(app, GetFocus())) {
    case kPrograms:
    case kFiles: TrackPopup(app, kPopupProgramsFiles, point); break;
    case kUrls: TrackPopup(app, kPopupUrls, point); break;
    case kMail: TrackPopup(app, kPopupMail, point); break;
    default: break;
  }
}

namespace {

LRESULT HandleMessage(AppState& app, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (app.handOverMessage != 0 && message == app.handOverMessage) {
    OnHandOver(app);
    return 0;
  }
  if (gTaskbarCreatedMessage != 0 && message == gTaskbarCreatedMessage) {
    AddTrayIcon(app, window);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      OnCreate(app, window);
      return 0;
    case WM_DESTROY:
      OnDestroy(app, window);
      return 0;
    case WM_SIZE:
      for (HWND list : app.items.boxes) MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (app.openDialog == nullptr) FocusVisibleList(app);
      PostMessageA(window, app.handOverMessage, 0, 0);
      return 0;
    case WM_KILLFOCUS:
      if (app.openDialog == nullptr) RecordFocus(app);
      return 0;
    case WM_CLOSE:
      OnClose(window);
      return 0;
    case WM_COMMAND:
      // A command may show, search or change any list: those a start has
      // not filled yet are filled first. (A list box tells its parent of its
      // focus by this message too, as the start gives it the focus.)
      if (HasCommandHandler(LOWORD(wParam))) FillListBoxes(app);
      DispatchCommand(app, LOWORD(wParam), lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kSaveCacheTimer) {
        KillTimer(window, kSaveCacheTimer);
        SaveShortcutCacheIfChanged(app.items, app.dataFolder);
      } else if (wParam == kReloadTimer) {
        KillTimer(window, kReloadTimer);
        LoadItemLists(app);
      } else if (wParam == kStartWorkTimer) {
        // A timer's message comes only when no key, mouse or posted message
        // waits: each step runs between them.
        if (!RunStartWorkStep(app)) KillTimer(window, kStartWorkTimer);
      }
      return 0;
    case WM_ENDSESSION:
      // Windows ends the process after this, without a WM_DESTROY.
      if (wParam) SaveShortcutCacheIfChanged(app.items, app.dataFolder);
      return 0;
    case WM_HOTKEY:
      OnHotKey(app, wParam);
      return 0;
    case kTrayMessage:
      OnTrayMessage(app, lParam);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AppState& app = gApp;
  return StopExceptions([&] { return HandleMessage(app, window, message, wParam, lParam); },
                        [&] { SpeakText(app.voice, kErrorText, 0); });
}
