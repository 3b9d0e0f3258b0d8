// The history and favourites logs on disk ("history.log", "BookMark.log" in
// the DataFolder), read and written through the private-profile functions.
#pragma once
#include <windows.h>

#include <string>

struct RecordLog;

// The log's file: the DataFolder followed by "\history.log" or "\BookMark.log".
std::string LogFilePath(const std::string& dataFolder, const RecordLog& log);

void LoadLog(const std::string& dataFolder, RecordLog& log);
// The same before a change that is to be saved, waiting out a moment's hold
// on the file: false when the file is there but could not be read, so the
// log must not be saved.
[[nodiscard]] bool LoadLogToChange(const std::string& dataFolder, RecordLog& log);
// False when the file could not be written; it is then as it was.
[[nodiscard]] bool SaveLog(const std::string& dataFolder, const RecordLog& log);

// Records one launch at the top of history: reloads it from its file in
// dataFolder, moves or adds the entry and saves it. False when the entry
// could not be written (the file is then as it was).
[[nodiscard]] bool RecordLaunch(const std::string& dataFolder, RecordLog& history, const std::string& path,
                  const std::string& name);

// Fills list box 101 of dialog with the log's lines and selects line 0.
void FillRecordList(HWND dialog, const RecordLog& log);
