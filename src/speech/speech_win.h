// Hands short texts to the user's screen reader.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The way texts reach the user: the engine setting (a SpeechEngineId) and the
// windows the user may be in, read afresh at each text. Whoever owns those
// values keeps them alive as long as the voice.
class Voice {
 public:
  Voice(const int& engine, const HWND& mainWindow, const HWND& openDialog)
      : engine_(engine), mainWindow_(mainWindow), openDialog_(openDialog) {}
  Voice(const Voice&) = delete;
  Voice& operator=(const Voice&) = delete;

  int Engine() const { return engine_; }
  // The window the user is in: the open dialog, else the main window.
  HWND Window() const { return openDialog_ != nullptr ? openDialog_ : mainWindow_; }
  HWND MainWindow() const { return mainWindow_; }

 private:
  const int& engine_;
  const HWND& mainWindow_;
  const HWND& openDialog_;
};

// Speaks text through the voice's engine. delayMs: PC-Talker pauses the
// caller afterwards; the other readers speak after the delay on a thread of
// their own.
void SpeakText(const Voice& voice, std::string_view text, unsigned delayMs);
// The same through engine, whatever the setting (the speech dialog's test).
void SpeakTextThrough(const Voice& voice, int engine, std::string_view text, unsigned delayMs);
// The reader "自動" speaks through now (a SpeechEngineId; kNoSpeech for none).
int FindRunningReader();
// Whether the reader SpeakText reaches now needs the text of an entry the
// program selected (see NeedsSelectionSpoken).
bool NeedsSelectionSpoken(const Voice& voice);

// The Shift-JIS text as every reader receives it: UTF-16, cut at 10239
// code units, the most NVDA's buffer holds.
std::wstring ToSpeechText(std::string_view text);
