// Bringing a top-level window to the user.
#pragma once
#include <windows.h>

// Restores window when it is minimised, else brings it to the front.
void BringWindowForward(HWND window);
