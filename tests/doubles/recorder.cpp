// Stands in for the browsers, the mailer and other programs the shell starts:
// appends its own command line (UTF-8) and current directory to the launch log.
#include <windows.h>

#include <string>

#include "speech_double_log.h"

using speech_double::Utf8;

int main() {
  std::wstring logPath = speech_double::Environment(L"HD_LAUNCH_LOG", L"C:\\hdtest\\launches.log");
  wchar_t directory[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, directory);
  std::string line = Utf8(GetCommandLineW()) + "\t" + Utf8(directory) + "\r\n";
  // Opened without sharing, so launches at the same moment take turns.
  return speech_double::AppendLine(logPath, line, 0, 20) ? 0 : 1;
}
