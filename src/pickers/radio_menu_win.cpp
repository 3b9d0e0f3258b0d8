#include "pickers/radio_menu_win.h"

#include <shellapi.h>

#include "pickers/radio_pages.h"
#include "resources/command_ids.h"

// The public broadcaster's pages pass no owner window; the station pages
// are owned by the main window.
void OpenRadioPage(int id, HWND mainWindow) {
  const char* address = RadioAddress(id);
  if (address == nullptr) return;
  HWND owner = id >= IDM_RADIO_STATION_FIRST ? mainWindow : nullptr;
  ShellExecuteA(owner, nullptr, address, nullptr, nullptr, SW_SHOW);  // the shell's reaction is all the user gets
}
