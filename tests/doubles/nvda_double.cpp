// Stands in for NVDA's controller client. Every call succeeds (returns 0).
// HD_NVDA_SPEAKING_MS: isSpeaking answers 1 for that many milliseconds after
// the last speakText (default 0: never speaking). testIfRunning answers "not
// running" while the file named by HD_NVDA_STOPPED_FILE exists. Built as the
// clients NVDA has shipped (see the .def files and tests/doubles/CMakeLists.txt):
// with the zero-argument isSpeaking, without any, with the pointer form
// (HD_NVDA_POINTER_FORM: the answer written through its argument, 87 for a
// null pointer), and with the pointer form plus the zero-argument
// isSpeakingJp (HD_NVDA_JP).
#include <atomic>
#include <cstdlib>

#include "speech_double_log.h"

namespace {

std::atomic<long long> gLastSpeakAt{0};

}  // namespace

extern "C" unsigned long __stdcall nvdaController_speakText(const wchar_t* text) {
  gLastSpeakAt = speech_double::Now().QuadPart;
  speech_double::Log("speakText", speech_double::Utf8(text));
  return 0;
}

extern "C" unsigned long __stdcall nvdaController_cancelSpeech() {
  speech_double::Log("cancelSpeech", "");
  return 0;
}

extern "C" unsigned long __stdcall nvdaController_brailleMessage(const wchar_t* text) {
  speech_double::Log("brailleMessage", speech_double::Utf8(text));
  return 0;
}

namespace {

unsigned long SpeakingNow() {
  long long last = gLastSpeakAt;
  if (last == 0) return 0;
  double speakingMs = _wtof(speech_double::Environment(L"HD_NVDA_SPEAKING_MS", L"0").c_str());
  LARGE_INTEGER lastAt{};
  lastAt.QuadPart = last;
  return speech_double::MillisecondsSince(lastAt) < speakingMs ? 1 : 0;
}

}  // namespace

#if defined(HD_NVDA_POINTER_FORM)
// boolean is an unsigned char in the interface's own definition.
extern "C" unsigned long __stdcall nvdaController_isSpeaking(unsigned char* isSpeaking) {
  speech_double::Log("isSpeaking", isSpeaking == nullptr ? "null" : "pointer");
  if (isSpeaking == nullptr) return ERROR_INVALID_PARAMETER;
  *isSpeaking = static_cast<unsigned char>(SpeakingNow());
  return 0;
}
#else
extern "C" unsigned long __stdcall nvdaController_isSpeaking() {
  speech_double::Log("isSpeaking", "");
  return SpeakingNow();
}
#endif

#if defined(HD_NVDA_JP)
extern "C" unsigned long __stdcall nvdaController_isSpeakingJp() {
  speech_double::Log("isSpeakingJp", "");
  return SpeakingNow();
}
#endif

extern "C" unsigned long __stdcall nvdaController_testIfRunning() {
  speech_double::Log("testIfRunning", "");
  return speech_double::FlagFileExists(L"HD_NVDA_STOPPED_FILE") ? RPC_S_SERVER_UNAVAILABLE : 0;
}
