// Left and Right kept from the pickers' list boxes, which move only up and
// down. The main lists are not subclassed: the message loop drops the two
// keys for them, since under Wine a subclass costs a lookup on every message.
#pragma once
#include <windows.h>

// Puts KeyFilter in front of a list box: Left and Right never move its selection.
void InstallKeyFilter(HWND listBox);
