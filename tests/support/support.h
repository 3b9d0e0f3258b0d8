// What the in-process Win32 tests and the end-to-end scenarios share: plain
// file, folder and process handling. Paths are UTF-16; the narrow overloads
// take the ANSI code page's bytes, as the program's own functions do.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace test_support {

// ANSI code page bytes as UTF-16, and back.
std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& text);

// A whole file's bytes; empty when it cannot be read. Opened with every
// share mode, so a file another process holds open still reads.
std::string ReadWholeFile(const std::wstring& path);
// Replaces a file with bytes; false when it cannot be written.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
inline std::string ReadWholeFile(const std::string& path) { return ReadWholeFile(Widen(path)); }
inline bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  return WriteWholeFile(Widen(path), bytes);
}

// Removes a folder with everything in it, read-only files included (or a
// single file). Nothing happens when the path does not exist.
void RemoveTree(const std::wstring& folder);
inline void RemoveTree(const std::string& folder) { RemoveTree(Widen(folder)); }

// The names of the files (folders left out) that match pattern, such as
// "C:\\x\\*.lnk", in listing order; none when the folder does not exist.
std::vector<std::wstring> FileNames(const std::wstring& pattern);
std::vector<std::string> FileNames(const std::string& pattern);

// The build folder from HD_BUILD_DIR (ctest sets it), a Unix path shown as
// Wine's Z: drive. Empty when it is not set.
std::wstring BuildDir();
std::string BuildDirAnsi();

// A fresh folder of its own under the temp folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// The one owner of a process handle: closed when the owner goes.
class OwnedProcess {
 public:
  OwnedProcess() = default;
  OwnedProcess(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
  OwnedProcess(OwnedProcess&& other) noexcept;
  OwnedProcess& operator=(OwnedProcess&& other) noexcept;
  OwnedProcess(const OwnedProcess&) = delete;
  OwnedProcess& operator=(const OwnedProcess&) = delete;
  ~OwnedProcess() { Close(); }

  HANDLE handle() const { return handle_; }
  DWORD id() const { return id_; }
  bool started() const { return handle_ != nullptr; }
  bool running() const;
  // Exit code, or nullopt while it still runs after timeoutMs.
  std::optional<DWORD> WaitForExit(int timeoutMs = 5000) const;
  // Ends the process if it still runs, waits for it and lets the handle go.
  void Terminate();

 private:
  void Close();
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// Starts exe with a whole command line (exe's own quoted path first). Wine
// now and then refuses a start on a loaded machine as an internal error
// (1359), which says nothing of the program, so that is asked again a few
// times. Not started() on failure, with GetLastError() telling why.
OwnedProcess StartProcess(const std::wstring& exe, const std::wstring& commandLine,
                          const std::wstring& currentDir = L"", DWORD flags = 0);

}  // namespace test_support
