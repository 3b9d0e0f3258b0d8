// SpeakText: the dispatcher wired to the screen readers, Win32 threads and
// the string library's conversion.
#include "speech/speech_win.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <new>
#include <utility>
#include <vector>

#include "platform/wide_text.h"
#include "platform/notification_window_win.h"
#include "platform/screen_readers_win.h"
#include "speech/speech_dispatcher.h"

namespace {

// NVDA's text buffer, the smallest of the readers': 10240 UTF-16 code units
// with the terminator.
constexpr std::size_t kSpeechTextUnits = 10240;

// The libraries are looked up on each call, so one is loaded only when its
// engine first speaks.
class PcTalkerEngineWin final : public PcTalkerEngine {
 public:
  bool IsReady() override { return PcTalkerLibrary::Instance().IsReady(); }
  void Speak(const std::string& text) override { PcTalkerLibrary::Instance().Speak(text.c_str()); }
};

class NvdaEngineWin final : public NvdaEngine {
 public:
  bool IsRunning() override { return NvdaControllerLibrary::Instance().IsRunning(); }
  void Braille(const std::wstring& text) override { NvdaControllerLibrary::Instance().BrailleMessage(text.c_str()); }
  void Cancel() override { NvdaControllerLibrary::Instance().CancelSpeech(); }
  void Speak(const std::wstring& text) override { NvdaControllerLibrary::Instance().SpeakText(text.c_str()); }
  bool CanTellSpeaking() override { return NvdaControllerLibrary::Instance().HasIsSpeaking(); }
  bool IsSpeaking() override { return NvdaControllerLibrary::Instance().IsSpeaking(); }
  // NVDA's main window has this class and title.
  bool RunsWithoutClient() override {
    return !NvdaControllerLibrary::Instance().HasClient() && FindWindowA("wxWindowClassNR", "NVDA") != nullptr;
  }
};

// Speak and Stop run on the speech thread only, where the object lives.
class JawsEngineWin final : public JawsEngine {
 public:
  bool IsRunning() override { return JawsApi::IsRunning(); }
  // A text JAWS refuses twice (SayString makes the object afresh once) is lost: there is no other voice to say so.
  void Speak(const std::wstring& text) override { (void)api_.SayString(text.c_str(), true); }
  void Stop() override { (void)api_.StopSpeech(); }  // refused: the next text follows the old one

 private:
  JawsApi api_;
};

// The notification belongs to the window the user is in: the open dialog,
// else the main window, as SpeakText last saw them. A dialog closed before
// the text is raised leaves it to the main window.
class NarratorEngineWin final : public NarratorEngine {
 public:
  void SetWindows(HWND window, HWND mainWindow) {
    window_ = window;
    mainWindow_ = mainWindow;
  }
  void Notify(const std::wstring& text) override { (void)RaiseNotification(window_, mainWindow_, text.c_str()); }  // unheard: lost

 private:
  std::atomic<HWND> window_{nullptr};
  std::atomic<HWND> mainWindow_{nullptr};
};

class SapiEngineWin final : public SapiEngine {
 public:
  void Speak(const std::wstring& text) override { (void)voice_.Speak(text.c_str()); }  // refused: the text is lost

 private:
  SapiVoice voice_;
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

// COM is initialised once for the speech thread's whole life and never
// uninitialised: the objects made there live until the process ends. An
// apartment thread, since the readers' objects expect one, and so it also
// dispatches window messages while it waits.
DWORD WINAPI SpeechThreadStart(void* parameter) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // failed: the COM readers stay silent
  return ThreadStart(parameter);
}

bool StartOwnedThread(LPTHREAD_START_ROUTINE start, std::function<void()> body) {
  auto* owned = new (std::nothrow) std::function<void()>(std::move(body));
  if (owned == nullptr) return false;
  HANDLE thread = CreateThread(nullptr, 0, start, owned, 0, nullptr);
  if (thread == nullptr) {
    delete owned;
    return false;
  }
  CloseHandle(thread);  // nobody waits for a speech thread
  return true;
}

class SpeechSystemWin final : public SpeechSystem {
 public:
  std::wstring ToSpeechText(std::string_view text) override { return ::ToSpeechText(text); }
  void Sleep(unsigned ms) override { ::Sleep(ms); }
  bool StartThread(std::function<void()> body) override { return StartOwnedThread(ThreadStart, std::move(body)); }
  // Narrator sets no screen-reader flag; and the flag alone is no reader: it
  // outlives a reader that crashed, and tools set it and forget it.
  bool ScreenReaderOn() override {
    if (NarratorIsRunning()) return true;
    BOOL on = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENREADER, 0, &on, 0) || !on) return false;
    return UiAutomationLibrary::Instance().ClientsAreListening();
  }
  unsigned long long NowMs() override { return GetTickCount64(); }
  bool StartSpeechThread(std::function<void()> body) override {
    if (wake_ == nullptr) wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);  // auto-reset
    if (wake_ == nullptr) return false;
    return StartOwnedThread(SpeechThreadStart, std::move(body));
  }
  bool WaitForSpeech(unsigned timeoutMs) override {
    HANDLE wake = wake_;
    MsgWaitForMultipleObjectsEx(1, &wake, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return true;
  }
  void WakeSpeechThread() override {
    if (wake_ != nullptr) SetEvent(wake_);
  }

 private:
  // Made before the speech thread starts and kept for the process's life.
  HANDLE wake_ = nullptr;
};

struct SpeechWiring {
  PcTalkerEngineWin pcTalker;
  NvdaEngineWin nvda;
  JawsEngineWin jaws;
  NarratorEngineWin narrator;
  SapiEngineWin sapi;
  SpeechSystemWin system;
  SpeechDispatcher dispatcher{{pcTalker, nvda, jaws, narrator, sapi}, system};
};

// Created on first use and never destroyed: speech threads still running
// while the process exits keep using it.
SpeechWiring& Speech() {
  static SpeechWiring* wiring = new SpeechWiring;
  return *wiring;
}

}  // namespace

std::wstring ToSpeechText(std::string_view text) {
  std::string terminated(text);
  std::vector<wchar_t> buffer(kSpeechTextUnits, L'\0');
  ConvertToUnicode(terminated.c_str(), buffer.data(), buffer.size());
  return std::wstring(buffer.data());
}

void SpeakText(const Voice& voice, std::string_view text, unsigned delayMs) {
  SpeakTextThrough(voice, voice.Engine(), text, delayMs);
}

void SpeakTextThrough(const Voice& voice, int engine, std::string_view text, unsigned delayMs) {
  SpeechWiring& speech = Speech();
  speech.narrator.SetWindows(voice.Window(), voice.MainWindow());
  speech.dispatcher.Speak(engine, text, delayMs);
}

int FindRunningReader() { return Speech().dispatcher.FindRunningReader(); }

bool NeedsSelectionSpoken(const Voice& voice) {
  int engine = voice.Engine();
  return NeedsSelectionSpoken(engine == kAutomatic ? FindRunningReader() : engine);
}
