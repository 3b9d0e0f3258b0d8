// How long loading the lists takes with 500 shortcut, 500 URL and 500 mail
// items, set against the floor of listing and reading the same files' bytes,
// and how long Hopdeck.exe takes from its start to the focused start list.
//
// Usage: load_bench [runs]   (Hopdeck.exe must sit beside this program and
// must not be running). It plants its items in Hopdeck's own item folder,
// sets "Option0" (sort order) and "Option3" (start list) to 0, and removes
// the items again at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "items/item_lists_win.h"
#include "items/item_store_win.h"
#include "settings/settings_win.h"

namespace {

constexpr int kItemsPerKind = 500;
constexpr char kItemFolder[] = "c:\\ProgramData\\Velmora\\Hopdeck\\Lnk";

// <chrono> does not build with a Shift-JIS execution character set; the
// performance counter does the same job.
double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<double> TimeRuns(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    double start = NowMs();
    work();
    times.push_back(NowMs() - start);
  }
  return times;
}

void Report(const char* what, const std::vector<double>& times) {
  std::printf("%-52s median %8.1f ms  (runs:", what, Median(times));
  for (double t : times) std::printf(" %.0f", t);
  std::printf(")\n");
}

std::string ItemPath(const char* stem, int index, const char* extension) {
  char name[64];
  std::snprintf(name, sizeof(name), "%s%03d%s", stem, index, extension);
  return std::string(kItemFolder) + "\\" + name;
}

// Half the shortcuts point at programs, half at documents: both lists fill.
void PlantItems() {
  CreateDirectoryA("c:\\ProgramData\\Velmora", nullptr);
  CreateDirectoryA("c:\\ProgramData\\Velmora\\Hopdeck", nullptr);
  CreateDirectoryA(kItemFolder, nullptr);
  for (int i = 0; i < kItemsPerKind; ++i) {
    char target[64];
    std::snprintf(target, sizeof(target), i % 2 ? "C:\\Docs\\report%03d.txt" : "C:\\Tools\\tool%03d.exe", i);
    WriteShellLink(ItemPath("bench-link-", i, ".lnk"), target, "");
    WriteUrlItem(ItemPath("bench-url-", i, ".url"), "https://www.example.jp/page");
    WriteMailItem(ItemPath("bench-mail-", i, ".mail"), "someone@example.jp");
  }
}

void RemoveItems() {
  for (int i = 0; i < kItemsPerKind; ++i) {
    DeleteFileA(ItemPath("bench-link-", i, ".lnk").c_str());
    DeleteFileA(ItemPath("bench-url-", i, ".url").c_str());
    DeleteFileA(ItemPath("bench-mail-", i, ".mail").c_str());
  }
}

int CountItemFiles() {
  int count = 0;
  for (const char* pattern : {"*.lnk", "*.url", "*.mail"}) {
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA(pattern, &found);
    if (listing == INVALID_HANDLE_VALUE) continue;
    do ++count;
    while (FindNextFileA(listing, &found));
    FindClose(listing);
  }
  return count;
}

// The floor: the same three listings, and the files' bytes read plainly
// (every file's, or only the shortcuts', which are all a load opens).
std::size_t ListAndReadFiles(bool shortcutsOnly) {
  std::size_t total = 0;
  std::vector<char> buffer(64 * 1024);
  for (const char* pattern : {"*.lnk", "*.url", "*.mail"}) {
    const bool read = !shortcutsOnly || pattern[2] == 'l';
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA(pattern, &found);
    if (listing == INVALID_HANDLE_VALUE) continue;
    do {
      if (!read) continue;
      HANDLE file = CreateFileA(found.cFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      if (file == INVALID_HANDLE_VALUE) continue;
      DWORD got = 0;
      while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) total += got;
      CloseHandle(file);
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
  }
  return total;
}

struct ListWindow {
  HWND owner = nullptr;
  ListWindow(AppState& app) {
    owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr, nullptr, nullptr);
    for (int k = 0; k < kListCount; ++k) {
      app.lists[k] = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 400, owner,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(101 + k)), nullptr, nullptr);
    }
  }
  ~ListWindow() { DestroyWindow(owner); }
};

void StoreDword(const char* name, DWORD value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

HWND FocusedWindowOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// From CreateProcess until the programs list of the new main window has the
// focus and holds all its entries.
double TimeOneStart(const std::string& exePath, const std::string& folder, LRESULT programCount) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + exePath + "\"";
  double start = NowMs();
  if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    return -1;
  }
  double elapsed = -1;
  while (NowMs() - start < 60000) {
    HWND main = FindWindowA("Hopdeck", "Hopdeck");
    HWND programs = main ? GetDlgItem(main, 101) : nullptr;
    if (programs != nullptr && FocusedWindowOf(main) == programs &&
        SendMessageA(programs, LB_GETCOUNT, 0, 0) == programCount) {
      elapsed = NowMs() - start;
      break;
    }
    Sleep(1);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  // Let the window and the tray icon of the ended process go before the next start.
  for (int i = 0; i < 500 && FindWindowA("Hopdeck", "Hopdeck") != nullptr; ++i) Sleep(10);
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char self[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = self;
  folder.erase(folder.find_last_of('\\'));
  std::string exePath = folder + "\\Hopdeck.exe";
  if (FindWindowA("Hopdeck", "Hopdeck") != nullptr) {
    std::fprintf(stderr, "Hopdeck is running; close it first\n");
    return 1;
  }

  {
    ComInit com;
    PlantItems();
  }
  StoreDword("Option0", 0);
  StoreDword("Option3", 0);
  char previous[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(kItemFolder);
  std::printf("items in the folder: %d (%d of each kind planted), %d runs each\n", CountItemFiles(), kItemsPerKind,
              runs);

  AppState app;
  app.dataFolder = "c:\\ProgramData\\Velmora\\Hopdeck";
  app.itemFolder = kItemFolder;
  ListWindow lists(app);

  std::size_t bytes = 0;
  std::size_t shortcutBytes = 0;
  std::vector<double> floor = TimeRuns(runs, [&] { bytes = ListAndReadFiles(false); });
  std::vector<double> shortcutFloor = TimeRuns(runs, [&] { shortcutBytes = ListAndReadFiles(true); });
  std::vector<double> bare = TimeRuns(std::min(runs, 3), [&] { LoadItemLists(app); });
  std::vector<double> load;
  {
    // As in Hopdeck: the thread keeps COM initialised, so each shortcut's
    // own initialisation only counts a reference.
    ComInit com;
    load = TimeRuns(runs, [&] { LoadItemLists(app); });
  }
  LRESULT counts[kListCount];
  for (int k = 0; k < kListCount; ++k) counts[k] = SendMessageA(app.lists[k], LB_GETCOUNT, 0, 0);
  std::printf("lists after a load: %ld programs, %ld files, %ld URLs, %ld mail\n", static_cast<long>(counts[0]),
              static_cast<long>(counts[1]), static_cast<long>(counts[2]), static_cast<long>(counts[3]));
  SetCurrentDirectoryA(previous);

  std::vector<double> starts;
  for (int i = 0; i < runs; ++i) starts.push_back(TimeOneStart(exePath, folder, counts[0]));

  Report("floor: list 3 patterns + read all files' bytes", floor);
  std::printf("%-52s %zu bytes\n", "  bytes read", bytes);
  Report("floor: list 3 patterns + read the shortcuts' bytes", shortcutFloor);
  std::printf("%-52s %zu bytes\n", "  bytes read", shortcutBytes);
  Report("LoadItemLists, COM initialised per call only", bare);
  Report("LoadItemLists, COM held by the thread (as Hopdeck)", load);
  Report("Hopdeck.exe start to focused programs list", starts);
  std::printf("ratio LoadItemLists / floor (all files): %.1f\n", Median(load) / Median(floor));
  std::printf("ratio LoadItemLists / floor (shortcuts): %.1f\n", Median(load) / Median(shortcutFloor));

  RemoveItems();
  return 0;
}
