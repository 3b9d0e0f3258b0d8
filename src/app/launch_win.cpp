// Enter and Shift+Enter on the main lists. Every launch is
// recorded at the top of the history.
#include "app/launch_win.h"

#include "app/app_state.h"
#include "app/browser_dialog_win.h"
#include "app/commands.h"
#include "app/selected_item_win.h"
#include "items/item_store_win.h"
#include "records/records_win.h"

namespace {

// The launch target of an item: the shortcut file itself for programs and
// files (the shell follows it with its own folder and arguments), the URL or
// the whole "mailto:" value for the other two lists.
std::string ItemTarget(const AppState& app, int listKind, const std::string& name) {
  std::string itemFile = ItemFilePath(app, listKind, name);
  return IsShortcutList(listKind) ? itemFile : ReadItem(listKind, itemFile).target;
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

}  // namespace

void ShellOpen(const char* verb, const std::string& target, const char* parameters, const char* folder) {
  ShellExecuteA(nullptr, verb, target.c_str(), parameters, folder, SW_SHOW);  // result not examined
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
    case kUrls: {
      int browser = -1;
      if (!RunBrowserChoiceDialog(app.instance, app.mainWindow, browser)) return;
      if (target.empty() || !OpenUrlWithChosenBrowser(browser, target)) return;
      RecordLaunch(app, target, name);
      return;
    }
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
