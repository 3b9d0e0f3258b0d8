#include "platform/common_controls_win.h"

#include "platform/system_library_win.h"

namespace {

HMODULE CommonControls() {
  // Kept for the whole run. The current directory is never searched
  // (SetDllDirectory at start), and the manifest's assembly is found first.
  static const HMODULE library = LoadLibraryA("comctl32.dll");
  return library;
}

template <typename Function>
Function CommonControlsFunction(const char* name) {
  return LibraryFunction<Function>(CommonControls(), name);
}

}  // namespace

bool AddWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  static const auto add = CommonControlsFunction<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR)>(
      "SetWindowSubclass");
  return add != nullptr && add(window, proc, id, data);
}

void DropWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
  static const auto drop = CommonControlsFunction<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR)>("RemoveWindowSubclass");
  if (drop != nullptr) drop(window, proc, id);
}

LRESULT NextSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const auto next = CommonControlsFunction<LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM)>("DefSubclassProc");
  // Only a subclass that was added calls this, so the function is there.
  return next != nullptr ? next(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

void InitControlClasses(DWORD classes) {
  static const auto init = CommonControlsFunction<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
  INITCOMMONCONTROLSEX controls{sizeof(controls), classes};
  if (init != nullptr) init(&controls);
}
