#include "harness/harness.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <sstream>

namespace e2e {

// A file's bytes as they are this moment (ReadFileBytes waits for idle first).
std::string ReadFileNow(const std::wstring& path);

namespace {

std::wstring Convert(UINT codePage, const std::string& bytes) {
  if (bytes.empty()) return {};
  int size = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

// idle: read only once Hopdeck is idle, as ReadFileBytes does.
std::vector<std::string> ReadLines(const std::wstring& path, bool idle = true) {
  std::vector<std::string> lines;
  std::string bytes = idle ? ReadFileBytes(path) : ReadFileNow(path);
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return fields;
}

LRESULT SendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

std::vector<DWORD> HopdeckProcessIds() {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"Hopdeck.exe") == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

void KillAllHopdecks() {
  for (DWORD id : HopdeckProcessIds()) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == nullptr) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  WaitUntil([] { return MainWindow() == nullptr; }, 5000);
}

void CopyDll(const std::wstring& from, const std::wstring& name) {
  std::wstring target = std::wstring(kAppFolder) + L"\\" + name;
  if (!CopyFileW(from.c_str(), target.c_str(), FALSE)) ADD_FAILURE() << "cannot copy " << ToSjis(from);
}

}  // namespace

std::wstring FromSjis(const std::string& bytes) { return Convert(932, bytes); }
std::wstring FromUtf8(const std::string& bytes) { return Convert(CP_UTF8, bytes); }

std::string ToSjis(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  DWORD deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
  while (true) {
    if (condition()) return true;
    if (static_cast<int>(GetTickCount() - deadline) >= 0) return condition();
    Sleep(20);
  }
}

HWND MainWindow() { return FindWindowW(L"Hopdeck", L"Hopdeck"); }

std::wstring WindowText(HWND window) {
  LRESULT length = SendW(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT copied = SendW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void SetWindowTextOf(HWND control, const std::wstring& text) {
  SendW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND ListBox(int listKind) { return GetDlgItem(MainWindow(), IDC_LIST_PROGRAMS + listKind); }

bool IsVisible(HWND window) { return window != nullptr && IsWindowVisible(window); }

HWND FocusOf(HWND window) {
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

HWND Foreground() { return GetForegroundWindow(); }

// Hopdeck's icon is named by its window and id alone: a change of nothing to
// it succeeds only while the notification area holds it.
bool TrayIconShown() {
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof(icon);
  icon.hWnd = MainWindow();
  icon.uID = 0;
  return icon.hWnd != nullptr && Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

HWND FirstWindow(const std::function<bool(HWND)>& match) {
  struct Search {
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{&match, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (!(*s->match)(window)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDialog(const std::wstring& caption) {
  return FirstWindow([&](HWND window) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(window) && WindowText(window) == caption;
  });
}

// Whether window is the foreground window with the keyboard focus on one of
// its controls, and its thread takes messages again: keys sent now reach it.
// A dialog is visible a moment before it is in front, and a busy machine
// makes that moment long. The main window holds the focus itself only while
// the program is still starting, when keys can be lost.
bool InFrontWithFocus(HWND window) {
  if (GetForegroundWindow() != window) return false;
  HWND focus = FocusOf(window);
  if (focus == nullptr || !IsChild(window, focus)) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

// The program puts its dialogs in front by itself; this waits for that (and
// returns the dialog even if it never comes, so a check can say so).
HWND WaitForDialog(const std::wstring& caption, int timeoutMs) {
  HWND found = nullptr;
  if (!WaitUntil([&] { return (found = FindDialog(caption)) != nullptr; }, timeoutMs)) return found;
  WaitUntil([&] { return !IsWindow(found) || InFrontWithFocus(found); }, 3000);
  return found;
}

bool WaitForDialogGone(HWND dialog, int timeoutMs) {
  return WaitUntil([&] { return !IsWindow(dialog); }, timeoutMs);
}

std::wstring MessageBoxText(HWND box) {
  // The longest static text of the box is its message (the icon is a static without text).
  std::wstring best;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) CALLBACK -> BOOL {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, L"Static") != 0) return TRUE;
        std::wstring text = WindowText(child);
        auto* best = reinterpret_cast<std::wstring*>(data);
        if (text.size() > best->size()) *best = text;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&best));
  return best;
}

void ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button == nullptr) {
    ADD_FAILURE() << "no button " << id;
    return;
  }
  PostMessageW(button, BM_CLICK, 0, 0);
}

void AnswerMessageBox(HWND box, int buttonId) {
  ClickButton(box, buttonId);
  WaitForDialogGone(box);
  // Right after a box closes the foreground still names it for a moment.
  WaitUntil([&] { return GetForegroundWindow() != box; }, 2000);
}

namespace {

// The entries of a list box or a combo box, through its count, length and text messages.
std::vector<std::wstring> EntryTexts(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::wstring> entries;
  LRESULT count = SendW(control, countMessage, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendW(control, lengthMessage, i, 0);
    std::wstring text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
    LRESULT copied = SendW(control, textMessage, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    entries.push_back(text);
  }
  return entries;
}

}  // namespace

ListState ReadList(HWND list) {
  ListState state;
  state.items = EntryTexts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
  state.selection = static_cast<int>(SendW(list, LB_GETCURSEL, 0, 0));
  state.visible = IsVisible(list);
  state.focused = FocusOf(list) == list;
  return state;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  return EntryTexts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::wstring OutlineEntry(const std::wstring& className, int id, const std::wstring& text) {
  std::wstring entry = className + L" " + std::to_wstring(id);
  if (lstrcmpiW(className.c_str(), L"ComboBox") != 0) entry += L" " + text;
  return entry;
}

std::vector<std::wstring> ControlOutline(HWND dialog) {
  std::vector<std::wstring> outline;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    // The window notifications are raised from is no control of the dialog.
    if (lstrcmpW(className, L"HdNotification") == 0) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    std::wstring entry = OutlineEntry(className, GetDlgCtrlID(child), WindowText(child));
    if (rect.right == rect.left && rect.bottom == rect.top) entry += L" (zero size)";
    outline.push_back(entry);
  }
  return outline;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendW(combo, CB_GETCURSEL, 0, 0)); }

namespace {

bool IsHopdecks(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  std::vector<DWORD> ids = HopdeckProcessIds();
  return process != 0 && std::find(ids.begin(), ids.end(), process) != ids.end();
}

// Hopdeck's front-most visible, enabled top-level window other than a menu:
// where its keys go. A modal window disables its owner, so this is the
// innermost one open. Null when Hopdeck shows no window.
HWND KeyWindow() {
  std::vector<DWORD> ids = HopdeckProcessIds();
  return FirstWindow([&](HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (std::find(ids.begin(), ids.end(), process) == ids.end()) return false;
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return lstrcmpW(className, L"#32768") != 0;
  });
}

std::string Describe(HWND window) {
  if (window == nullptr) return "no window";
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  return ToSjis(std::wstring(className) + L" \"" + WindowText(window) + L"\"") + (IsHopdecks(window) ? " of Hopdeck" : "");
}

// Waits until keys pressed now reach window, or Hopdeck's key window when
// window is null: the window is in front with the focus on one of its
// controls. Asks for the front again now and then while another program's
// window holds it, or none does, or a window that is closing: a request made
// in the moment a message box closes is lost.
bool SettleKeyboard(HWND window, int timeoutMs) {
  DWORD asked = GetTickCount() - 1000;
  return WaitUntil(
      [&] {
        HWND target = window != nullptr ? window : KeyWindow();
        if (target == nullptr) return true;  // Hopdeck shows no window: keys can only be for its hot key
        if (InFrontWithFocus(target)) return true;
        HWND front = GetForegroundWindow();
        bool hopdeckInFront = front != nullptr && IsWindowVisible(front) && IsHopdecks(front);
        if ((window != nullptr ? front != window : !hopdeckInFront) && GetTickCount() - asked >= 500) {
          SetForegroundWindow(target);
          asked = GetTickCount();
        }
        return false;
      },
      timeoutMs);
}

}  // namespace

bool BringToFront(HWND window) { return SettleKeyboard(window, 5000); }

void PressKeys(std::initializer_list<WORD> keys) {
  auto input = [](WORD key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    switch (key) {
      case VK_DELETE: case VK_INSERT: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_APPS: case VK_RCONTROL: case VK_RMENU:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
      default: break;
    }
    if (up) in.ki.dwFlags |= KEYEVENTF_KEYUP;
    return in;
  };
  if (!SettleKeyboard(nullptr, 5000)) {
    ADD_FAILURE() << "keys not pressed: " << Describe(GetForegroundWindow()) << " is in front, Hopdeck's window is "
                  << Describe(KeyWindow());
    return;
  }
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(input(key, false));
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs.push_back(input(*it, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(150);  // let the target's message loop take the keys
}

void PostCommand(int id) { PostMessageW(MainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0); }

void WaitForIdle() {
  DWORD_PTR result = 0;
  if (HWND main = MainWindow()) SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

::testing::AssertionResult KeysHandled(HWND dialog) {
  HWND focus = FocusOf(dialog);
  PressKeys({VK_TAB});
  if (!WaitUntil([&] { return !IsVisible(dialog) || FocusOf(dialog) != focus; })) {
    return ::testing::AssertionFailure() << "Tab did not move the focus on";
  }
  if (!IsVisible(dialog)) return ::testing::AssertionFailure() << "the dialog closed";
  PressKeys({VK_SHIFT, VK_TAB});
  if (!WaitUntil([&] { return FocusOf(dialog) == focus; })) {
    return ::testing::AssertionFailure() << "Shift+Tab did not bring the focus back";
  }
  return ::testing::AssertionSuccess();
}

std::optional<RegValue> ReadValue(const std::wstring& name, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  std::string narrowName = ToSjis(name);
  DWORD type = 0, size = 0;
  std::optional<RegValue> result;
  if (RegQueryValueExA(handle, narrowName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    RegValue value;
    value.type = type;
    value.data.resize(size);
    if (RegQueryValueExA(handle, narrowName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data.data()),
                         &size) == ERROR_SUCCESS) {
      value.data.resize(size);
      result = value;
    }
  }
  RegCloseKey(handle);
  return result;
}

std::optional<DWORD> ReadDword(const std::wstring& name, const std::wstring& key) {
  auto value = ReadValue(name, key);
  if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
  DWORD result = 0;
  memcpy(&result, value->data.data(), 4);
  return result;
}

void WriteBinaryValue(const std::wstring& name, DWORD type, const std::string& data, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot create the key";
    return;
  }
  RegSetValueExA(handle, ToSjis(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                 static_cast<DWORD>(data.size()));
  RegCloseKey(handle);
}

void WriteDword(const std::wstring& name, DWORD value, const std::wstring& key) {
  WriteBinaryValue(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4), key);
}

void DeleteValue(const std::wstring& name, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
  RegDeleteValueW(handle, name.c_str());
  RegCloseKey(handle);
}

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::wstring& path) {
  WaitForIdle();
  return ReadFileNow(path);
}

std::string ReadFileNow(const std::wstring& path) { return test_support::ReadWholeFile(path); }

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  if (!test_support::WriteWholeFile(path, bytes)) ADD_FAILURE() << "cannot write " << ToSjis(path);
}

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
  return path;
}

void WriteShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& arguments) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    ADD_FAILURE() << "no shell-link object";
    return;
  }
  link->SetPath(target.c_str());
  link->SetArguments(arguments.c_str());
  wchar_t folder[MAX_PATH] = {};
  lstrcpynW(folder, target.c_str(), MAX_PATH);
  PathRemoveFileSpecW(folder);
  link->SetWorkingDirectory(folder);
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (FAILED(file->Save(linkPath.c_str(), TRUE))) ADD_FAILURE() << "cannot save " << ToSjis(linkPath);
    file->Release();
  }
  link->Release();
}

std::optional<ShortcutInfo> ReadShortcut(const std::wstring& linkPath) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return std::nullopt;
  }
  std::optional<ShortcutInfo> info;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
      wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, directory[MAX_PATH] = {};
      link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
      link->GetArguments(arguments, MAX_PATH);
      link->GetWorkingDirectory(directory, MAX_PATH);
      info = ShortcutInfo{target, arguments, directory};
    }
    file->Release();
  }
  link->Release();
  return info;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::vector<LaunchRecord> LaunchRecords() {
  std::vector<LaunchRecord> records;
  for (const std::string& line : ReadLines(kLaunchLog)) {
    std::vector<std::string> fields = SplitTabs(line);
    records.push_back({FromUtf8(fields[0]), fields.size() > 1 ? FromUtf8(fields[1]) : std::wstring()});
  }
  return records;
}

std::vector<std::wstring> Launches() {
  std::vector<std::wstring> lines;
  for (const LaunchRecord& record : LaunchRecords()) lines.push_back(record.commandLine);
  return lines;
}

bool WaitForLaunches(std::size_t count, int timeoutMs) {
  return WaitUntil([&] { return Launches().size() >= count; }, timeoutMs);
}

std::vector<SpeechCall> SpeechLog() { return SpeechLogNow(true); }

std::vector<SpeechCall> SpeechLogNow(bool idle) {
  std::vector<SpeechCall> calls;
  for (const std::string& line : ReadLines(kSpeechLog, idle)) {
    std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() < 3) continue;
    SpeechCall call;
    call.ms = atof(fields[0].c_str());
    call.thread = strtoul(fields[1].c_str(), nullptr, 10);
    call.function = FromUtf8(fields[2]);
    if (fields.size() > 3) call.text = FromUtf8(fields[3]);
    if (fields.size() > 4) call.detail = FromUtf8(fields[4]);
    calls.push_back(call);
  }
  return calls;
}

std::vector<std::wstring> SpokenTexts() {
  std::vector<std::wstring> texts;
  for (const SpeechCall& call : SpeechLog()) {
    if (call.function == L"69" || call.function == L"speakText") texts.push_back(call.text);
  }
  return texts;
}

void MakeItemFolder() {
  CreateDirectoryW(L"C:\\ProgramData\\Velmora", nullptr);
  CreateDirectoryW(kDataFolder, nullptr);
  CreateDirectoryW(kItemFolder, nullptr);
}

std::wstring ItemFile(const std::wstring& fileName) { return std::wstring(kItemFolder) + L"\\" + fileName; }
std::wstring HistoryFile() { return std::wstring(kDataFolder) + L"\\history.log"; }
std::wstring FavouritesFile() { return std::wstring(kDataFolder) + L"\\BookMark.log"; }

void PlantItem(ItemKind kind, const std::wstring& name, const std::wstring& value, const std::wstring& arguments) {
  MakeItemFolder();
  switch (kind) {
    case ItemKind::kShortcut:
      WriteShortcut(ItemFile(name + L".lnk"), value, arguments);
      break;
    case ItemKind::kUrl:
      WriteFileBytes(ItemFile(name + L".url"), ToSjis(L"[InternetShortcut]\r\nURL=" + value + L"\r\n"));
      break;
    case ItemKind::kMail:
      WriteFileBytes(ItemFile(name + L".mail"), ToSjis(L"[EMailShortcut]\r\nMailAddress=" + value + L"\r\n"));
      break;
  }
}

int CountSpoken(const std::wstring& text) {
  std::vector<std::wstring> texts = SpokenTexts();
  return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

int CountSaid(const std::wstring& text) {
  std::vector<SpeechCall> log = SpeechLog();
  return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const SpeechCall& call) { return call.text == text; }));
}

WindowThread::WindowThread(std::function<std::vector<HWND>()> make) : make_(std::move(make)) {
  ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, &WindowThread::Run, this, 0, &threadId_);
  if (thread_ == nullptr || WaitForSingleObject(ready_, 10000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the window thread did not make its windows";
  }
}

WindowThread::~WindowThread() {
  if (thread_ != nullptr) {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
  }
  CloseHandle(ready_);
}

DWORD WINAPI WindowThread::Run(void* self) {
  auto& me = *static_cast<WindowThread*>(self);
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the quit is posted
  me.windows_ = me.make_();
  SetEvent(me.ready_);
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  for (HWND window : me.windows_) {
    if (window != nullptr) DestroyWindow(window);
  }
  return 0;
}

void PlantItems(ItemKind kind, std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* name : names) {
    PlantItem(kind, name, kind == ItemKind::kMail ? L"mailto:" + std::wstring(name) + L"@example.jp" : L"https://example.com/");
  }
}

bool Contains(std::wstring text, std::wstring part, bool anyCase) {
  if (anyCase) {
    CharLowerW(text.data());
    CharLowerW(part.data());
  }
  return text.find(part) != std::wstring::npos;
}

::testing::AssertionResult ShowList(int kind) {
  std::size_t spoken = SpokenTexts().size();
  PressKeys({VK_CONTROL, static_cast<WORD>('1' + kind)});
  if (!WaitUntil([&] {
        ListState state = ReadList(ListBox(kind));
        return state.focused && (state.selection >= 0 || state.items.empty());
      })) {
    return ::testing::AssertionFailure() << "list " << kind << " did not take the focus";
  }
  WaitUntil([&] { return SpokenTexts().size() > spoken; }, 1500);
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult OnlyDownMovesTheSelection(HWND list) {
  HWND dialog = GetAncestor(list, GA_ROOT);
  PressKeys({VK_RIGHT});
  PressKeys({VK_DOWN});
  if (auto handled = KeysHandled(dialog); !handled) return handled;
  int afterRightAndDown = ReadList(list).selection;
  PressKeys({VK_LEFT});
  if (auto handled = KeysHandled(dialog); !handled) return handled;
  int afterLeft = ReadList(list).selection;
  if (afterRightAndDown == 1 && afterLeft == 1) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "selection " << afterRightAndDown << " after Right and Down, " << afterLeft
                                       << " after Left";
}

HWND OpenDialog(int command, const std::wstring& caption) {
  HWND main = MainWindow();
  if (IsWindowEnabled(main)) BringToFront(main);
  PostCommand(command);
  return WaitForDialog(caption);
}

::testing::AssertionResult ExpectMessageBox(const std::wstring& caption, const std::wstring& text, int answer) {
  HWND box = WaitForDialog(caption);
  if (box == nullptr) return ::testing::AssertionFailure() << "no message box \"" << ToSjis(caption) << "\"";
  std::wstring shown = MessageBoxText(box);
  AnswerMessageBox(box, answer);
  if (shown != text) {
    return ::testing::AssertionFailure() << "the box said \"" << ToSjis(shown) << "\", not \"" << ToSjis(text) << "\"";
  }
  return ::testing::AssertionSuccess();
}

void Scenario::SetUp() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  KillAllHopdecks();
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora");
  RemoveTree(L"C:\\ProgramData\\Velmora");
  DeleteFileW((ShellFolder(CSIDL_STARTUP) + L"\\Hopdeck.lnk").c_str());
  DeleteFileW((ShellFolder(CSIDL_SENDTO) + L"\\Hopdeck.lnk").c_str());
  DeleteFileW(kLaunchLog);
  DeleteFileW(kSpeechLog);
  RemoveTree(kAppFolder);
  CreateDirectoryW(L"C:\\hdtest", nullptr);
  CreateDirectoryW(kAppFolder, nullptr);
  std::wstring exe = BuildDir() + L"\\Hopdeck.exe";
  ASSERT_FALSE(BuildDir().empty()) << "HD_BUILD_DIR is not set; ctest sets it";
  ASSERT_TRUE(CopyFileW(exe.c_str(), (std::wstring(kAppFolder) + L"\\Hopdeck.exe").c_str(), FALSE))
      << "Hopdeck.exe not found in " << ToSjis(BuildDir());
  SetEnvironmentVariableW(L"HD_SPEECH_LOG", kSpeechLog);
  SetEnvironmentVariableW(L"HD_LAUNCH_LOG", kLaunchLog);
  ASSERT_EQ(GetACP(), 932u) << "the prefix must run with the Japanese ANSI code page";
}

void Scenario::TearDown() {
  KillAllHopdecks();
  hopdeck_ = Process{};
  CoUninitialize();
}

void Scenario::PlaceSpeechDoubles(bool pcTalker, Nvda nvda) {
  std::wstring doubles = BuildDir() + L"\\doubles";
  if (pcTalker) CopyDll(doubles + L"\\pctk\\PCTKUSR.dll", L"PCTKUSR.dll");
  if (nvda == Nvda::kFull) CopyDll(doubles + L"\\nvda\\nvdaControllerClient32.dll", L"nvdaControllerClient32.dll");
  if (nvda == Nvda::kWithoutIsSpeaking) {
    CopyDll(doubles + L"\\nvda_nospeaking\\nvdaControllerClient32.dll", L"nvdaControllerClient32.dll");
  }
  const wchar_t* current = nvda == Nvda::kCurrent          ? L"\\nvda_current"
                           : nvda == Nvda::kCurrentPointer ? L"\\nvda_pointer"
                           : nvda == Nvda::kCurrentJp      ? L"\\nvda_jp"
                                                           : nullptr;
  if (current != nullptr) CopyDll(doubles + current + L"\\nvdaControllerClient.dll", L"nvdaControllerClient.dll");
}

Process Scenario::Launch(const std::wstring& argument, const std::wstring& currentDir) {
  std::wstring exe = std::wstring(kAppFolder) + L"\\Hopdeck.exe";
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!argument.empty()) commandLine += L" \"" + argument + L"\"";
  Process process = test_support::StartProcess(exe, commandLine, currentDir);
  if (!process.started()) {
    DWORD error = GetLastError();
    ADD_FAILURE() << "cannot start Hopdeck.exe: " << error;
  }
  return process;
}

const Process& Scenario::Start(const std::wstring& argument, const std::wstring& currentDir) {
  hopdeck_ = Launch(argument, currentDir);
  EXPECT_TRUE(WaitUntil([] { return IsVisible(MainWindow()); }, 15000)) << "the main window never showed";
  // The window shows a moment before it is made the foreground, and keys go
  // to the foreground: a scenario's first key must not go ahead of it.
  WaitUntil([] { return IsHopdecks(Foreground()); });
  // The lists not shown are filled, a step at a time, once the window first
  // waits for input; adding the tray icon is the last of those steps.
  WaitUntil(TrayIconShown);
  return hopdeck_;
}

std::optional<DWORD> Scenario::Quit() {
  HWND main = MainWindow();
  if (main == nullptr) return std::nullopt;
  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND box = WaitForDialog(L"Hopdeckの終了確認");
  if (box == nullptr) return std::nullopt;
  AnswerMessageBox(box, IDYES);
  return hopdeck_.WaitForExit();
}

}  // namespace e2e
