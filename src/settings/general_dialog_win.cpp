// The general settings dialog "HDOptionDialog" (IDM_GENERAL_SETTINGS): the hot key
// letter, start with Windows, the list shown at start and the sort order.
// OK stores the four values, applies hot key and autostart at once and has
// the lists rebuilt; the start list takes effect at the next start.
#include <windows.h>

#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/commands.h"
#include "app/item_command_texts.h"
#include "items/item_lists_win.h"
#include "platform/modal_dialog_win.h"
#include "resources/resource.h"
#include "settings/settings_win.h"

namespace {

constexpr int kLetterCount = 26;

struct GeneralDialogState {
  explicit GeneralDialogState(AppState& appState) : app(appState) {}
  AppState& app;
};

// The three drop-down lists: each entry's index is the setting's value.
struct ChoiceControl {
  int id;
  int Settings::*field;
};
constexpr ChoiceControl kChoices[] = {
    {IDC_OPT_HOTKEY, &Settings::hotKeyIndex},
    {IDC_OPT_STARTLIST, &Settings::startList},
    {IDC_OPT_SORTORDER, &Settings::sortOrder},
};

void AddEntry(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void Select(HWND dialog, int id, int index) { SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0); }

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// What the dialog shows for each setting. The hot key comes from the
// registry as it stands now, or from memory when it cannot be read there; a
// letter outside A..Z shows the M that is in use. A start list outside 0..3
// shows the programs list, which is what a start then does.
Settings Preselection(const AppState& app) {
  Settings shown = app.settings;
  shown.hotKeyIndex = EffectiveHotKeyIndex(ReadStoredHotKeyIndex().value_or(app.settings.hotKeyIndex));
  if (shown.startList < 0 || shown.startList >= kListCount) shown.startList = kPrograms;
  return shown;
}

BOOL OnInit(HWND dialog, GeneralDialogState& state) {
  AppState& app = state.app;
  for (int letter = 0; letter < kLetterCount; ++letter) {
    const char text[2] = {static_cast<char>('A' + letter), '\0'};
    AddEntry(dialog, IDC_OPT_HOTKEY, text);
  }
  // The entries are the names the lists and the sort orders are announced by.
  for (const char* name : kListNames) AddEntry(dialog, IDC_OPT_STARTLIST, name);
  for (const char* name : kSortOrderNames) AddEntry(dialog, IDC_OPT_SORTORDER, name);

  // A sort order outside 0..3 selects nothing; OK then keeps it as it is.
  const Settings shown = Preselection(app);
  for (const ChoiceControl& choice : kChoices) Select(dialog, choice.id, shown.*choice.field);
  CheckDlgButton(dialog, IDC_OPT_AUTOSTART, app.settings.autoStart == 1 ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;  // the focus goes to the hot key box
}

// Registry first, then memory: hot key, autostart, start list, sort order.
void OnOk(HWND dialog, GeneralDialogState& state) {
  AppState& app = state.app;
  Settings chosen = app.settings;
  for (const ChoiceControl& choice : kChoices) {
    LRESULT selection = SendDlgItemMessageA(dialog, choice.id, CB_GETCURSEL, 0, 0);
    if (selection != CB_ERR) chosen.*choice.field = static_cast<int>(selection);
  }
  chosen.autoStart = IsChecked(dialog, IDC_OPT_AUTOSTART) ? 1 : 0;
  SaveGeneralSettings(chosen);

  app.settings.hotKeyIndex = chosen.hotKeyIndex;
  UnregisterHotKey(app.mainWindow, kHotKeyId);
  RegisterAppHotKey(app);
  app.settings.autoStart = chosen.autoStart;
  ApplyAutoStart(app);
  app.settings.startList = chosen.startList;
  app.settings.sortOrder = chosen.sortOrder;

  EndModalDialog(dialog, IDOK);
}

BOOL OnCommand(HWND dialog, GeneralDialogState& state, int id, int code) {
  switch (id) {
    case IDC_OPT_AUTOSTART:
      // Not an automatic check box: the dialog toggles it itself.
      if (code == BN_CLICKED) {
        CheckDlgButton(dialog, id, IsChecked(dialog, id) ? BST_UNCHECKED : BST_CHECKED);
      }
      break;
    case IDOK:
      OnOk(dialog, state);
      break;
    case IDCANCEL:  // also the close box and Escape
      EndModalDialog(dialog, IDCANCEL);
      break;
    default:
      break;
  }
  return TRUE;
}

constexpr DialogHandlers<GeneralDialogState> kGeneralDialog{OnInit, OnCommand};

}  // namespace

void CmdGeneralSettings(AppState& app, const CommandContext& command) {
  SetForegroundWindow(app.mainWindow);
  GeneralDialogState state(app);
  if (RunModalDialog(app.instance, "HDOptionDialog", app.mainWindow, &app.openDialog, kGeneralDialog, state) != IDOK) {
    return;
  }
  // The new sort order takes effect at once.
  LoadItemLists(app);
  SelectFirstEntries(app);
}
