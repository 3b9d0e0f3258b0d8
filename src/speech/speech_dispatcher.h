// Hands each text to the screen reader the user selected. The readers and the
// system (threads, sleeping, text conversion) sit behind small interfaces, so
// the order and timing of the calls can be checked with stand-ins.
#pragma once
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

// Settings.speechEngine; any other value means no speech.
enum SpeechEngineId : int {
  kNoSpeech = 0,
  kPcTalker = 1,
  kNvda = 2,
  kJaws = 3,
  kNarrator = 4,
  kSapi = 5,
  kAutomatic = 6,  // at each text, the first reader found running
};

// PC-Talker. Without its library or export it is never ready.
class PcTalkerEngine {
 public:
  virtual ~PcTalkerEngine() = default;
  virtual bool IsReady() = 0;
  virtual void Speak(const std::string& text) = 0;  // Shift-JIS
};

// NVDA. Without its library each call does nothing.
class NvdaEngine {
 public:
  virtual ~NvdaEngine() = default;
  // Whether NVDA answers; false without the library.
  virtual bool IsRunning() = 0;
  virtual void Braille(const std::wstring& text) = 0;
  virtual void Cancel() = 0;
  virtual void Speak(const std::wstring& text) = 0;
  // Whether IsSpeaking can be asked at all (the stock client cannot).
  virtual bool CanTellSpeaking() = 0;
  virtual bool IsSpeaking() = 0;
  // Whether NVDA runs while no client of it could be loaded: its texts then
  // go out as UI Automation notifications, which NVDA reads from the program
  // in front.
  virtual bool RunsWithoutClient() { return false; }
};

// The readers that speak from the one speech thread: JAWS and SAPI are COM
// objects that live there, and Narrator's notifications may take as long as
// their listeners do. Each is silent when missing or failing.
class JawsEngine {
 public:
  virtual ~JawsEngine() = default;
  // Asked on the calling thread: whether JAWS runs at all.
  virtual bool IsRunning() = 0;
  virtual void Speak(const std::wstring& text) = 0;  // cuts off what it was saying
  virtual void Stop() = 0;
};

class NarratorEngine {
 public:
  virtual ~NarratorEngine() = default;
  virtual void Notify(const std::wstring& text) = 0;
};

class SapiEngine {
 public:
  virtual ~SapiEngine() = default;
  virtual void Speak(const std::wstring& text) = 0;  // cuts off what it was saying
};

struct SpeechEngines {
  PcTalkerEngine& pcTalker;
  NvdaEngine& nvda;
  JawsEngine& jaws;
  NarratorEngine& narrator;
  SapiEngine& sapi;
};

// WaitForSpeech's timeout when nothing is waiting to be spoken.
constexpr unsigned kWaitForever = 0xFFFFFFFFu;

// What the dispatcher needs of the system.
class SpeechSystem {
 public:
  virtual ~SpeechSystem() = default;
  // The text as every reader takes it (UTF-16), cut to fit NVDA's buffer.
  virtual std::wstring ToSpeechText(std::string_view text) = 0;
  virtual void Sleep(unsigned ms) = 0;
  // Runs body on a new thread that nobody waits for; false if none started.
  [[nodiscard]] virtual bool StartThread(std::function<void()> body) = 0;
  // Whether a reader listening to notifications runs: Narrator, or another
  // reader the screen-reader flag announces while a notification listener is there.
  virtual bool ScreenReaderOn() = 0;
  // Milliseconds on a clock that never goes back.
  virtual unsigned long long NowMs() = 0;
  // The speech thread: started once, ready for COM objects before body runs.
  [[nodiscard]] virtual bool StartSpeechThread(std::function<void()> body) = 0;
  // On the speech thread: returns when woken or after timeoutMs (kWaitForever:
  // no timeout); false ends the thread.
  virtual bool WaitForSpeech(unsigned timeoutMs) = 0;
  virtual void WakeSpeechThread() = 0;
};

// NVDA is asked every kNvdaPollMs whether it has finished, at most
// kNvdaMaxPolls times, so every speech thread ends within a few seconds.
constexpr unsigned kNvdaPollMs = 10;
constexpr int kNvdaMaxPolls = 300;

class SpeechDispatcher {
 public:
  SpeechDispatcher(SpeechEngines engines, SpeechSystem& system);
  SpeechDispatcher(const SpeechDispatcher&) = delete;
  SpeechDispatcher& operator=(const SpeechDispatcher&) = delete;

  // Called on the user-interface thread only. PC-Talker: the caller pauses
  // delayMs after the text was handed over. NVDA: braille at once, speech on
  // a thread after delayMs. JAWS, Narrator, SAPI: the speech thread speaks
  // after delayMs. The caller never waits for a reader.
  void Speak(int engine, std::string_view text, unsigned delayMs);

  // The reader kAutomatic speaks through now: kPcTalker, kNvda, kJaws or
  // kNarrator, else kNoSpeech. SAPI is never chosen: it speaks whether or not
  // anybody listens.
  int FindRunningReader();

  // One turn of the speech thread: speaks the waiting text once it is due
  // and returns how long to wait before the next turn.
  unsigned ServeSpeechThread();

 private:
  void SpeakThrough(int engine, std::string_view text, unsigned delayMs, bool knownRunning);
  void RunNvdaSpeechThread(unsigned delayMs);
  void QueueForSpeechThread(int engine, std::string_view text, unsigned delayMs);

  SpeechEngines engines_;
  SpeechSystem& system_;

  // The newest NVDA text: rewritten by Speak, read by the speech threads.
  std::mutex textLock_;
  std::wstring newestText_;
  // Held by a speech thread from reading the text until NVDA has it, so the
  // text heard last is the newest one even when two threads wake together.
  std::mutex handOverLock_;

  // The one text waiting for the speech thread; a newer one replaces it.
  struct Pending {
    int engine = kNoSpeech;
    std::wstring text;
    unsigned long long dueMs = 0;
  };
  std::mutex pendingLock_;
  std::optional<Pending> pending_;
  bool speechThreadStarted_ = false;  // user-interface thread only
};

// Whether the reader of engine (found already when the setting is
// kAutomatic) must be told the text of an entry the program selects by
// itself, as find does: PC-Talker does not read such a change, and a SAPI
// voice reads nothing it is not given. NVDA, JAWS and Narrator follow the
// selection themselves.
constexpr bool NeedsSelectionSpoken(int engine) { return engine == kPcTalker || engine == kSapi; }

// What the speech dialog's test button says: chosen is the box's engine,
// found what FindRunningReader answered when chosen is kAutomatic. nullptr
// when kAutomatic found no reader: nothing could speak, so the dialog shows
// a message instead.
const char* SpeechTestText(int chosen, int found);
