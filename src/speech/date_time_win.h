// Speaking the local time or date in the user's format.
#pragma once
#include "speech/speech_win.h"

// timeFormat, dateFormat: a TimeFormat or DateFormat; any other value says nothing.
void SpeakTime(const Voice& voice, int timeFormat);
void SpeakDate(const Voice& voice, int dateFormat);
