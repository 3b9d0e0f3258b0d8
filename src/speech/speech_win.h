// Hands short texts to the user's screen reader.
#pragma once
#include <string>
#include <string_view>

struct AppState;

// Speaks text through the engine of app.settings.speechEngine: 0 none,
// 1 PC-Talker, 2 NVDA. delayMs: PC-Talker pauses the caller afterwards; NVDA
// speaks after the delay on a thread of its own.
void SpeakText(const AppState& app, std::string_view text, unsigned delayMs);

// The Shift-JIS text as NVDA receives it: UTF-16, cut at 10239 code units.
std::wstring ToNvdaText(std::string_view text);
