// The hand-over slot "Option9" (REG_SZ) in the settings key: a second
// instance writes the path it was started with, zero-padded to 261 bytes; the
// running instance reads it at its next focus gain and writes 261 zero bytes
// back at once. A first byte of zero means nothing is pending.
#include "app/startup_win.h"

#include <shlwapi.h>
#include <stdlib.h>

#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "items/item_store_win.h"
#include "platform/sjis_find.h"
#include "platform/sjis.h"
#include "platform/window_front_win.h"
#include "settings/settings_win.h"

namespace {

void WriteHandOverSlot(HKEY key, const std::string& path) {
  char slot[kPathBytes] = {};
  CopyToField(slot, sizeof(slot), path);
  RegSetValueExA(key, kHandOverValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(slot), sizeof(slot));
}

// Reads and empties the slot. Any program can leave a value there, so a
// value that does not end within the 261-byte field is not taken as a path.
std::string TakeHandOverSlot() {
  UniqueHkey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) return {};
  char slot[kPathBytes + 1] = {};
  DWORD size = kPathBytes;
  DWORD type = REG_NONE;
  LONG status = RegQueryValueExA(key.get(), kHandOverValue, nullptr, &type, reinterpret_cast<BYTE*>(slot), &size);
  if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return {};
  if (status == ERROR_SUCCESS && type == REG_SZ && slot[0] == '\0') return {};
  WriteHandOverSlot(key.get(), std::string());
  // Only a string is a path: the bytes of a number or a binary value are not.
  if (type != REG_SZ) return {};
  std::string_view path = FieldText(slot, kPathBytes);
  if (status == ERROR_MORE_DATA || path.size() >= kPathBytes) return {};
  return std::string(path);
}

bool LooksLikeShortcut(const std::string& path) {
  int position = 0;
  FindString(path.c_str(), ".lnk", &position);
  return position > 0;
}

// The add dialog's start for a handed-over path. A shortcut offers its
// target and arguments; with keepLink the shortcut's own name is proposed.
AddItemPrefill PrefillFor(const std::string& path, bool keepLink) {
  AddItemPrefill prefill;
  prefill.path = path;
  if (LooksLikeShortcut(path)) {
    std::string target;
    (void)ReadShellLink(path, target, prefill.arguments);  // unreadable: no target, the path is offered
    if (!target.empty()) {
      if (keepLink) prefill.link = path;
      prefill.path = target;
    }
  }
  return prefill;
}

}  // namespace

// A relative path names a file of the folder this process was started in;
// by the time it is used, the current directory is another (this instance's
// or the running one's). A URL, an address or a bare command name
// names nothing there and is kept as given.
std::string FirstArgument() {
  if (__argc < 2 || __argv[1] == nullptr) return {};
  std::string argument = __argv[1];
  if (argument.size() > kPathTextBytes) return {};
  if (argument.empty() || PathIsURLA(argument.c_str()) || !PathIsRelativeA(argument.c_str())) return argument;
  char full[MAX_PATH + 1] = {};
  DWORD length = GetFullPathNameA(argument.c_str(), MAX_PATH, full, nullptr);
  if (length >= MAX_PATH) return {};  // refused, as an overlong argument is
  if (length == 0 || !PathFileExistsA(full)) return argument;
  return std::string(full, length);
}

bool HandOffToRunningInstance(const std::string& argument) {
  HWND running = FindWindowA(kWindowClass, kWindowTitle);
  if (running == nullptr) return false;
  if (!argument.empty()) {
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS) {
      WriteHandOverSlot(key.get(), argument);
    }
  }
  BringWindowForward(running);
  return true;
}

bool OpenAddItemDialog(AppState& app, AddItemPrefill prefill, WrittenItem& written) {
  bool saved = RunAddItemDialog(app.Owner(), app.Folders(), prefill, written);
  app.waitingAdd = AddItemPrefill();
  return saved;
}

void OfferStartUpPath(AppState& app) {
  WrittenItem written;
  if (OpenAddItemDialog(app, PrefillFor(app.firstArgument, false), written)) ShowWrittenItemAndSelectFirst(app, written);
}

void OnHandOver(AppState& app) {
  std::string path = TakeHandOverSlot();
  if (path.empty()) return;

  AddItemPrefill prefill = PrefillFor(path, true);
  if (app.openDialog != nullptr) {
    // The path waits for the next add-item dialog.
    app.waitingAdd = std::move(prefill);
    ShowMessageBox(app.mainWindow, kHandOverRefusedText, kHandOverRefusedCaption, MB_ICONINFORMATION);
    return;
  }
  WrittenItem written;
  if (OpenAddItemDialog(app, std::move(prefill), written)) ShowWrittenItemAndSelectFirst(app, written);
  FocusVisibleList(app);
  if (!IsWindowVisible(app.mainWindow)) {
    // The window lives in the tray: keep it there.
    ShowWindow(app.mainWindow, SW_MINIMIZE);
    ShowWindow(app.mainWindow, SW_HIDE);
  }
}
