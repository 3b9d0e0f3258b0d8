// Enter and Shift+Enter on the main lists, and the browser choice
// dialog. Every launch is recorded at the top of the history.
#include "app/launch_win.h"

#include "app/app_state.h"
#include "app/commands.h"
#include "app/selected_item_win.h"
#include "items/item_store_win.h"
#include "platform/sjis.h"
#include "records/records_win.h"
#include "resources/resource.h"

namespace {

// The browsers offered by "WBDialog", indexed by BrowserChoice: what the
// dialog shows and the registered application name the shell is given.
struct BrowserRow {
  char shown[32];
  char program[32];
};
constexpr BrowserRow kBrowsers[] = {
    {"Microsoft Edge", "msedge"},
    {"Firefox", "Firefox"},
    {"Google Chrome", "Chrome"},
};
constexpr int kBrowserCount = static_cast<int>(sizeof kBrowsers / sizeof kBrowsers[0]);

// The launch target of an item: the shortcut file itself for programs and
// files (the shell follows it with its own folder and arguments), the URL or
// the whole "mailto:" value for the other two lists.
std::string ItemTarget(const AppState& app, int listKind, const std::string& name) {
  std::string itemFile = ItemFilePath(app, listKind, name);
  switch (listKind) {
    case kUrls:
      return ReadUrlItem(itemFile);
    case kMail:
      return ReadMailItem(itemFile);
    default:
      return itemFile;
  }
}

// Opens target with the verb and records it. An item file that has lost its
// URL or address gives an empty target: the shell would open the current
// folder instead, and an empty history entry would hide all later ones, so
// nothing happens.
void LaunchAndRecord(AppState& app, const char* verb, const std::string& target, const std::string& name) {
  if (target.empty()) return;
  ShellOpen(verb, target);
  RecordLaunch(app, target, name);
}

INT_PTR CALLBACK BrowserChoiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      auto* app = reinterpret_cast<AppState*>(lParam);
      HWND combo = GetDlgItem(dialog, IDC_BROWSER_COMBO);
      for (const BrowserRow& row : kBrowsers) {
        std::string shown(FieldText(row.shown, sizeof row.shown));
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
      }
      SendMessageA(combo, CB_SETCURSEL, 0, 0);
      app->browserChoice = -1;
      return TRUE;
    }
    case WM_COMMAND: {
      auto* app = reinterpret_cast<AppState*>(GetWindowLongPtrA(dialog, DWLP_USER));
      if (app == nullptr) return FALSE;
      switch (LOWORD(wParam)) {
        case IDOK:
          app->browserChoice =
              static_cast<int>(SendDlgItemMessageA(dialog, IDC_BROWSER_COMBO, CB_GETCURSEL, 0, 0));
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

}  // namespace

void ShellOpen(const char* verb, const std::string& target, const char* parameters, const char* folder) {
  ShellExecuteA(nullptr, verb, target.c_str(), parameters, folder, SW_SHOW);  // result not examined
}

bool RunBrowserChoiceDialog(AppState& app, HWND owner) {
  // Not recorded as the open dialog: the history and favourites dialogs that
  // also open it hold that role meanwhile.
  HINSTANCE instance = app.instance != nullptr ? app.instance : GetModuleHandleA(nullptr);
  INT_PTR result = DialogBoxParamA(instance, "WBDialog", owner, BrowserChoiceProc, reinterpret_cast<LPARAM>(&app));
  return result == IDOK;
}

bool OpenUrlWithChosenBrowser(const AppState& app, const std::string& url) {
  if (app.browserChoice < 0 || app.browserChoice >= kBrowserCount) {
    ShellOpen(nullptr, url);
    return true;
  }
  // The browser gets the URL as its one argument: quoted, since a space
  // would split it. A quote inside would end the argument early and hand
  // the rest to the browser as arguments of its own.
  if (url.find('"') != std::string::npos) return false;
  const BrowserRow& row = kBrowsers[app.browserChoice];
  std::string argument = "\"" + url + "\"";
  ShellOpen(nullptr, std::string(FieldText(row.program, sizeof row.program)), argument.c_str());
  return true;
}

void RunListItem(AppState& app, int listKind, const std::string& name, bool special) {
  std::string target = ItemTarget(app, listKind, name);
  if (!special) {
    LaunchAndRecord(app, nullptr, target, name);
    return;
  }
  switch (listKind) {
    case kPrograms:
    case kFiles:
      LaunchAndRecord(app, "runas", target, name);
      return;
    case kMail:
      LaunchAndRecord(app, nullptr, target, name);
      return;
    case kUrls:
      if (!RunBrowserChoiceDialog(app, app.mainWindow)) return;
      if (target.empty() || !OpenUrlWithChosenBrowser(app, target)) return;
      RecordLaunch(app, target, name);
      return;
  }
}

void CmdRun(AppState& app, const CommandContext& command) {
  SelectedItem item = GetSelectedItem(app);
  if (item.valid()) RunListItem(app, item.listKind, item.name, false);
}

void CmdRunSpecial(AppState& app, const CommandContext& command) {
  SelectedItem item = GetSelectedItem(app);
  if (item.valid()) RunListItem(app, item.listKind, item.name, true);
}
