// The speech settings dialog "HDSpeechDialog" (IDM_SPEECH_SETTINGS): which screen
// reader speaks, and how the date and the time are read out. OK stores
// "Option4" to "Option6" and the settings in memory; SpeakText and the
// announcements read them at every call, so nothing is restarted. The test
// button lets the user hear the chosen engine before storing it.
#include <windows.h>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/modal_dialog_win.h"
#include "platform/win_handles.h"
#include "resources/resource.h"
#include "settings/settings_win.h"
#include "speech/speech_dispatcher.h"
#include "speech/speech_texts.h"
#include "speech/speech_win.h"

namespace {

struct SpeechDialogState {
  explicit SpeechDialogState(AppState& appState) : app(appState) {}
  AppState& app;
};

// The three drop-down lists, in the order OK reads them; each entry's index
// is the setting's value.
struct ChoiceControl {
  int id;
  int Settings::*field;
  const char* const* entries;
  int entryCount;
};
constexpr ChoiceControl kChoices[] = {
    {IDC_SPEECH_ENGINE, &Settings::speechEngine, kSpeechEngineEntries, 7},
    {IDC_SPEECH_DATE, &Settings::dateFormat, kDateFormatEntries, 4},
    {IDC_SPEECH_TIME, &Settings::timeFormat, kTimeFormatEntries, 2},
};

BOOL OnInit(HWND dialog, SpeechDialogState& state) {
  for (const ChoiceControl& choice : kChoices) {
    for (int i = 0; i < choice.entryCount; ++i) {
      SendDlgItemMessageA(dialog, choice.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.entries[i]));
    }
    // A value outside the entries (an edited registry) selects nothing.
    SendDlgItemMessageA(dialog, choice.id, CB_SETCURSEL, state.app.settings.*choice.field, 0);
  }
  return TRUE;  // the focus goes to the engine box
}

// Registry first ("Option6"), then memory. A box with
// no selection keeps its setting as it was rather than storing -1.
void OnOk(HWND dialog, SpeechDialogState& state) {
  Settings chosen = state.app.settings;
  for (const ChoiceControl& choice : kChoices) {
    LRESULT selection = SendDlgItemMessageA(dialog, choice.id, CB_GETCURSEL, 0, 0);
    if (selection != CB_ERR) chosen.*choice.field = static_cast<int>(selection);
  }
  SaveSpeechSettings(chosen);  // without the key the choices hold in memory until the program ends
  for (const ChoiceControl& choice : kChoices) state.app.settings.*choice.field = chosen.*choice.field;
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
    MessageBoxA(dialog, kNoReaderFoundText, kSpeechTestCaption, MB_OK | MB_ICONINFORMATION);
    return;
  }
  SpeakTextThrough(state.app.voice, engine, text, 0);
}

BOOL OnCommand(HWND dialog, SpeechDialogState& state, int id, int) {
  switch (id) {
    case IDOK:
      OnOk(dialog, state);
      return TRUE;
    case IDC_SPEECH_TEST:
      OnTest(dialog, state);
      return TRUE;
    case IDCANCEL:  // also the close box and Escape: nothing changes
      EndModalDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

constexpr DialogHandlers<SpeechDialogState> kSpeechDialog{OnInit, OnCommand};

}  // namespace

void CmdSpeechSettings(AppState& app, const CommandContext& command) {
  SetForegroundWindow(app.mainWindow);
  SpeechDialogState state(app);
  RunModalDialog(app.instance, "HDSpeechDialog", app.mainWindow, &app.openDialog, kSpeechDialog, state);
}
