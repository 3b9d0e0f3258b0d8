// Enter and Shift+Enter on the main lists. Every launch is
// recorded at the top of the history.
#include "app/run_list_item_win.h"

#include "app/app_state.h"
#include "app/commands.h"
#include "app/selected_item_win.h"
#include "items/item_store_win.h"
#include "records/browser_dialog_win.h"
#include "records/launch_target.h"
#include "records/launch_win.h"
#include "records/record_texts.h"

namespace {

// The launch target of an item: the shortcut file itself for programs and
// files (the shell follows it with its own folder and arguments), the URL or
// the whole "mailto:" value for the other two lists.
std::string LaunchTargetOf(const AppState& app, int listKind, const std::string& name) {
  std::string itemFile = ItemFilePath(app, listKind, name);
  return IsShortcutList(listKind) ? itemFile : ReadItem(listKind, itemFile).target;
}

// An item file is plain text that anything may have written: a URL item
// runs only as a registered URL protocol (a program path or a share would
// run the program), a mail item only as "mailto:" and an address, and a
// chosen browser takes only http and https.
bool MayOpen(int listKind, const std::string& target, bool special) {
  switch (listKind) {
    case kUrls: return special ? BrowserMayOpen(target) : UrlItemMayOpen(target);
    case kMail: return MailMayOpen(target);
    default: return true;
  }
}

}  // namespace

void RunListItem(AppState& app, int listKind, const std::string& name, bool special) {
  std::string target = LaunchTargetOf(app, listKind, name);
  if (target.empty()) return;  // an item that lost its URL or address: nothing to open
  if (!MayOpen(listKind, target, special)) {
    SpeakText(app.voice, kUrlRefusedText, 0);
    return;
  }
  if (!special) {
    Launch(app.mainWindow, app.voice, app.dataFolder, app.historyLog, target, name);
    return;
  }
  switch (listKind) {
    case kPrograms:
    case kFiles:
      Launch(app.mainWindow, app.voice, app.dataFolder, app.historyLog, target, name, "runas");
      return;
    case kMail:
      Launch(app.mainWindow, app.voice, app.dataFolder, app.historyLog, target, name);
      return;
    case kUrls: {
      int browser = -1;
      if (!RunBrowserChoiceDialog(app.Owner(), browser)) return;
      LaunchWithBrowser(app.mainWindow, app.voice, app.dataFolder, app.historyLog, browser, target, name);
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
