#include "settings/setting_choices_win.h"

void ShowSettingChoices(HWND dialog, std::span<const SettingChoice> choices, const Settings& shown) {
  for (const SettingChoice& choice : choices) {
    for (const char* entry : choice.entries) {
      SendDlgItemMessageA(dialog, choice.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    SendDlgItemMessageA(dialog, choice.id, CB_SETCURSEL, shown.*choice.field, 0);
  }
}

void TakeSettingChoices(HWND dialog, std::span<const SettingChoice> choices, Settings& chosen) {
  for (const SettingChoice& choice : choices) {
    LRESULT selection = SendDlgItemMessageA(dialog, choice.id, CB_GETCURSEL, 0, 0);
    if (selection != CB_ERR) chosen.*choice.field = static_cast<int>(selection);
  }
}
