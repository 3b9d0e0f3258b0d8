#include "support/dialog_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace dialog_driver {

namespace {

constexpr int kPollMs = 20;

}  // namespace

HWND FindOwnDialog(const char* caption) {
  struct Search {
    const char* caption;
    HWND found;
  } search{caption, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto* s = static_cast<Search*>(reinterpret_cast<void*>(data));
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[32] = {};
        GetClassNameA(window, className, sizeof(className));
        if (process != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) {
          return TRUE;
        }
        char text[256] = {};
        GetWindowTextA(window, text, sizeof(text));
        if (s->caption != nullptr && lstrcmpA(text, s->caption) != 0) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Await(const char* caption, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
    if (HWND found = FindOwnDialog(caption)) return found;
    Sleep(kPollMs);
  }
  ADD_FAILURE() << "no window " << caption;
  return nullptr;
}

bool AwaitGone(HWND window, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return true;
    Sleep(kPollMs);
  }
  return false;
}

void Type(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

std::string TextOf(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

void Press(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string Answer(const char* caption, int button) {
  HWND box = Await(caption);
  if (box == nullptr) return {};
  std::string text = TextOf(box, kMessageTextId);
  PostMessageA(box, WM_COMMAND, button, 0);
  AwaitGone(box);
  return text;
}

bool Drive(const char* title, const std::function<bool()>& open, const std::function<void(HWND)>& script) {
  std::atomic<bool> closed{false};
  std::thread driver([&] {
    if (HWND dialog = Await(title)) script(dialog);
    while (!closed) {
      if (HWND left = FindOwnDialog(nullptr)) PostMessageA(left, WM_COMMAND, IDCANCEL, 0);
      Sleep(50);
    }
  });
  bool result = open();
  closed = true;
  driver.join();
  return result;
}

bool FocusComesTo(DWORD uiThread, HWND dialog, int id, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(uiThread, &info);
    if (info.hwndFocus == GetDlgItem(dialog, id)) return true;
    Sleep(kPollMs);
  }
  return false;
}

}  // namespace dialog_driver
