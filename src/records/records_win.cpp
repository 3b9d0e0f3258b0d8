// Both logs share one private-profile layout, 50 keys per section, key i
// holding the entry at list position i (0 = top):
//
//   [FilePath]
//   FilePath0=C:\ProgramData\Velmora\Hopdeck\Lnk\メモ帳.lnk
//   FilePath1=https://www.example.com/
//   ...
//   FilePath49=
//   [FileName]
//   FileName0=メモ帳
//   ...
//
// A save writes all 100 keys, empty entries as "key=", and never deletes a
// key or section, so whatever else a user put in the file stays. It is all or
// nothing: the keys are written into a copy that then replaces the file.
#include "records/records_win.h"

#include "platform/files_win.h"
#include "platform/sjis.h"
#include "records/record_log.h"
#include "records/record_texts.h"
#include "resources/resource.h"

#include <utility>

namespace {

// Read with room to spare, then cut on a character boundary: the API itself
// would cut a long value in the middle of a double-byte character.
constexpr DWORD kReadBytes = 2048;

std::string ReadKey(const std::string& file, const char* section, int index) {
  char value[kReadBytes] = {};
  GetPrivateProfileStringA(section, RecordKeyName(section, index).c_str(), "", value, kReadBytes, file.c_str());
  value[kReadBytes - 1] = '\0';
  return SjisCut(value, kPathTextBytes);
}

bool WriteKey(const std::string& file, const char* section, int index, const std::string& value) {
  return WritePrivateProfileStringA(section, RecordKeyName(section, index).c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

}  // namespace

std::string LogFilePath(const std::string& dataFolder, const RecordLog& log) {
  return dataFolder + "\\" + log.fileName;
}

void LoadLog(const std::string& dataFolder, RecordLog& log) { (void)LoadLogToChange(dataFolder, log); }

// The profile functions give "" for every key of a file they cannot open, so
// a file held by another program would read as an empty log, and a save
// after it would empty the file.
bool LoadLogToChange(const std::string& dataFolder, RecordLog& log) {
  std::string file = LogFilePath(dataFolder, log);
  const bool readable = WaitUntilReadable(file);
  for (int i = 0; i < kRecordSlots; ++i) log.entries[i].filePath = ReadKey(file, kFilePathSection, i);
  for (int i = 0; i < kRecordSlots; ++i) log.entries[i].fileName = ReadKey(file, kFileNameSection, i);
  return readable;
}

// The keys go into a copy of the file, which then replaces it: a log that
// cannot be written (read-only, or held open by another program) stays whole
// as it was, rather than half old and half new.
bool SaveLog(const std::string& dataFolder, const RecordLog& log) {
  std::string file = LogFilePath(dataFolder, log);
  return ReplaceFileWith(file, [&](const std::string& pending) {
    if (!StartFromCopy(file, pending)) return false;
    for (int i = 0; i < kRecordSlots; ++i) {
      if (!WriteKey(pending, kFilePathSection, i, log.entries[i].filePath)) return false;
    }
    for (int i = 0; i < kRecordSlots; ++i) {
      if (!WriteKey(pending, kFileNameSection, i, log.entries[i].fileName)) return false;
    }
    return true;
  });
}

bool RecordLaunch(const std::string& dataFolder, RecordLog& history, const std::string& path,
                  const std::string& name) {
  // Copies first: a caller may pass the fields of a history entry itself,
  // and the reload below replaces them.
  std::string pathCopy = path;
  std::string nameCopy = name;
  if (pathCopy.empty()) return true;  // nothing to find again; it would hide the history
  if (!LoadLogToChange(dataFolder, history)) return false;
  if (!RecordAtTop(history, std::move(pathCopy), std::move(nameCopy))) return true;
  if (SaveLog(dataFolder, history)) return true;
  LoadLog(dataFolder, history);  // the memory copy follows the file, which is as it was
  return false;
}

void FillRecordList(HWND dialog, const RecordLog& log) {
  HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  int count = ListedCount(log);
  for (int i = 0; i < count; ++i) {
    std::string line = FormatRecordLine(log.entries[i]);
    SendMessageA(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(line.c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
}
