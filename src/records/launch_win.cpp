#include "records/launch_win.h"

#include <windows.h>
#include <shellapi.h>

#include "records/browser_dialog_win.h"
#include "records/record_texts.h"
#include "records/records_win.h"
#include "speech/speech_win.h"

namespace {

// Said after the launch, which did happen: the user must not count on
// finding it in the history.
void Record(const Voice& voice, const std::string& dataFolder, RecordLog& history, const std::string& target,
            const std::string& name) {
  if (!RecordLaunch(dataFolder, history, target, name)) SpeakText(voice, kHistoryNotRecordedText, 0);
}

}  // namespace

void ShellOpen(const char* verb, const std::string& target, const char* parameters, const char* folder) {
  ShellExecuteA(nullptr, verb, target.c_str(), parameters, folder, SW_SHOW);  // result not examined
}

void Launch(const Voice& voice, const std::string& dataFolder, RecordLog& history, const std::string& target,
            const std::string& name, const char* verb, const std::string& folder) {
  if (target.empty()) return;
  ShellOpen(verb, target, nullptr, folder.empty() ? nullptr : folder.c_str());
  Record(voice, dataFolder, history, target, name);
}

void LaunchWithBrowser(const Voice& voice, const std::string& dataFolder, RecordLog& history, int browser,
                       const std::string& target, const std::string& name) {
  if (target.empty() || !OpenUrlWithChosenBrowser(browser, target)) return;
  Record(voice, dataFolder, history, target, name);
}
