// What the launch, history and favourites scenarios share: items and logs
// planted before the start, the logs read back, the browsers told apart, and
// the speech double's timing.
#pragma once
#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "harness/harness.h"

namespace records_e2e {

struct Entry {
  std::wstring path, name;
  bool operator==(const Entry&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Entry& entry) {
  return out << "{" << e2e::ToSjis(entry.path) << " | " << e2e::ToSjis(entry.name) << "}";
}

// All 50 entries of a log file, or nothing while it is not whole. Parsed
// here rather than through the profile functions, which cache the file in
// this process and can miss a rewrite that lands within the same file-time
// tick. A missing file is an empty log.
inline std::optional<std::vector<Entry>> TryReadLog(const std::wstring& file) {
  std::vector<Entry> entries(50);
  if (!e2e::FileExists(file)) return entries;
  std::wstring text = e2e::FromSjis(e2e::ReadFileBytes(file));
  bool complete = false;
  std::wstring section;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) break;  // a last line without its line end: half written
    std::wstring line = text.substr(start, end - start);
    start = end + 2;
    if (!line.empty() && line.front() == L'[' && line.back() == L']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    std::size_t equals = line.find(L'=');
    if (equals == std::wstring::npos || line.compare(0, section.size(), section) != 0) continue;
    if (section != L"FilePath" && section != L"FileName") continue;
    std::wstring number = line.substr(section.size(), equals - section.size());
    if (number.empty() || number.size() > 2 || number.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    int index = std::stoi(number);
    if (index >= 50) continue;
    (section == L"FilePath" ? entries[index].path : entries[index].name) = line.substr(equals + 1);
    if (section == L"FileName" && index == 49) complete = true;
  }
  if (!complete) return std::nullopt;
  return entries;
}

inline std::vector<Entry> ReadLog(const std::wstring& file) {
  std::optional<std::vector<Entry>> entries;
  e2e::WaitUntil([&] { return (entries = TryReadLog(file)).has_value(); }, 3000);
  return entries.value_or(std::vector<Entry>(50));
}

// The filled entries before the first empty one.
inline std::vector<Entry> Listed(std::vector<Entry> entries) {
  std::size_t count = 0;
  while (count < entries.size() && !entries[count].path.empty()) ++count;
  entries.resize(count);
  return entries;
}

// Only where no save is under way: a file caught halfway through a save
// holds the new paths with the old names.
inline std::vector<Entry> ListedEntries(const std::wstring& file) { return Listed(ReadLog(file)); }

// Waits until the file holds exactly these listed entries. The way to check
// a log the program is saving: the shell may start a program before the
// launch is recorded, and no state halfway through a save equals the end.
inline ::testing::AssertionResult WaitForLog(const std::wstring& file, const std::vector<Entry>& expected) {
  std::optional<std::vector<Entry>> entries;
  if (e2e::WaitUntil([&] { return (entries = TryReadLog(file)) && Listed(*entries) == expected; })) {
    return ::testing::AssertionSuccess();
  }
  if (!entries) return ::testing::AssertionFailure() << "the log was never whole";
  ::testing::AssertionResult failure = ::testing::AssertionFailure() << "the log lists";
  for (const Entry& entry : Listed(*entries)) failure << " " << entry;
  return failure;
}

// The bytes of a log file as the program writes one (all 100 keys).
inline std::string LogBytes(const std::vector<Entry>& entries) {
  std::wstring text = L"[FilePath]\r\n";
  for (int i = 0; i < 50; ++i) {
    text += L"FilePath" + std::to_wstring(i) + L"=" + (i < static_cast<int>(entries.size()) ? entries[i].path : L"") +
            L"\r\n";
  }
  text += L"[FileName]\r\n";
  for (int i = 0; i < 50; ++i) {
    text += L"FileName" + std::to_wstring(i) + L"=" + (i < static_cast<int>(entries.size()) ? entries[i].name : L"") +
            L"\r\n";
  }
  return e2e::ToSjis(text);
}

inline void PlantLog(const std::wstring& file, const std::vector<Entry>& entries) {
  CreateDirectoryW(L"C:\\ProgramData\\Velmora", nullptr);
  CreateDirectoryW(e2e::kDataFolder, nullptr);
  e2e::WriteFileBytes(file, LogBytes(entries));
}

// A program item whose shortcut starts the launch recorder with arguments.
inline void PlantProgram(const std::wstring& name, const std::wstring& arguments) {
  e2e::PlantItem(e2e::ItemKind::kShortcut, name, L"C:\\hdtest\\recorder.exe", arguments);
}

// How long after its braille message NVDA was told to say the nth (0-based)
// occurrence of text: the delay SpeakText was given. -1 when not (yet) spoken.
inline double SpeechDelay(const std::wstring& text, int nth) {
  std::vector<double> shown, said;
  for (const e2e::SpeechCall& call : e2e::SpeechLog()) {
    if (call.text != text) continue;
    if (call.function == L"brailleMessage") shown.push_back(call.ms);
    if (call.function == L"speakText") said.push_back(call.ms);
  }
  if (nth >= static_cast<int>(shown.size()) || nth >= static_cast<int>(said.size())) return -1;
  return said[nth] - shown[nth];
}

// Each browser name resolves to a copy of the launch recorder of its own
// name (C:\hdtest\browsers\Chrome.exe, ...), so the command line it logs
// tells which one the shell started. Restores the shared registration after.
class BrowserCopies {
 public:
  BrowserCopies() {
    CreateDirectoryW(L"C:\\hdtest\\browsers", nullptr);
    for (const wchar_t* name : kNames) {
      std::wstring copy = std::wstring(L"C:\\hdtest\\browsers\\") + name + L".exe";
      CopyFileW(L"C:\\hdtest\\recorder.exe", copy.c_str(), FALSE);
      Register(name, copy);
    }
  }
  BrowserCopies(const BrowserCopies&) = delete;
  BrowserCopies& operator=(const BrowserCopies&) = delete;
  ~BrowserCopies() {
    for (const wchar_t* name : kNames) Register(name, L"C:\\hdtest\\recorder.exe");
  }

 private:
  static constexpr const wchar_t* kNames[] = {L"msedge", L"Firefox", L"Chrome"};
  static void Register(const std::wstring& name, const std::wstring& program) {
    for (const std::wstring& key : {name, name + L".exe"}) {
      HKEY handle = nullptr;
      std::wstring path = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + key;
      if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
          ERROR_SUCCESS) {
        continue;
      }
      RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(program.c_str()),
                     static_cast<DWORD>((program.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(handle);
    }
  }
};

// Entries "https://www.example.com/0" (name + "0") upwards.
inline std::vector<Entry> UrlEntries(int count, const std::wstring& name) {
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) {
    entries.push_back({L"https://www.example.com/" + std::to_wstring(i), name + std::to_wstring(i)});
  }
  return entries;
}

// Speech through the NVDA double, so every spoken text lands in the log.
class RecordScenario : public e2e::Scenario {
 protected:
  void SetUp() override {
    e2e::Scenario::SetUp();
    if (HasFatalFailure()) return;
    e2e::WriteDword(setting_value::kSpeechEngine, 2);
    PlaceSpeechDoubles(false, Nvda::kFull);
  }
};

// A scenario on the history or the favourites dialog: the command that
// opens it, its caption and its log file. Its list is list_.
class RecordDialogScenario : public RecordScenario {
 protected:
  RecordDialogScenario(int command, const wchar_t* caption, std::wstring file)
      : command_(command), caption_(caption), file_(std::move(file)) {}

  // Opens the dialog through its command and brings it to the front; with
  // listFocused, also waits until its list has the focus. Null when that fails.
  HWND Open(bool listFocused = false) {
    HWND dialog = e2e::OpenDialog(command_, caption_);
    if (dialog == nullptr) return nullptr;
    list_ = GetDlgItem(dialog, IDC_RECORD_LIST);
    e2e::BringToFront(dialog);
    if (listFocused && !e2e::WaitUntil([&] { return e2e::FocusOf(dialog) == list_; })) return nullptr;
    return dialog;
  }
  // Plants the log with entries, starts and opens the dialog as Open does.
  HWND StartWith(const std::vector<Entry>& entries, bool listFocused = false) {
    PlantLog(file_, entries);
    Start();
    return Open(listFocused);
  }

  HWND list_ = nullptr;

 private:
  int command_;
  const wchar_t* caption_;
  std::wstring file_;
};

}  // namespace records_e2e
