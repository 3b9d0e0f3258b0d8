#include "support/support.h"

namespace test_support {

std::wstring Widen(const std::string& ansi) {
  if (ansi.empty()) return {};
  int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), size);
  return text;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size();
  return CloseHandle(file) && whole;
}

void RemoveTree(const std::wstring& folder) {
  DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(folder.c_str());
    return;
  }
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTree(path);
      } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(path.c_str());
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(folder.c_str());
}

std::vector<std::wstring> FileNames(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileW(pattern.c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(listing, &found));
  FindClose(listing);
  return names;
}

std::vector<std::string> FileNames(const std::string& pattern) {
  std::vector<std::string> names;
  for (const std::wstring& name : FileNames(Widen(pattern))) names.push_back(Narrow(name));
  return names;
}

std::wstring BuildDir() {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"HD_BUILD_DIR", value, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring path = value;
  if (path[0] == L'/') path = L"Z:" + path;  // a Unix path under Wine
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::string BuildDirAnsi() { return Narrow(BuildDir()); }

ScratchFolder::ScratchFolder() {
  static int counter = 0;
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "hd-scratch-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

OwnedProcess::OwnedProcess(OwnedProcess&& other) noexcept : handle_(other.handle_), id_(other.id_) {
  other.handle_ = nullptr;
  other.id_ = 0;
}

OwnedProcess& OwnedProcess::operator=(OwnedProcess&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    id_ = other.id_;
    other.handle_ = nullptr;
    other.id_ = 0;
  }
  return *this;
}

bool OwnedProcess::running() const { return handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> OwnedProcess::WaitForExit(int timeoutMs) const {
  if (handle_ == nullptr) return std::nullopt;
  if (WaitForSingleObject(handle_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(handle_, &code);
  return code;
}

void OwnedProcess::Terminate() {
  if (handle_ == nullptr) return;
  if (running()) TerminateProcess(handle_, 1);
  WaitForSingleObject(handle_, 5000);
  Close();
}

void OwnedProcess::Close() {
  if (handle_ != nullptr) CloseHandle(handle_);
  handle_ = nullptr;
  id_ = 0;
}

OwnedProcess StartProcess(const std::wstring& exe, const std::wstring& commandLine, const std::wstring& currentDir,
                          DWORD flags) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::wstring line = commandLine;  // CreateProcessW may write into it
    if (CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                       currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info)) {
      CloseHandle(info.hThread);
      return OwnedProcess(info.hProcess, info.dwProcessId);
    }
    if (GetLastError() != ERROR_INTERNAL_ERROR) break;
  }
  return {};
}

}  // namespace test_support
