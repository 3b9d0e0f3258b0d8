// Libraries loaded at run time rather than imported: the screen readers'
// clients, and system libraries that only one rarely used command needs, so
// a start does not pay for loading them.
#pragma once
#include <windows.h>

// Loads fileName from the folder of the running program, else from the system
// folder. Never from the current directory (the data folder, which every user
// may write) nor from PATH. nullptr when neither folder holds it.
HMODULE LoadFromTrustedFolders(const char* fileName);
// Loads fileName from the system folder only; nullptr when it is not there.
HMODULE LoadFromSystemFolder(const char* fileName);
// Loads fileName from the Windows folder (GetSystemWindowsDirectory), which
// like the system folder only administrators may write; nullptr when it is not there.
HMODULE LoadFromWindowsFolder(const char* fileName);

// The export nameOrOrdinal of module as a Function; nullptr without the
// module or the export.
template <typename Function>
Function LibraryFunction(HMODULE module, const char* nameOrOrdinal) {
  if (module == nullptr) return nullptr;
  // Through void(*)() so the compiler accepts the cast between function types.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, nameOrOrdinal)));
}
