// SpeakText: the dispatcher wired to the two screen-reader libraries, Win32
// threads and the string library's conversion.
#include "speech/speech_win.h"

#include <windows.h>

#include <new>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "platform/hd_string.h"
#include "platform/screen_readers_win.h"
#include "speech/speech_dispatcher.h"

namespace {

// NVDA's text buffer: 10240 UTF-16 code units with the terminator.
constexpr std::size_t kNvdaTextUnits = 10240;

// The libraries are looked up on each call, so one is loaded only when its
// engine first speaks.
class PcTalkerEngineWin final : public PcTalkerEngine {
 public:
  bool IsReady() override { return PcTalkerLibrary::Instance().IsReady(); }
  void Speak(const std::string& text) override { PcTalkerLibrary::Instance().Speak(text.c_str()); }
};

class NvdaEngineWin final : public NvdaEngine {
 public:
  void Braille(const std::wstring& text) override { NvdaControllerLibrary::Instance().BrailleMessage(text.c_str()); }
  void Cancel() override { NvdaControllerLibrary::Instance().CancelSpeech(); }
  void Speak(const std::wstring& text) override { NvdaControllerLibrary::Instance().SpeakText(text.c_str()); }
  bool CanTellSpeaking() override { return NvdaControllerLibrary::Instance().HasIsSpeaking(); }
  bool IsSpeaking() override { return NvdaControllerLibrary::Instance().IsSpeaking(); }
};

DWORD WINAPI ThreadStart(void* parameter) {
  auto* body = static_cast<std::function<void()>*>(parameter);
  try {
    (*body)();
  } catch (...) {
    // Nothing may leave a thread procedure; a lost text is simply not spoken.
  }
  delete body;
  return 0;
}

class SpeechSystemWin final : public SpeechSystem {
 public:
  std::wstring ToNvdaText(std::string_view text) override { return ::ToNvdaText(text); }
  void Sleep(unsigned ms) override { ::Sleep(ms); }
  bool StartThread(std::function<void()> body) override {
    auto* owned = new (std::nothrow) std::function<void()>(std::move(body));
    if (owned == nullptr) return false;
    HANDLE thread = CreateThread(nullptr, 0, ThreadStart, owned, 0, nullptr);
    if (thread == nullptr) {
      delete owned;
      return false;
    }
    CloseHandle(thread);  // nobody waits for a speech thread
    return true;
  }
};

// Created on first use and never destroyed: speech threads still running
// while the process exits keep using it.
SpeechDispatcher& Dispatcher() {
  static SpeechDispatcher* dispatcher =
      new SpeechDispatcher(*new PcTalkerEngineWin, *new NvdaEngineWin, *new SpeechSystemWin);
  return *dispatcher;
}

}  // namespace

std::wstring ToNvdaText(std::string_view text) {
  std::string terminated(text);
  std::vector<wchar_t> buffer(kNvdaTextUnits, L'\0');
  ConvertToUnicode(terminated.c_str(), buffer.data(), buffer.size());
  return std::wstring(buffer.data());
}

void SpeakText(const AppState& app, std::string_view text, unsigned delayMs) {
  Dispatcher().Speak(app.settings.speechEngine, text, delayMs);
}
