#include "platform/system_library_win.h"

#include <shlwapi.h>

namespace {

// Loads one full path so that the library's own dependencies also come from
// its folder or the system folder, never from the current directory.
HMODULE LoadFullPath(const char* path) {
  HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    // Windows 7 without the update that brought the LOAD_LIBRARY_SEARCH flags.
    module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return module;
}

HMODULE LoadFromFolder(const char* folder, const char* fileName) {
  char path[MAX_PATH] = {};
  if (lstrlenA(folder) == 0 || lstrlenA(folder) >= MAX_PATH) return nullptr;
  lstrcpynA(path, folder, MAX_PATH);
  if (!PathAppendA(path, fileName)) return nullptr;  // too long for MAX_PATH
  return LoadFullPath(path);
}

}  // namespace

HMODULE LoadFromTrustedFolders(const char* fileName) {
  char programFolder[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, programFolder, MAX_PATH);
  if (length > 0 && length < MAX_PATH && PathRemoveFileSpecA(programFolder)) {
    if (HMODULE module = LoadFromFolder(programFolder, fileName)) return module;
  }
  return LoadFromSystemFolder(fileName);
}

HMODULE LoadFromSystemFolder(const char* fileName) {
  char systemFolder[MAX_PATH + 1] = {};
  UINT systemLength = GetSystemDirectoryA(systemFolder, MAX_PATH);
  if (systemLength > 0 && systemLength < MAX_PATH) return LoadFromFolder(systemFolder, fileName);
  return nullptr;
}

HMODULE LoadFromWindowsFolder(const char* fileName) {
  char windowsFolder[MAX_PATH + 1] = {};
  UINT length = GetSystemWindowsDirectoryA(windowsFolder, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return LoadFromFolder(windowsFolder, fileName);
  return nullptr;
}
