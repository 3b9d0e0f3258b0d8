// The running-applications picker "WindowDialog" and the task
// manager.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct DialogOwner;

// The picker lists at most this many windows, titles cut to this many bytes.
constexpr std::size_t kMaxRunningWindows = 30;
constexpr std::size_t kWindowTitleBytes = 255;

struct RunningWindow {
  HWND window;
  std::string title;
};

// The desktop's top-level windows that the picker lists, front to back: each
// visible, not a pop-up and titled, skipping `skip` (the main window).
std::vector<RunningWindow> CollectRunningWindows(HWND skip);

// Brings the owner window (the main window, never listed) forward, runs the
// picker modally, owned by it, and brings the chosen window forward.
void RunRunningAppsDialog(const DialogOwner& owner);

// Starts the task manager, owned by owner.
void OpenTaskManager(HWND owner);
