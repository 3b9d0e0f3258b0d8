#include "app/app_state.h"
#include "app/commands.h"
#include "pickers/radio_pages.h"
#include "resources/command_ids.h"

// Opens the station page of a radio menu id in the default browser. The
// public broadcaster's pages pass no owner window; the station pages
// are owned by the main window.
void CmdRadio(AppState& app, const CommandContext& command) {
  const char* address = RadioAddress(command.id);
  if (address == nullptr) return;
  HWND owner = command.id >= IDM_RADIO_STATION_FIRST ? app.mainWindow : nullptr;
  ShellExecuteA(owner, nullptr, address, nullptr, nullptr, SW_SHOW);  // the shell's reaction is all the user gets
}
