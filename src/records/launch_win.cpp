#include "records/launch_win.h"

#include <windows.h>
#include <shellapi.h>

#include "records/browser_dialog_win.h"
#include "records/records_win.h"

void ShellOpen(const char* verb, const std::string& target, const char* parameters, const char* folder) {
  ShellExecuteA(nullptr, verb, target.c_str(), parameters, folder, SW_SHOW);  // result not examined
}

void Launch(const std::string& dataFolder, RecordLog& history, const std::string& target, const std::string& name,
            const char* verb, const std::string& folder) {
  if (target.empty()) return;
  ShellOpen(verb, target, nullptr, folder.empty() ? nullptr : folder.c_str());
  RecordLaunch(dataFolder, history, target, name);
}

void LaunchWithBrowser(const std::string& dataFolder, RecordLog& history, int browser, const std::string& target,
                       const std::string& name) {
  if (target.empty() || !OpenUrlWithChosenBrowser(browser, target)) return;
  RecordLaunch(dataFolder, history, target, name);
}
