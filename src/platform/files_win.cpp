#include "platform/files_win.h"

#include <windows.h>
#include <shlwapi.h>

#include "platform/pending_name.h"
#include "platform/sjis.h"
#include "platform/win_handles.h"

namespace {

std::string FolderOf(const std::string& path) {
  const char* name = PathFindFileNameA(path.c_str());  // DBCS-aware: a trail byte 5C is no separator
  std::size_t length = static_cast<std::size_t>(name - path.c_str());
  return path.substr(0, length > 0 ? length - 1 : 0);
}

}  // namespace

std::string ContainingFolder(const std::string& path) {
  char folder[kPathBytes] = {};
  CopyToField(folder, sizeof folder, path);
  PathRemoveFileSpecA(folder);
  return folder;
}

namespace {

// A name never used before by this process. Unique names matter: the
// profile functions may keep a copy of a file they wrote and would take it
// for the content of a new file of the same name.
std::string PendingPathBeside(const std::string& path) {
  static unsigned counter = 0;
  return FolderOf(path) + "\\" + PendingFileName(GetCurrentProcessId(), ++counter);
}

}  // namespace

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool RetryWhileHeld(const std::function<bool()>& step) {
  for (int attempt = 1;; ++attempt) {
    if (step()) return true;
    DWORD error = GetLastError();
    bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
                error == ERROR_USER_MAPPED_FILE;
    if (!held || attempt >= kHeldFileTries) {
      SetLastError(error);
      return false;
    }
    Sleep(kHeldFileRetryMs);
  }
}

bool DeleteOwnFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  // Read-only is the user's word that the file stays; no wait changes that.
  if (attributes & FILE_ATTRIBUTE_READONLY) return false;
  return RetryWhileHeld([&] {
    if (DeleteFileA(path.c_str())) return true;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return true;  // gone meanwhile
    SetLastError(error);
    return false;
  });
}

bool MoveOwnFile(const std::string& from, const std::string& to) {
  return RetryWhileHeld([&] {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  });
}

bool WaitUntilReadable(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  return RetryWhileHeld([&] {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(file);
  });
}

namespace {

// The written bytes reach the disk before the file takes the place of a good
// one: after a power cut the name must not lead to an empty or torn file.
bool FlushToDisk(const std::string& path) {
  return RetryWhileHeld([&] {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    return FlushFileBuffers(file.get()) != FALSE;
  });
}

}  // namespace

bool ReplaceFileWith(const std::string& path, const std::function<bool(const std::string& pending)>& write) {
  // Windows refuses to move a file over a read-only one; Wine does not. The
  // attribute is the user's word that the file is to stay as it is.
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  std::string pending = PendingPathBeside(path);
  DeleteFileA(pending.c_str());  // left by a crashed run with the same process id, if ever
  // A write that did not complete, or did not reach the disk, never replaces the file.
  if (!write(pending) || !FileExists(pending) || !FlushToDisk(pending) || !MoveOwnFile(pending, path)) {
    (void)DeleteOwnFile(pending);  // one that cannot go now goes at the next start
    return false;
  }
  return true;
}

bool StartFromCopy(const std::string& path, const std::string& pending) {
  if (!FileExists(path)) return true;
  if (!RetryWhileHeld([&] { return CopyFileA(path.c_str(), pending.c_str(), FALSE) != FALSE; })) return false;
  // A read-only original must not make its successor unwritable; whether the
  // original may be replaced is the move's question.
  SetFileAttributesA(pending.c_str(), FILE_ATTRIBUTE_NORMAL);
  return true;
}

void RemovePendingFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  UniqueFindHandle listing(FindFirstFileA((folder + "\\hopdeck-*.tmp").c_str(), &found));
  if (!listing) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!IsPendingFileName(found.cFileName)) continue;  // an 8.3 match, or a name of the user's
    DeleteFileA((folder + "\\" + found.cFileName).c_str());  // one that cannot go now may go next time
  } while (FindNextFileA(listing.get(), &found));
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                         got != bytes.size())) {
    return std::nullopt;
  }
  return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
  return written == bytes.size();
}

std::string CurrentFolder() {
  char current[MAX_PATH + 1] = {};
  DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
  return (length > 0 && length < MAX_PATH) ? std::string(current, length) : std::string();
}

std::optional<std::string> ExactAnsiText(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int units = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr, 0, nullptr, &usedDefault);
  if (bytes <= 0 || usedDefault) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, narrow.data(), bytes, nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  // The flags are not honoured by every code page's converter: only the way
  // back proves the text survives.
  int back = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), bytes, nullptr, 0);
  if (back != units) return std::nullopt;
  std::wstring again(static_cast<std::size_t>(back), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), bytes, again.data(), back);
  if (again != wide) return std::nullopt;
  return narrow;
}

std::string LossyAnsiText(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int units = static_cast<int>(wide.size());
  int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), units, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}
