// Hands short texts to the user's screen reader.
#pragma once
#include <string_view>

struct AppState;

// Speaks text through the engine of app.settings.speechEngine: 0 none,
// 1 PC-Talker, 2 NVDA. delayMs: PC-Talker pauses the caller afterwards; NVDA
// speaks after the delay on a thread of its own.
void SpeakText(const AppState& app, std::string_view text, unsigned delayMs);
