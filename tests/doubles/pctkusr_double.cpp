// Stands in for PC-Talker's user library: export 8 (status) and export 69
// (speak, cdecl, the caller removes the four arguments), by ordinal only.
// HD_PCTK_READY=0 makes the status say "not ready", and so does the file
// named by HD_PCTK_STOPPED_FILE while it exists.
#include "speech_double_log.h"

extern "C" int __cdecl DoubleStatus() {
  speech_double::Log("8", "");
  if (speech_double::FlagFileExists(L"HD_PCTK_STOPPED_FILE")) return 0;
  return speech_double::Environment(L"HD_PCTK_READY", L"1") == L"0" ? 0 : 1;
}

extern "C" int __cdecl DoubleSpeak(const char* text, int, int, int) {
  speech_double::Log("69", speech_double::Utf8FromShiftJis(text));
  return 1;
}
