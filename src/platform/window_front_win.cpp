#include "platform/window_front_win.h"

void BringWindowForward(HWND window) {
  if (IsIconic(window)) {
    OpenIcon(window);
  } else {
    SetForegroundWindow(window);
  }
}
