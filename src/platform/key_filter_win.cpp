#include "platform/key_filter_win.h"

#include "platform/common_controls_win.h"

namespace {

constexpr UINT_PTR kKeyFilterSubclassId = 1;

LRESULT CALLBACK KeyFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT)) return 0;
  if (message == WM_NCDESTROY) DropWindowSubclass(window, KeyFilter, id);
  return NextSubclassProc(window, message, wParam, lParam);
}

}  // namespace

// Refused, Left and Right move the selection as Up and Down do: nothing is lost.
void InstallKeyFilter(HWND listBox) { (void)AddWindowSubclass(listBox, KeyFilter, kKeyFilterSubclassId, 0); }
