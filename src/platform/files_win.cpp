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

bool ReplaceFileWith(const std::string& path, const std::function<bool(const std::string& pending)>& write) {
  // Windows refuses to move a file over a read-only one; Wine does not. The
  // attribute is the user's word that the file is to stay as it is.
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  std::string pending = PendingPathBeside(path);
  DeleteFileA(pending.c_str());  // left by a crashed run with the same process id, if ever
  if (!write(pending) || !FileExists(pending)) {
    DeleteFileA(pending.c_str());
    return false;
  }
  if (!MoveFileExA(pending.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(pending.c_str());
    return false;
  }
  return true;
}

bool StartFromCopy(const std::string& path, const std::string& pending) {
  if (!FileExists(path)) return true;
  if (!CopyFileA(path.c_str(), pending.c_str(), FALSE)) return false;
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
