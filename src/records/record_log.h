// The two 50-entry record logs: the history ("history.log") and the
// favourites ("BookMark.log").
#pragma once
#include <array>
#include <string>

struct RecordEntry {
  std::string filePath;  // launch target; the entry is empty when this is
  std::string fileName;  // display name
  bool empty() const { return filePath.empty(); }
};

constexpr int kRecordSlots = 50;

struct RecordLog {
  std::array<RecordEntry, kRecordSlots> entries;
  const char* fileName;  // "history.log" or "BookMark.log", in the DataFolder
};
