#include "pickers/radio_menu_win.h"

#include "pickers/radio_pages.h"
#include "records/launch_win.h"

// The shell's box about a missing browser is owned by the main window.
void OpenRadioPage(int id, HWND mainWindow) {
  const char* address = RadioAddress(id);
  if (address == nullptr) return;
  ShellOpen(mainWindow, nullptr, address);  // the shell's reaction is all the user gets
}
