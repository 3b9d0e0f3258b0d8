// Left and Right kept from list boxes: the main lists and the pickers move
// only up and down.
#pragma once
#include <windows.h>

// Puts KeyFilter in front of a list box: Left and Right never move its selection.
void InstallKeyFilter(HWND listBox);
