#include "app/app_state.h"
#include "app/command_table.h"
#include "app/commands.h"

// Opens the station page of a radio menu id in the default browser. The
// public broadcaster's ids (601..626) pass no owner window; the station pages
// (701..792) are owned by the main window.
void CmdRadio(AppState& app, const CommandContext& command) {
  const char* address = RadioAddress(command.id);
  if (address == nullptr) return;
  HWND owner = command.id >= 701 ? app.mainWindow : nullptr;
  ShellExecuteA(owner, nullptr, address, nullptr, nullptr, SW_SHOW);  // the shell's reaction is all the user gets
}
