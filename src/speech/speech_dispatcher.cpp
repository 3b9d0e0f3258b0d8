#include "speech/speech_dispatcher.h"

#include <algorithm>
#include <utility>

#include "speech/speech_texts.h"

SpeechDispatcher::SpeechDispatcher(SpeechEngines engines, SpeechSystem& system) : engines_(engines), system_(system) {}

void SpeechDispatcher::Speak(int engine, std::string_view text, unsigned delayMs) {
  if (engine == kAutomatic) {
    SpeakThrough(FindRunningReader(), text, delayMs, true);
    return;
  }
  SpeakThrough(engine, text, delayMs, false);
}

// Asked in this order at every text, and no further than the first that
// runs: a reader started or closed since the last text is followed at once.
int SpeechDispatcher::FindRunningReader() {
  if (engines_.pcTalker.IsReady()) return kPcTalker;
  if (engines_.nvda.IsRunning()) return kNvda;
  if (engines_.jaws.IsRunning()) return kJaws;
  // Narrator, or another reader that listens to notifications.
  if (system_.ScreenReaderOn()) return kNarrator;
  return kNoSpeech;
}

// knownRunning: FindRunningReader has just asked the reader, so it is not
// asked twice for one text.
void SpeechDispatcher::SpeakThrough(int engine, std::string_view text, unsigned delayMs, bool knownRunning) {
  switch (engine) {
    case kPcTalker:
      // Not ready: silence, and the caller is not held up either.
      if (!knownRunning && !engines_.pcTalker.IsReady()) return;
      engines_.pcTalker.Speak(std::string(text));
      if (delayMs > 0) system_.Sleep(delayMs);
      return;
    case kNvda: {
      if (!knownRunning && engines_.nvda.RunsWithoutClient()) {
        QueueForSpeechThread(kNarrator, text, delayMs);
        return;
      }
      std::wstring converted = system_.ToSpeechText(text);
      engines_.nvda.Braille(converted);
      {
        std::lock_guard<std::mutex> lock(textLock_);
        newestText_ = std::move(converted);
      }
      // Without a thread the braille message was still shown; nothing is said.
      system_.StartThread([this, delayMs] { RunNvdaSpeechThread(delayMs); });
      return;
    }
    case kJaws:
      // Without JAWS its object is not even created.
      if (!knownRunning && !engines_.jaws.IsRunning()) return;
      QueueForSpeechThread(engine, text, delayMs);
      return;
    case kNarrator:
    case kSapi:
      QueueForSpeechThread(engine, text, delayMs);
      return;
    default:
      return;
  }
}

// Speaks whatever text is newest when the delay runs out, which need not be
// the text of the call that started this thread: a newer call's text replaces
// it, and this thread's cancel cuts off what earlier threads started.
void SpeechDispatcher::RunNvdaSpeechThread(unsigned delayMs) {
  if (delayMs > 0) system_.Sleep(delayMs);
  {
    std::lock_guard<std::mutex> handOver(handOverLock_);
    std::wstring text;
    {
      std::lock_guard<std::mutex> lock(textLock_);
      text = newestText_;
    }
    engines_.nvda.Cancel();
    engines_.nvda.Speak(text);
  }
  // The thread only waits for NVDA to fall silent; a reader that cannot be
  // asked, or never falls silent, must not keep the thread alive.
  if (!engines_.nvda.CanTellSpeaking()) return;
  for (int poll = 0; poll < kNvdaMaxPolls; ++poll) {
    system_.Sleep(kNvdaPollMs);
    if (!engines_.nvda.IsSpeaking()) return;
  }
}

// One slot, not a queue: a text still waiting when a newer one comes would
// only be cut off by it, so it is dropped and the newer one keeps its own
// delay. The speech thread is started with the first text; when it cannot
// be, the next text tries again.
void SpeechDispatcher::QueueForSpeechThread(int engine, std::string_view text, unsigned delayMs) {
  {
    std::lock_guard<std::mutex> lock(pendingLock_);
    pending_ = Pending{engine, system_.ToSpeechText(text), system_.NowMs() + delayMs};
  }
  if (!speechThreadStarted_) {
    speechThreadStarted_ = system_.StartSpeechThread([this] {
      for (unsigned waitMs = 0; system_.WaitForSpeech(waitMs);) waitMs = ServeSpeechThread();
    });
  }
  system_.WakeSpeechThread();
}

unsigned SpeechDispatcher::ServeSpeechThread() {
  Pending due;
  {
    std::lock_guard<std::mutex> lock(pendingLock_);
    if (!pending_) return kWaitForever;
    unsigned long long now = system_.NowMs();
    // Never kWaitForever itself, which would wait for a newer text instead.
    if (pending_->dueMs > now) return static_cast<unsigned>(std::min(pending_->dueMs - now, kWaitForever - 1ull));
    due = std::move(*pending_);
    pending_.reset();
  }
  // Outside the lock: a reader may take its time, and the caller must never
  // wait for it to hand over the next text.
  switch (due.engine) {
    case kJaws:
      // An empty text only silences, as NVDA's cancel does.
      if (due.text.empty()) {
        engines_.jaws.Stop();
      } else {
        engines_.jaws.Speak(due.text);
      }
      break;
    case kNarrator:
      if (!due.text.empty()) engines_.narrator.Notify(due.text);
      break;
    case kSapi:
      engines_.sapi.Speak(due.text);  // an empty text purges what it was saying
      break;
    default:
      break;
  }
  return 0;  // a newer text may have come meanwhile
}

const char* SpeechTestText(int chosen, int found) {
  if (chosen != kAutomatic) return kSpeechTestText;
  if (found >= kPcTalker && found <= kNarrator) return kFoundReaderTexts[found];
  return nullptr;
}
