// The common controls' subclass functions and class registration, taken from
// the library at their first use instead of being imported. An imported
// library starts before any of the program's own code runs; this one (its
// classes, its themes) costs a start tens of milliseconds there, which the
// start rather spends reading the item folder. The library is loaded by name,
// so the version the program's manifest asks for is the one found.
#pragma once
#include <windows.h>
#include <commctrl.h>

// SetWindowSubclass; false when the library or the function is missing.
[[nodiscard]] bool AddWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
// RemoveWindowSubclass.
void DropWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id);
// DefSubclassProc: what a subclass procedure passes a message on to.
LRESULT NextSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// InitCommonControlsEx: registers the classes of controls.
void InitControlClasses(DWORD classes);
