// Hands short texts to the user's screen reader.
#pragma once
#include <string>
#include <string_view>

struct AppState;

// Speaks text through the engine of app.settings.speechEngine (see
// SpeechEngineId). delayMs: PC-Talker pauses the caller afterwards; the
// other readers speak after the delay on a thread of their own.
void SpeakText(const AppState& app, std::string_view text, unsigned delayMs);
// The same through engine, whatever the setting (the speech dialog's test).
void SpeakTextThrough(const AppState& app, int engine, std::string_view text, unsigned delayMs);
// The reader "自動" speaks through now (a SpeechEngineId; kNoSpeech for none).
int FindRunningReader();
// Whether the reader SpeakText reaches now needs the text of an entry the
// program selected (see NeedsSelectionSpoken).
bool NeedsSelectionSpoken(const AppState& app);

// The Shift-JIS text as NVDA receives it: UTF-16, cut at 10239 code units.
std::wstring ToNvdaText(std::string_view text);
