// The windows UI Automation notifications are raised from. Windows reads out
// a notification only from a shown window with a size, and from a pop-up
// window (every dialog) only when it answers WM_GETOBJECT itself; so the main
// window and every dialog get a 1x1 child that does.
#pragma once
#include <windows.h>

// Makes parent's notification window: a 1x1 child, shown, never activated,
// that answers WM_GETOBJECT(UiaRootObjectId) with its provider. Nothing is
// made when it cannot be; the provider is disconnected when the window goes.
// User-interface thread.
void CreateNotificationWindow(HWND parent);

// Raises text from the notification window of window, else from that of
// fallback (the dialog may have closed meanwhile), else from window itself.
// False when nothing was raised. Any thread.
[[nodiscard]] bool RaiseNotification(HWND window, HWND fallback, const wchar_t* text);
