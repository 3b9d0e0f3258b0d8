#include "speech/speech_win.h"

#include "app/app_state.h"

void SpeakText(const AppState& app, std::string_view text, unsigned delayMs) {}
