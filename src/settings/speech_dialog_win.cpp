// The speech settings dialog "HDSpeechDialog" (IDM_SPEECH_SETTINGS): which screen
// reader speaks, and how the date and the time are read out. OK stores
// "Option4" to "Option6" and the settings in memory; SpeakText and the
// announcements read them at every call, so nothing is restarted. The test
// button lets the user hear the chosen engine before storing it.
#include <windows.h>

#include "platform/modal_dialog_win.h"
#include "resources/resource.h"
#include "resources/shared_texts.h"
#include "settings/setting_choices_win.h"
#include "settings/settings.h"
#include "settings/settings_dialogs_win.h"
#include "settings/settings_texts.h"
#include "settings/settings_win.h"
#include "speech/speech_dispatcher.h"
#include "speech/speech_texts.h"
#include "speech/speech_win.h"

namespace {

struct SpeechDialogState {
  Settings& settings;
  const Voice& voice;
};

// The three drop-down lists, in the order OK reads them; each entry's index
// is the setting's value.
constexpr SettingChoice kChoices[] = {
    {IDC_SPEECH_ENGINE, &Settings::speechEngine, kSpeechEngineEntries},
    {IDC_SPEECH_DATE, &Settings::dateFormat, kDateFormatEntries},
    {IDC_SPEECH_TIME, &Settings::timeFormat, kTimeFormatEntries},
};

BOOL OnInit(HWND dialog, SpeechDialogState& state) {
  ShowSettingChoices(dialog, kChoices, state.settings);
  return TRUE;  // the focus goes to the engine box
}

// Registry first ("Option4" to "Option6"), then memory. A registry that
// refuses them leaves the dialog open with nothing changed.
void OnOk(HWND dialog, SpeechDialogState& state) {
  Settings chosen = state.settings;
  TakeSettingChoices(dialog, kChoices, chosen);
  if (!SaveSpeechSettings(chosen)) {
    ShowMessageBox(dialog, kSettingsNotSavedText, kWriteFailedCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  for (const SettingChoice& choice : kChoices) state.settings.*choice.field = chosen.*choice.field;
  EndModalDialog(dialog, IDOK);
}

// Speaks through the engine in the box, not the one in force. "自動" names the
// reader it found, or says in a message that none runs, since then nothing
// could speak it.
void OnTest(HWND dialog, SpeechDialogState& state) {
  LRESULT selection = SendDlgItemMessageA(dialog, IDC_SPEECH_ENGINE, CB_GETCURSEL, 0, 0);
  if (selection == CB_ERR) return;
  int chosen = static_cast<int>(selection);
  int engine = chosen == kAutomatic ? FindRunningReader() : chosen;
  const char* text = SpeechTestText(chosen, engine);
  if (text == nullptr) {
    ShowMessageBox(dialog, kNoReaderFoundText, kSpeechTestCaption, MB_OK | MB_ICONINFORMATION);
    return;
  }
  SpeakTextThrough(state.voice, engine, text, 0);
}

BOOL OnCommand(HWND dialog, SpeechDialogState& state, int id, int) {
  switch (id) {
    case IDOK:
      OnOk(dialog, state);
      return TRUE;
    case IDC_SPEECH_TEST:
      OnTest(dialog, state);
      return TRUE;
    default:
      return FALSE;
  }
}

constexpr DialogHandlers<SpeechDialogState> kSpeechDialog{OnInit, OnCommand};

}  // namespace

bool RunSpeechSettingsDialog(const DialogOwner& owner, Settings& settings, const Voice& voice) {
  SpeechDialogState state{settings, voice};
  return RunModalDialog(owner, "HDSpeechDialog", kSpeechDialog, state) == IDOK;
}
