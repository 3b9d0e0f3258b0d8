#include "platform/file_dialog_win.h"

#include "platform/files_win.h"
#include "platform/system_library_win.h"

// OFN_NOCHANGEDIR does not hold for the open dialog on every Windows, and a
// current directory left wherever the user browsed would be where the shell
// next looks for a bare name: the folder is put back by hand as well.
bool ShowOpenFileDialog(OPENFILENAMEA& dialog) {
  static const auto open =
      LibraryFunction<decltype(&GetOpenFileNameA)>(LoadFromSystemFolder("comdlg32.dll"), "GetOpenFileNameA");
  if (open == nullptr) return false;
  dialog.Flags |= OFN_NOCHANGEDIR;
  std::string current = CurrentFolder();
  bool chosen = open(&dialog) != FALSE;
  if (!current.empty()) SetCurrentDirectoryA(current.c_str());  // failed: the folder went away meanwhile
  return chosen;
}
