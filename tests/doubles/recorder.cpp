// Stands in for the browsers, the mailer and other programs the shell starts:
// appends its own command line (UTF-8) and current directory to the launch log.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(size - 1));
  return bytes;
}

}  // namespace

int main() {
  wchar_t logPath[MAX_PATH] = L"C:\\hdtest\\launches.log";
  GetEnvironmentVariableW(L"HD_LAUNCH_LOG", logPath, MAX_PATH);
  wchar_t directory[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, directory);
  std::string line = Utf8(GetCommandLineW()) + "\t" + Utf8(directory) + "\r\n";
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE file = CreateFileW(logPath, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return 0;
    }
    Sleep(20);  // another launch holds the log
  }
  return 1;
}
