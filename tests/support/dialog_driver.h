// A dialog run in-process and driven as a user drives it: the dialog's modal
// loop runs on the test's thread while a driver thread types into its
// fields, presses its buttons and answers its message boxes. Texts are the
// ANSI code page's bytes, as the program's own dialogs take them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace dialog_driver {

// The control id of a message box's text.
inline constexpr int kMessageTextId = 0xFFFF;

// A visible dialog (class #32770) of this process with this caption, or with
// any caption when caption is null; null when there is none.
HWND FindOwnDialog(const char* caption);
// Waits for that dialog; adds a failure and gives null when none comes in time.
HWND Await(const char* caption, int timeoutMs = 5000);
// Waits until window is destroyed or hidden; false when it is still shown.
bool AwaitGone(HWND window, int timeoutMs = 5000);

void Type(HWND dialog, int id, const std::string& text);
std::string TextOf(HWND dialog, int id);
// Clicks the button as the user does: the dialog handles it in its own loop.
void Press(HWND dialog, int id);
// Answers the message box with this caption with button and waits until it
// has gone; its text, or "" when no such box came.
std::string Answer(const char* caption, int button);

// Runs open() on this thread while script drives the dialog captioned title
// from a thread of its own; open()'s result. Whatever the script leaves open
// is cancelled, so a failing case still ends.
bool Drive(const char* title, const std::function<bool()>& open, const std::function<void(HWND)>& script);

// Whether the keyboard focus of the thread uiThread comes to dialog's control
// id within timeoutMs.
bool FocusComesTo(DWORD uiThread, HWND dialog, int id, int timeoutMs = 2000);

}  // namespace dialog_driver
