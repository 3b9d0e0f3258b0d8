#include "speech/speech_dispatcher.h"

#include <utility>

SpeechDispatcher::SpeechDispatcher(PcTalkerEngine& pcTalker, NvdaEngine& nvda, SpeechSystem& system)
    : pcTalker_(pcTalker), nvda_(nvda), system_(system) {}

void SpeechDispatcher::Speak(int engine, std::string_view text, unsigned delayMs) {
  switch (engine) {
    case kPcTalker:
      // Not ready: silence, and the caller is not held up either.
      if (!pcTalker_.IsReady()) return;
      pcTalker_.Speak(std::string(text));
      if (delayMs > 0) system_.Sleep(delayMs);
      return;
    case kNvda: {
      std::wstring converted = system_.ToNvdaText(text);
      nvda_.Braille(converted);
      {
        std::lock_guard<std::mutex> lock(textLock_);
        newestText_ = std::move(converted);
      }
      // Without a thread the braille message was still shown; nothing is said.
      system_.StartThread([this, delayMs] { RunNvdaSpeechThread(delayMs); });
      return;
    }
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
    nvda_.Cancel();
    nvda_.Speak(text);
  }
  // The thread only waits for NVDA to fall silent; a reader that cannot be
  // asked, or never falls silent, must not keep the thread alive.
  if (!nvda_.CanTellSpeaking()) return;
  for (int poll = 0; poll < kNvdaMaxPolls; ++poll) {
    system_.Sleep(kNvdaPollMs);
    if (!nvda_.IsSpeaking()) return;
  }
}
