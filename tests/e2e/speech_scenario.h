// Shared by the speech scenarios: starting with a chosen engine and stand-in
// libraries, reading what reached each library, and the speech dialog.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace speech_e2e {

constexpr wchar_t kSpeechCaption[] = L"音声設定";
constexpr int kSpeechSettingsCommand = IDM_SPEECH_SETTINGS;
constexpr int kSpeakTimeCommand = IDM_SPEAK_TIME;
constexpr int kSpeakDateCommand = IDM_SPEAK_DATE;
constexpr int kSpeakSortOrderCommand = IDM_SPEAK_SORT_ORDER;  // "名前順" with a delay of 100 ms
constexpr int kShowProgramsCommand = IDM_SHOW_PROGRAMS;
constexpr int kShowUrlsCommand = IDM_SHOW_URLS;

// The calls of one function, in order.
inline std::vector<e2e::SpeechCall> CallsOf(const std::wstring& function) {
  std::vector<e2e::SpeechCall> calls;
  for (const e2e::SpeechCall& call : e2e::SpeechLog()) {
    if (call.function == function) calls.push_back(call);
  }
  return calls;
}

inline std::vector<std::wstring> TextsOf(const std::wstring& function) {
  std::vector<std::wstring> texts;
  for (const e2e::SpeechCall& call : CallsOf(function)) texts.push_back(call.text);
  return texts;
}

// Waits until function has been called at least count times.
inline bool WaitForCalls(const std::wstring& function, std::size_t count, int timeoutMs = 5000) {
  return e2e::WaitUntil([&] { return CallsOf(function).size() >= count; }, timeoutMs);
}

// Lets a command that should say nothing have its chance to say something,
// where what it might say goes out later on a thread of its own.
inline void GiveTimeToSpeak() { Sleep(800); }

// Returns once every command posted before has been handled: posted messages
// are handled in turn, so they are done once the speech dialog that a command
// posted after them opens is there. It says nothing and is cancelled. What
// PC-Talker and NVDA's braille are told is then all in the log (they are told
// on the window's thread), and so is a reader found not running.
inline ::testing::AssertionResult PostedCommandsHandled() {
  HWND dialog = e2e::OpenDialog(kSpeechSettingsCommand, kSpeechCaption);
  if (dialog == nullptr) return ::testing::AssertionFailure() << "the speech dialog did not open";
  e2e::ClickButton(dialog, IDCANCEL);
  if (!e2e::WaitForDialogGone(dialog)) return ::testing::AssertionFailure() << "the speech dialog stayed open";
  return ::testing::AssertionSuccess();
}

class SpeechScenario : public e2e::Scenario {
 protected:
  void TearDown() override {
    for (const wchar_t* name : setVariables_) SetEnvironmentVariableW(name, nullptr);
    e2e::Scenario::TearDown();
  }

  // Sets a variable the stand-ins read; Hopdeck inherits it when started.
  void SetDoubleEnvironment(const wchar_t* name, const wchar_t* value) {
    SetEnvironmentVariableW(name, value);
    setVariables_.push_back(name);
  }

  // Writes the speech engine before the first start, places the stand-ins and starts.
  void StartWith(int engine, bool pcTalker, Nvda nvda) {
    e2e::WriteDword(setting_value::kSpeechEngine, static_cast<DWORD>(engine));
    PlaceSpeechDoubles(pcTalker, nvda);
    Start();
  }

  // Opens the speech dialog through IDM_SPEECH_SETTINGS.
  HWND OpenSpeechDialog() { return e2e::OpenDialog(kSpeechSettingsCommand, kSpeechCaption); }

  // Chooses the three entries in the speech dialog and confirms with OK
  // (or leaves with CANCEL). -1 leaves a box as it is.
  bool ChooseInSpeechDialog(int engine, int dateFormat, int timeFormat, int button = IDOK) {
    HWND dialog = OpenSpeechDialog();
    if (dialog == nullptr) return false;
    const int choices[3][2] = {
        {IDC_SPEECH_ENGINE, engine}, {IDC_SPEECH_DATE, dateFormat}, {IDC_SPEECH_TIME, timeFormat}};
    for (const auto& choice : choices) {
      if (choice[1] >= 0) SendMessageW(GetDlgItem(dialog, choice[0]), CB_SETCURSEL, choice[1], 0);
    }
    e2e::ClickButton(dialog, button);
    return e2e::WaitForDialogGone(dialog);
  }

 private:
  std::vector<const wchar_t*> setVariables_;
};

}  // namespace speech_e2e
