#include "records/record_log.h"

#include <string_view>
#include <utility>

#include "platform/sjis.h"
#include "records/record_texts.h"

namespace {

// Every field of a log holds at most 260 bytes, as the files do.
void PutEntry(RecordEntry& entry, std::string path, std::string name) {
  entry.filePath = SjisCut(path, kPathTextBytes);
  entry.fileName = SjisCut(name, kPathTextBytes);
}

// Moves entries 0 .. last-1 down by one place; entry last is overwritten.
void ShiftDown(RecordLog& log, int last) {
  for (int i = last; i > 0; --i) log.entries[i] = std::move(log.entries[i - 1]);
}

// name + suffix, with the name cut so that the text and its terminator fit
// kRecordSpokenBytes and the suffix is always heard whole.
std::string NameWithSuffix(const std::string& name, std::string_view suffix) {
  std::size_t room = kRecordSpokenBytes - 1 - suffix.size();
  return SjisCut(name, room) + std::string(suffix);
}

}  // namespace

bool RecordAtTop(RecordLog& log, std::string path, std::string name) {
  path = SjisCut(path, kPathTextBytes);
  // An empty path would read as an empty entry 0 and hide every later entry.
  if (path.empty()) return false;
  int match = kRecordSlots - 1;  // no match: the oldest entry drops off
  for (int i = kRecordSlots - 1; i >= 0; --i) {
    if (log.entries[i].filePath == path) {
      match = i;
      break;
    }
  }
  ShiftDown(log, match);
  PutEntry(log.entries[0], std::move(path), std::move(name));
  return true;
}

void AddFavourite(RecordLog& log, std::string path, std::string name) {
  ShiftDown(log, kRecordSlots - 1);
  PutEntry(log.entries[0], std::move(path), std::move(name));
}

void RemoveRecord(RecordLog& log, int index) {
  if (index < 0 || index >= kRecordSlots) return;
  for (int i = index; i < kRecordSlots - 1; ++i) log.entries[i] = std::move(log.entries[i + 1]);
  log.entries[kRecordSlots - 1] = RecordEntry{};
}

void ClearLog(RecordLog& log) {
  for (RecordEntry& entry : log.entries) entry = RecordEntry{};
}

bool LogHasPath(const RecordLog& log, const std::string& path) {
  for (const RecordEntry& entry : log.entries) {
    if (entry.filePath == path) return true;
  }
  return false;
}

int ListedCount(const RecordLog& log) {
  int count = 0;
  while (count < kRecordSlots && !log.entries[count].empty()) ++count;
  return count;
}

std::string FormatRecordLine(const RecordEntry& entry) {
  std::string_view path = entry.filePath;
  if (path.starts_with(kMailtoPrefix)) path.remove_prefix(sizeof kMailtoPrefix - 1);
  std::string line = entry.fileName;
  line += " - ";
  line += path;
  return SjisCut(line, kRecordLineBytes - 1);
}

std::string FavouriteDuplicateText(const std::string& name) {
  return NameWithSuffix(name, kFavouriteDuplicateSuffix);
}

std::string FavouriteAddedText(const std::string& name) { return NameWithSuffix(name, kFavouriteAddedSuffix); }

std::string FavouriteNoTargetText(const std::string& name) { return NameWithSuffix(name, kFavouriteNoTargetSuffix); }

std::string FavouriteNotSavedText(const std::string& name) { return NameWithSuffix(name, kFavouriteNotSavedSuffix); }

std::string RecordKeyName(const char* section, int index) { return section + std::to_string(index); }
