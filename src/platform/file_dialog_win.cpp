#include "platform/file_dialog_win.h"

#include "platform/system_library_win.h"

bool ShowOpenFileDialog(OPENFILENAMEA& dialog) {
  static const auto open =
      LibraryFunction<decltype(&GetOpenFileNameA)>(LoadFromSystemFolder("comdlg32.dll"), "GetOpenFileNameA");
  return open != nullptr && open(&dialog);
}
