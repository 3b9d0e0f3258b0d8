// The platform's file-open dialog, from the common dialogs' library. The
// library (and the printing libraries it brings) is loaded when the user
// first browses, not at every start.
#pragma once
#include <windows.h>
#include <commdlg.h>

// GetOpenFileNameA with dialog; false when it is cancelled, fails, or the
// library is missing. The current directory is as it was before.
[[nodiscard]] bool ShowOpenFileDialog(OPENFILENAMEA& dialog);
