// Shared by the stand-ins. The launch recorder takes the text and file helpers;
// the screen-reader stand-ins also append one UTF-8 line per call to
// the file named by HD_SPEECH_LOG (default C:\hdtest\speech.log):
//   <ms since this DLL was loaded>\t<thread id>\t<function>\t<text>[\t<detail>]\r\n
// where detail, when given, tells how the text was to be spoken.
// A named mutex keeps lines whole even when both stand-ins and several
// threads write at once.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace speech_double {

inline LARGE_INTEGER Now() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now;
}

// Taken when the DLL's globals are initialised, that is when it is loaded.
inline const LARGE_INTEGER gLoadedAt = Now();

inline double MillisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(Now().QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline std::string Utf8(const wchar_t* text) {
  if (text == nullptr) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(size - 1));
  return bytes;
}

inline std::string Utf8FromShiftJis(const char* text) {
  if (text == nullptr) return {};
  int size = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
  if (size <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(932, 0, text, -1, wide.data(), size);
  return Utf8(wide.c_str());
}

// An environment variable, or fallback when it is not set.
inline std::wstring Environment(const wchar_t* name, const wchar_t* fallback) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return fallback;
  return value;
}

// Appends line to the file at path, opened with share; while the file cannot
// be opened, tries again every retryMs, 50 times at most. False when it never could.
inline bool AppendLine(const std::wstring& path, const std::string& line, DWORD share, DWORD retryMs) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return true;
    }
    Sleep(retryMs);
  }
  return false;
}

inline void Log(const char* function, const std::string& utf8Text, const std::string& detail = "") {
  char stamp[64];
  std::snprintf(stamp, sizeof(stamp), "%.3f\t%lu\t", MillisecondsSince(gLoadedAt),
                static_cast<unsigned long>(GetCurrentThreadId()));
  std::string line = std::string(stamp) + function + "\t" + utf8Text;
  if (!detail.empty()) line += "\t" + detail;
  line += "\r\n";
  std::wstring path = Environment(L"HD_SPEECH_LOG", L"C:\\hdtest\\speech.log");

  HANDLE lock = CreateMutexW(nullptr, FALSE, L"HdSpeechDoubleLog");
  if (lock != nullptr) WaitForSingleObject(lock, 5000);  // abandoned by a killed process: ours now
  // A reader may hold the log a moment without sharing it.
  AppendLine(path, line, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 10);
  if (lock != nullptr) {
    ReleaseMutex(lock);
    CloseHandle(lock);
  }
}

// A reader that answers slowly: HD_READER_ANSWER_MS milliseconds (default 0)
// pass before a speaking call returns, and then an "answered" line tells
// that it has.
inline void AnswerSlowly(const char* function) {
  int ms = _wtoi(Environment(L"HD_READER_ANSWER_MS", L"0").c_str());
  if (ms <= 0) return;
  Sleep(static_cast<DWORD>(ms));
  Log("answered", function);
}

// Whether the file named by the variable exists: a test makes a reader stop
// or start running while Hopdeck runs by creating or deleting it.
inline bool FlagFileExists(const wchar_t* variable) {
  std::wstring path = Environment(variable, L"");
  return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace speech_double
