// Hands each text to the screen reader the user selected. The readers and the
// system (threads, sleeping, text conversion) sit behind small interfaces, so
// the order and timing of the calls can be checked with stand-ins.
#pragma once
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

// Settings.speechEngine; any other value means no speech.
enum SpeechEngineId : int { kNoSpeech = 0, kPcTalker = 1, kNvda = 2 };

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
  virtual void Braille(const std::wstring& text) = 0;
  virtual void Cancel() = 0;
  virtual void Speak(const std::wstring& text) = 0;
  // Whether IsSpeaking can be asked at all (the stock client cannot).
  virtual bool CanTellSpeaking() = 0;
  virtual bool IsSpeaking() = 0;
};

// What the dispatcher needs of the system.
class SpeechSystem {
 public:
  virtual ~SpeechSystem() = default;
  // The text as NVDA takes it (UTF-16), cut to fit NVDA's buffer.
  virtual std::wstring ToNvdaText(std::string_view text) = 0;
  virtual void Sleep(unsigned ms) = 0;
  // Runs body on a new thread that nobody waits for; false if none started.
  virtual bool StartThread(std::function<void()> body) = 0;
};

// NVDA is asked every kNvdaPollMs whether it has finished, at most
// kNvdaMaxPolls times, so every speech thread ends within a few seconds.
constexpr unsigned kNvdaPollMs = 10;
constexpr int kNvdaMaxPolls = 300;

class SpeechDispatcher {
 public:
  SpeechDispatcher(PcTalkerEngine& pcTalker, NvdaEngine& nvda, SpeechSystem& system);
  SpeechDispatcher(const SpeechDispatcher&) = delete;
  SpeechDispatcher& operator=(const SpeechDispatcher&) = delete;

  // Called on the user-interface thread only. PC-Talker: the caller pauses
  // delayMs after the text was handed over. NVDA: braille at once, speech on
  // a thread after delayMs; the caller never waits.
  void Speak(int engine, std::string_view text, unsigned delayMs);

 private:
  void RunNvdaSpeechThread(unsigned delayMs);

  PcTalkerEngine& pcTalker_;
  NvdaEngine& nvda_;
  SpeechSystem& system_;

  // The newest NVDA text: rewritten by Speak, read by the speech threads.
  std::mutex textLock_;
  std::wstring newestText_;
  // Held by a speech thread from reading the text until NVDA has it, so the
  // text heard last is the newest one even when two threads wake together.
  std::mutex handOverLock_;
};
