#include "records/records_win.h"

#include "app/app_state.h"

void LoadLog(const AppState& app, RecordLog& log) {}
void SaveLog(const AppState& app, const RecordLog& log) {}
void RecordLaunch(AppState& app, const std::string& path, const std::string& name) {}
