// The history and favourites logs on disk ("history.log", "BookMark.log" in
// the DataFolder), read and written through the private-profile functions.
#pragma once
#include <string>

struct AppState;
struct RecordLog;

void LoadLog(const AppState& app, RecordLog& log);
void SaveLog(const AppState& app, const RecordLog& log);

// Records one launch at the top of the history and saves it.
void RecordLaunch(AppState& app, const std::string& path, const std::string& name);
