// The general settings dialog "HDOptionDialog" (IDM_GENERAL_SETTINGS): the hot key
// letter, start with Windows, the list shown at start, the sort order and
// what the hot key opens. OK stores the five values and applies hot key and autostart at once; the
// caller rebuilds the lists, and the start list takes effect at the next start.
#include <windows.h>

#include "items/list_kind.h"
#include "items/list_texts.h"
#include "platform/modal_dialog_win.h"
#include "resources/resource.h"
#include "resources/shared_texts.h"
#include "settings/setting_choices_win.h"
#include "settings/settings.h"
#include "settings/settings_dialogs_win.h"
#include "settings/settings_texts.h"
#include "settings/settings_win.h"

namespace {

constexpr int kLetterCount = 26;

struct GeneralDialogState {
  Settings& settings;
  HWND hotKeyWindow;
  const std::string& programFolder;
};

// The four drop-down lists: each entry's index is the setting's value. The
// entries are the names the lists and the sort orders are announced by; the
// hot key letters are added by OnInit.
constexpr SettingChoice kChoices[] = {
    {IDC_OPT_HOTKEY, &Settings::hotKeyIndex, {}},
    {IDC_OPT_STARTLIST, &Settings::startList, kListNames},
    {IDC_OPT_SORTORDER, &Settings::sortOrder, kSortOrderNames},
    {IDC_OPT_HOTKEYSCREEN, &Settings::hotKeyScreen, kHotKeyScreenNames},
};

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// What the dialog shows for each setting. The hot key comes from the
// registry as it stands now, or from memory when it cannot be read there; a
// letter outside A..Z shows the M that is in use. A start list outside 0..3
// shows the programs list, which is what a start then does.
Settings Preselection(const Settings& settings) {
  Settings shown = settings;
  shown.hotKeyIndex = EffectiveHotKeyIndex(ReadStoredHotKeyIndex().value_or(settings.hotKeyIndex));
  if (shown.startList < 0 || shown.startList >= kListCount) shown.startList = kPrograms;
  return shown;
}

BOOL OnInit(HWND dialog, GeneralDialogState& state) {
  for (int letter = 0; letter < kLetterCount; ++letter) {
    const char text[2] = {static_cast<char>('A' + letter), '\0'};
    SendDlgItemMessageA(dialog, IDC_OPT_HOTKEY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  // A sort order outside 0..3, or a hot-key screen outside 0..1, selects
  // nothing; OK then keeps it as it is.
  ShowSettingChoices(dialog, kChoices, Preselection(state.settings));
  CheckDlgButton(dialog, IDC_OPT_AUTOSTART, state.settings.autoStart == kAutoStartOn ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;  // the focus goes to the hot key box
}

// Moves the hot key to the chosen letter. False when the system refuses it
// (another program holds it): the key in use before is taken back, so the
// program stays reachable as it was.
bool MoveHotKey(HWND window, int fromIndex, int toIndex) {
  UnregisterHotKey(window, kHotKeyId);  // none held (it was taken at start) is no matter
  if (RegisterAppHotKey(window, toIndex)) return true;
  (void)RegisterAppHotKey(window, fromIndex);  // refused: it was not held before either
  return false;
}

// The hot key first, since it can be refused; then registry, then memory:
// autostart, start list, sort order, hot-key screen. A registry that refuses
// the values leaves the dialog open with nothing changed.
void OnOk(HWND dialog, GeneralDialogState& state) {
  Settings& settings = state.settings;
  Settings chosen = settings;
  TakeSettingChoices(dialog, kChoices, chosen);
  chosen.autoStart = IsChecked(dialog, IDC_OPT_AUTOSTART) ? kAutoStartOn : kAutoStartOff;
  if (!MoveHotKey(state.hotKeyWindow, settings.hotKeyIndex, chosen.hotKeyIndex)) {
    // Nothing is stored; the dialog stays open for another letter.
    MessageBoxA(dialog, kHotKeyTakenText, kInputErrorCaption, MB_OK | MB_ICONINFORMATION);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_OPT_HOTKEY)), TRUE);
    return;
  }
  if (!SaveGeneralSettings(chosen)) {
    // Nothing changes in memory and the old key is taken back. Should that be
    // refused, the new key stays held and memory says so.
    if (!MoveHotKey(state.hotKeyWindow, chosen.hotKeyIndex, settings.hotKeyIndex)) {
      settings.hotKeyIndex = chosen.hotKeyIndex;
    }
    ShowMessageBox(dialog, kSettingsNotSavedText, kWriteFailedCaption, MB_OK | MB_ICONWARNING);
    return;
  }

  settings.hotKeyIndex = chosen.hotKeyIndex;
  settings.autoStart = chosen.autoStart;
  ApplyAutoStart(settings, state.programFolder);
  settings.startList = chosen.startList;
  settings.sortOrder = chosen.sortOrder;
  settings.hotKeyScreen = chosen.hotKeyScreen;

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
    default:
      return FALSE;
  }
  return TRUE;
}

constexpr DialogHandlers<GeneralDialogState> kGeneralDialog{OnInit, OnCommand};

}  // namespace

bool RunGeneralSettingsDialog(const DialogOwner& owner, Settings& settings, const std::string& programFolder) {
  GeneralDialogState state{settings, owner.window, programFolder};
  return RunModalDialog(owner, "HDOptionDialog", kGeneralDialog, state) == IDOK;
}
