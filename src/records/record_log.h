// The two 50-entry record logs: the history ("history.log") and the
// favourites ("BookMark.log"), and the operations on their memory copies.
// Loading and saving the files is records_win.h.
#pragma once
#include <array>
#include <cstddef>
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

// A list line, terminator included, and the longest spoken text of the
// favourite commands.
constexpr std::size_t kRecordLineBytes = 520;
constexpr std::size_t kRecordSpokenBytes = 261;

// Puts (path, name) at the top of a history. An entry with the same path
// (exact bytes; the highest index when several match) moves up; otherwise
// the oldest entry drops off. An empty path is refused (returns false).
[[nodiscard]] bool RecordAtTop(RecordLog& log, std::string path, std::string name);

// Inserts (path, name) at the top, dropping entry 49. No search.
void AddFavourite(RecordLog& log, std::string path, std::string name);

// Deletes entry index and closes the gap; entry 49 becomes empty.
void RemoveRecord(RecordLog& log, int index);

// Empties every entry.
void ClearLog(RecordLog& log);

// Whether some entry (empty ones included) has exactly this path.
bool LogHasPath(const RecordLog& log, const std::string& path);

// Number of entries before the first empty one: the lines a list shows.
int ListedCount(const RecordLog& log);

// "name - path", a leading "mailto:" left out, cut to fit a list line.
std::string FormatRecordLine(const RecordEntry& entry);

// Spoken texts of the add-favourite command, the name shortened so that the
// whole text fits kRecordSpokenBytes.
std::string FavouriteDuplicateText(const std::string& name);
std::string FavouriteAddedText(const std::string& name);
std::string FavouriteNoTargetText(const std::string& name);
std::string FavouriteNotSavedText(const std::string& name);

// Private-profile key of entry index in a section: "FilePath0" .. "FileName49".
std::string RecordKeyName(const char* section, int index);
