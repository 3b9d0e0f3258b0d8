// What every dialog does with its controls: read an edit's text within a
// byte limit, and move the focus to a control.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// The text of control id, cut to at most maxBytes without splitting a
// double-byte character; empty when it has none.
std::string DialogItemText(HWND dialog, int id, std::size_t maxBytes);

// Moves the focus to control id as the dialog manager does: an edit's text is
// selected, so typing replaces it, and the default button follows.
void FocusDialogControl(HWND dialog, int id);
