// The speech dispatcher against stand-in readers. Threads are queued, not
// started, so each test decides when a speech thread's delay runs out; sleeps
// are recorded instead of taken, and the clock moves only when told.
#include "speech/speech_dispatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "speech/speech_texts.h"

namespace {

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += static_cast<char>(c);
  return narrow;
}

// Everything the readers and the system were asked, in order.
struct CallLog {
  std::vector<std::string> calls;
  void Add(const std::string& call) { calls.push_back(call); }
};

// What every stand-in holds: the log it writes its calls to.
class Logs {
 public:
  explicit Logs(CallLog& log) : log_(log) {}

 protected:
  // Logs a call with the text it was given.
  void Told(const char* call, const std::wstring& text) { log_.Add(std::string(call) + " " + Narrow(text)); }
  // Logs a question and gives the stand-in's answer.
  bool Answer(const char* call, bool answer) {
    log_.Add(call);
    return answer;
  }
  CallLog& log_;
};

class FakePcTalker final : public PcTalkerEngine, Logs {
 public:
  using Logs::Logs;
  bool IsReady() override { return Answer("8", ready); }
  void Speak(const std::string& text) override { log_.Add("69 " + text); }
  bool ready = true;
};

class FakeNvda final : public NvdaEngine, Logs {
 public:
  using Logs::Logs;
  bool IsRunning() override { return Answer("nvda?", running); }
  void Speak(const std::wstring& text) override { Told("speak", text); }
  void Braille(const std::wstring& text) override { Told("braille", text); }
  void Cancel() override { log_.Add("cancel"); }
  bool CanTellSpeaking() override { return hasIsSpeaking; }
  bool RunsWithoutClient() override { return withoutClient; }
  bool IsSpeaking() override {
    log_.Add("isSpeaking");
    if (neverSilent) return true;
    if (speakingPolls == 0) return false;
    --speakingPolls;
    return true;
  }
  bool running = true;
  bool withoutClient = false;
  bool hasIsSpeaking = true;
  bool neverSilent = false;
  int speakingPolls = 0;  // how many polls answer "still speaking"
};

class FakeJaws final : public JawsEngine, Logs {
 public:
  using Logs::Logs;
  bool IsRunning() override { return Answer("jaws?", running); }
  void Speak(const std::wstring& text) override { Told("jaws", text); }
  void Stop() override { log_.Add("jaws stop"); }
  bool running = true;
};

class FakeNarrator final : public NarratorEngine, Logs {
 public:
  using Logs::Logs;
  void Notify(const std::wstring& text) override { Told("notify", text); }
};

class FakeSapi final : public SapiEngine, Logs {
 public:
  using Logs::Logs;
  void Speak(const std::wstring& text) override { Told("sapi", text); }
};

class FakeSystem final : public SpeechSystem, Logs {
 public:
  using Logs::Logs;
  std::wstring ToSpeechText(std::string_view text) override { return std::wstring(text.begin(), text.end()); }
  void Sleep(unsigned ms) override {
    log_.Add("sleep " + std::to_string(ms));
    sleptMs += ms;
  }
  bool StartThread(std::function<void()> body) override {
    if (!threadsStart) return false;
    log_.Add("thread");
    pending.push_back(std::move(body));
    return true;
  }
  bool ScreenReaderOn() override { return Answer("flag?", screenReaderFlag); }
  unsigned long long NowMs() override { return nowMs; }
  // The speech thread's turns are taken by the test through ServeSpeechThread.
  bool StartSpeechThread(std::function<void()>) override {
    ++speechThreadsStarted;
    return true;
  }
  bool WaitForSpeech(unsigned) override { return false; }
  void WakeSpeechThread() override { ++wakes; }
  // Runs the index-th queued thread to its end, as if its delay ran out now.
  void RunThread(std::size_t index) { pending.at(index)(); }

  bool screenReaderFlag = false;
  unsigned long long nowMs = 1000;
  int speechThreadsStarted = 0;
  int wakes = 0;
  bool threadsStart = true;
  unsigned sleptMs = 0;
  std::vector<std::function<void()>> pending;
};

struct Rig {
  CallLog log;
  FakePcTalker pcTalker{log};
  FakeNvda nvda{log};
  FakeJaws jaws{log};
  FakeNarrator narrator{log};
  FakeSapi sapi{log};
  FakeSystem system{log};
  SpeechDispatcher dispatcher{{pcTalker, nvda, jaws, narrator, sapi}, system};
};

using Calls = std::vector<std::string>;

TEST(SpeechDispatcher, NoEngineTouchesNothing) {
  for (int engine : {0, 7, -1, 100}) {
    for (const char* text : {"", "hello"}) {
      Rig rig;
      rig.dispatcher.Speak(engine, text, 100);
      EXPECT_EQ(rig.log.calls, Calls{}) << "engine " << engine << " text '" << text << "'";
      EXPECT_TRUE(rig.system.pending.empty());
    }
  }
}

TEST(SpeechDispatcher, PcTalkerSpeaksThenHoldsTheCallerOnlyWhenReady) {
  struct Case {
    bool ready;
    unsigned delayMs;
    Calls expected;
  };
  const Case cases[] = {
      {true, 100, {"8", "69 hello", "sleep 100"}},
      {true, 0, {"8", "69 hello"}},
      {false, 100, {"8"}},  // not ready: nothing said, no delay
      {false, 0, {"8"}},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.pcTalker.ready = c.ready;
    rig.dispatcher.Speak(kPcTalker, "hello", c.delayMs);
    EXPECT_EQ(rig.log.calls, c.expected) << "ready " << c.ready << " delay " << c.delayMs;
    EXPECT_TRUE(rig.system.pending.empty());
  }
}

TEST(SpeechDispatcher, NvdaBraillesAtOnceAndSpeaksAfterTheDelayOnItsThread) {
  Rig rig;
  rig.dispatcher.Speak(kNvda, "hello", 100);
  // The caller returns after braille and starting the thread: no sleep of its own.
  EXPECT_EQ(rig.log.calls, (Calls{"braille hello", "thread"}));
  rig.system.RunThread(0);
  EXPECT_EQ(rig.log.calls, (Calls{"braille hello", "thread", "sleep 100", "cancel", "speak hello", "sleep 10",
                                  "isSpeaking"}));
}

TEST(SpeechDispatcher, NvdaEmptyTextCancelsAndSpeaksNothing) {
  Rig rig;
  rig.dispatcher.Speak(kNvda, "", 0);
  rig.system.RunThread(0);
  EXPECT_EQ(rig.log.calls, (Calls{"braille ", "thread", "cancel", "speak ", "sleep 10", "isSpeaking"}));
}

TEST(SpeechDispatcher, NvdaThreadSpeaksTheTextNewestWhenItsDelayRunsOut) {
  // A call with delay 100, then within 100 ms one with delay 0: the second
  // thread speaks at once, the first wakes later and speaks the second text
  // again; the first text is never spoken.
  Rig rig;
  rig.dispatcher.Speak(kNvda, "first", 100);
  rig.dispatcher.Speak(kNvda, "second", 0);
  rig.system.RunThread(1);
  rig.system.RunThread(0);
  EXPECT_EQ(rig.log.calls, (Calls{"braille first", "thread", "braille second", "thread",  //
                                  "cancel", "speak second", "sleep 10", "isSpeaking",     //
                                  "sleep 100", "cancel", "speak second", "sleep 10", "isSpeaking"}));

  // When the first delay runs out before the second call, each text is spoken once.
  Rig earlier;
  earlier.dispatcher.Speak(kNvda, "first", 100);
  earlier.system.RunThread(0);
  earlier.dispatcher.Speak(kNvda, "second", 0);
  earlier.system.RunThread(1);
  Calls spoken;
  for (const std::string& call : earlier.log.calls) {
    if (call.rfind("speak ", 0) == 0) spoken.push_back(call);
  }
  EXPECT_EQ(spoken, (Calls{"speak first", "speak second"}));
}

TEST(SpeechDispatcher, NvdaPollingEndsWhenSilentWithoutIsSpeakingOrAfterTheBound) {
  struct Case {
    const char* name;
    bool hasIsSpeaking;
    bool neverSilent;
    int speakingPolls;
    int expectedPolls;
  };
  const Case cases[] = {
      {"silent at once", true, false, 0, 1},
      {"speaks for three polls", true, false, 3, 4},
      {"no isSpeaking export", false, false, 0, 0},
      {"never falls silent", true, true, 0, kNvdaMaxPolls},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.nvda.hasIsSpeaking = c.hasIsSpeaking;
    rig.nvda.neverSilent = c.neverSilent;
    rig.nvda.speakingPolls = c.speakingPolls;
    rig.dispatcher.Speak(kNvda, "x", 0);
    rig.system.RunThread(0);
    int polls = static_cast<int>(std::count(rig.log.calls.begin(), rig.log.calls.end(), "isSpeaking"));
    EXPECT_EQ(polls, c.expectedPolls) << c.name;
    EXPECT_EQ(rig.system.sleptMs, static_cast<unsigned>(c.expectedPolls) * kNvdaPollMs) << c.name;
    EXPECT_EQ(rig.log.calls.back(), c.expectedPolls > 0 ? "isSpeaking" : "speak x") << c.name;
  }
  // The bound keeps a hung reader from holding a thread for more than a few seconds.
  EXPECT_LE(kNvdaMaxPolls * kNvdaPollMs, 5000u);
}

TEST(SpeechDispatcher, NvdaWithoutAThreadStillBrailles) {
  Rig rig;
  rig.system.threadsStart = false;
  rig.dispatcher.Speak(kNvda, "hello", 0);
  EXPECT_EQ(rig.log.calls, (Calls{"braille hello"}));
}

TEST(SpeechDispatcher, AutomaticSpeaksThroughTheFirstRunningReaderAndAsksNoFurther) {
  struct Case {
    bool pcTalker, nvda, jaws, flag;
    int found;
    Calls expected;  // Speak(kAutomatic, "hi", 0), then the speech thread's turn
    const char* testText;
  };
  const Case cases[] = {
      {true, true, true, true, kPcTalker, {"8", "69 hi"}, "PC-Talkerで読み上げています"},
      {false, true, true, true, kNvda, {"8", "nvda?", "braille hi", "thread"}, "NVDAで読み上げています"},
      {false, false, true, true, kJaws, {"8", "nvda?", "jaws?", "jaws hi"}, "JAWSで読み上げています"},
      {false, false, false, true, kNarrator, {"8", "nvda?", "jaws?", "flag?", "notify hi"},
       "ナレーターで読み上げています"},
      {false, false, false, false, kNoSpeech, {"8", "nvda?", "jaws?", "flag?"}, nullptr},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.pcTalker.ready = c.pcTalker;
    rig.nvda.running = c.nvda;
    rig.jaws.running = c.jaws;
    rig.system.screenReaderFlag = c.flag;
    rig.dispatcher.Speak(kAutomatic, "hi", 0);
    rig.dispatcher.ServeSpeechThread();
    EXPECT_EQ(rig.log.calls, c.expected) << "found " << c.found;
    EXPECT_EQ(rig.dispatcher.FindRunningReader(), c.found);
    const char* testText = SpeechTestText(kAutomatic, c.found);
    EXPECT_STREQ(testText, c.testText) << "found " << c.found;
  }
  // A chosen engine says the plain test text, found reader or not.
  for (int chosen : {kNoSpeech, kPcTalker, kNvda, kJaws, kNarrator, kSapi}) {
    EXPECT_STREQ(SpeechTestText(chosen, kNoSpeech), "音声のテストです") << chosen;
  }
  EXPECT_STREQ(SpeechTestText(kAutomatic, kSapi), nullptr);
  EXPECT_STREQ(kSpeechTestText, "\x89\xb9\x90\xba\x82\xcc\x83\x65\x83\x58\x83\x67\x82\xc5\x82\xb7");
}

TEST(SpeechDispatcher, NvdaWithoutItsClientIsNotifiedFromTheSpeechThread) {
  Rig rig;
  rig.nvda.withoutClient = true;
  rig.dispatcher.Speak(kNvda, "x", 0);
  EXPECT_EQ(rig.dispatcher.ServeSpeechThread(), 0u);
  EXPECT_EQ(rig.log.calls, (Calls{"notify x"})) << "no braille, and nothing said through the client";
}

TEST(SpeechDispatcher, SpeechThreadSpeaksOnlyTheNewestTextOnceItIsDue) {
  Rig rig;
  // Not running: JAWS is not even handed the text, and no thread starts for it.
  rig.jaws.running = false;
  rig.dispatcher.Speak(kJaws, "absent", 0);
  EXPECT_EQ(rig.system.speechThreadsStarted, 0);
  EXPECT_EQ(rig.dispatcher.ServeSpeechThread(), kWaitForever);
  rig.jaws.running = true;

  // Delay 100 then delay 0: the caller never waits, and only the newer text is said, at once.
  rig.dispatcher.Speak(kSapi, "first", 100);
  rig.dispatcher.Speak(kSapi, "second", 0);
  EXPECT_EQ(rig.dispatcher.ServeSpeechThread(), 0u);
  EXPECT_EQ(rig.dispatcher.ServeSpeechThread(), kWaitForever);

  // A delay is waited out on the speech thread, however its turns fall.
  rig.dispatcher.Speak(kJaws, "later", 100);
  EXPECT_EQ(rig.dispatcher.ServeSpeechThread(), 100u);
  rig.system.nowMs += 60;
  EXPECT_EQ(rig.dispatcher.ServeSpeechThread(), 40u);
  rig.system.nowMs += 40;
  rig.dispatcher.ServeSpeechThread();

  // Empty texts silence JAWS and SAPI; Narrator has nothing to announce.
  for (int engine : {kJaws, kNarrator, kSapi}) {
    rig.dispatcher.Speak(engine, "", 0);
    rig.dispatcher.ServeSpeechThread();
  }
  rig.dispatcher.Speak(kNarrator, "note", 0);
  rig.dispatcher.ServeSpeechThread();

  EXPECT_EQ(rig.log.calls, (Calls{"jaws?", "sapi second", "jaws?", "jaws later", "jaws?", "jaws stop", "sapi ",
                                  "notify note"}));
  EXPECT_EQ(rig.system.sleptMs, 0u) << "the caller was held up";
  EXPECT_EQ(rig.system.speechThreadsStarted, 1) << "one speech thread for every reader";
  EXPECT_EQ(rig.system.wakes, 7);

  // However long the delay, the thread waits for the text, not for a newer one.
  rig.dispatcher.Speak(kSapi, "far", kWaitForever);
  EXPECT_EQ(rig.dispatcher.ServeSpeechThread(), kWaitForever - 1);
}

// Real threads: the user-interface thread keeps rewriting the text while
// speech threads read it. Every text NVDA receives must be one that was
// written whole; a torn read shows as mixed letters or a wrong length.
class ThreadedNvda final : public NvdaEngine {
 public:
  bool IsRunning() override { return true; }
  void Braille(const std::wstring&) override {}
  void Cancel() override {}
  void Speak(const std::wstring& text) override {
    std::lock_guard<std::mutex> lock(mutex);
    spoken.push_back(text);
  }
  bool CanTellSpeaking() override { return false; }
  bool IsSpeaking() override { return false; }
  std::mutex mutex;
  std::vector<std::wstring> spoken;
};

class ThreadedSystem final : public SpeechSystem {
 public:
  std::wstring ToSpeechText(std::string_view text) override { return std::wstring(text.begin(), text.end()); }
  void Sleep(unsigned ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  bool StartThread(std::function<void()> body) override {
    threads.emplace_back(std::move(body));
    return true;
  }
  bool ScreenReaderOn() override { return false; }
  unsigned long long NowMs() override { return 0; }
  bool StartSpeechThread(std::function<void()>) override { return false; }
  bool WaitForSpeech(unsigned) override { return false; }
  void WakeSpeechThread() override {}
  std::deque<std::thread> threads;
};

TEST(SpeechDispatcher, SpeechThreadsNeverSeeAHalfWrittenText) {
  CallLog unused;
  FakePcTalker pcTalker(unused);
  ThreadedNvda nvda;
  FakeJaws jaws(unused);
  FakeNarrator narrator(unused);
  FakeSapi sapi(unused);
  ThreadedSystem system;
  SpeechDispatcher dispatcher({pcTalker, nvda, jaws, narrator, sapi}, system);
  constexpr int kCalls = 200;
  constexpr std::size_t kLength = 4000;
  // The letter tells the length: 'a' is kLength long, 'b' one more, and so on.
  auto textOf = [](int call) { return std::string(kLength + call % 26, static_cast<char>('a' + call % 26)); };
  for (int call = 0; call < kCalls; ++call) dispatcher.Speak(kNvda, textOf(call), call % 3);
  for (std::thread& thread : system.threads) thread.join();

  ASSERT_EQ(nvda.spoken.size(), static_cast<std::size_t>(kCalls));
  for (const std::wstring& text : nvda.spoken) {
    ASSERT_FALSE(text.empty());
    wchar_t letter = text[0];
    EXPECT_EQ(text.size(), kLength + static_cast<std::size_t>(letter - L'a')) << "torn text";
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), letter)), text.size()) << "mixed text";
  }
  // The newest text is heard.
  std::string newest = textOf(kCalls - 1);
  EXPECT_NE(std::find(nvda.spoken.begin(), nvda.spoken.end(), std::wstring(newest.begin(), newest.end())),
            nvda.spoken.end());
}

}  // namespace
