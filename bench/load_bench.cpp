// How long Hopdeck takes to fill its lists and to start, with 500 shortcut,
// 500 URL and 500 mail items, each set against a floor measured in the same
// iteration (floor, subject, floor, subject ...) so that the ratio of the
// medians holds on a machine whose speed drifts:
//
//   cold load        LoadItemLists with nothing remembered / listing the three
//                    patterns and reading the 500 shortcuts' bytes
//   reload           LoadItemLists after one shortcut was added / listing the
//                    three patterns without reading anything
//   first start      Hopdeck.exe without its item cache, until the programs
//                    list is filled and focused / a bare window program of
//                    ours until its window shows
//   later start      the same with the cache the previous start left
//
// and, without a floor, the search over all lists in the running
// Hopdeck.exe: from a new term in "QuickFindDialog" until its results are
// shown (the count is spoken right after), less the pause it waits for.
//
// Usage: load_bench [iterations, at least 15]   (Hopdeck.exe and
// bare_window.exe must sit beside this program; Hopdeck must not be
// running). It plants its items in Hopdeck's own item folder, sets "Option0"
// (sort order) and "Option3" (start list) to 0, and removes the items again
// at the end. A row that cannot be measured ends the run with a message and
// exit code 1. "load_bench --plant" and "load_bench --remove" only plant or
// remove the items.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "items/item_lists_win.h"
#include "items/shortcut_cache.h"
#include "items/item_store_win.h"
#include "platform/win_handles.h"
#include "settings/settings.h"
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

[[noreturn]] void CannotMeasure(const std::string& what) {
  std::fprintf(stderr, "cannot measure: %s\n", what.c_str());
  std::exit(1);
}

double TimeMs(const std::function<void()>& work) {
  double start = NowMs();
  work();
  return NowMs() - start;
}

// One row: floor and subject measured alternately, iterations times each.
struct Row {
  const char* name;
  std::vector<double> floor;
  std::vector<double> subject;
  double ratio() const { return Median(subject) / Median(floor); }
};

Row Alternate(const char* name, int iterations, const std::function<double()>& floor,
              const std::function<double()>& subject) {
  Row row{name, {}, {}};
  for (int i = 0; i < iterations; ++i) {
    row.floor.push_back(floor());
    row.subject.push_back(subject());
  }
  return row;
}

void Report(const Row& row, const char* floorName) {
  std::printf("%-12s median %8.1f ms   floor (%s) median %8.1f ms   ratio %.2f\n", row.name, Median(row.subject),
              floorName, Median(row.floor), row.ratio());
}

void Goal(const char* what, double value, double limit) {
  std::printf("  goal %-58s %8.1f <= %8.1f  %s\n", what, value, limit, value <= limit ? "met" : "MISSED");
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

// The floors: the same three listings, with the shortcuts' bytes read
// plainly (all a cold load opens), or with nothing read (all a reload after
// one change needs but for that one file).
std::size_t ListAndReadFiles(bool readShortcuts) {
  std::size_t total = 0;
  std::vector<char> buffer(64 * 1024);
  for (const char* pattern : {"*.lnk", "*.url", "*.mail"}) {
    const bool read = readShortcuts && pattern[2] == 'l';
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
  explicit ListWindow(ItemLists& items) {
    owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr, nullptr, nullptr);
    for (int k = 0; k < kListCount; ++k) {
      items.boxes[k] = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 400, owner,
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

constexpr DWORD kSettleMs = 500;

// From CreateProcess until ready() holds. Then afterReady runs, the process
// is ended and its windows waited away, so every start finds the same state.
double TimeStart(const std::string& exePath, const std::string& folder, const char* windowClass,
                 const std::function<bool()>& ready, const std::function<void()>& afterReady = [] {}) {
  if (FindWindowA(windowClass, nullptr) != nullptr) CannotMeasure(std::string("a window of class ") + windowClass + " is still there");
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + exePath + "\"";
  double start = NowMs();
  if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    CannotMeasure("cannot start " + exePath);
  }
  double elapsed = -1;
  while (NowMs() - start < 60000) {
    if (ready()) {
      elapsed = NowMs() - start;
      break;
    }
    Sleep(1);
  }
  if (elapsed >= 0) afterReady();
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  for (int i = 0; i < 1000 && FindWindowA(windowClass, nullptr) != nullptr; ++i) Sleep(10);
  if (elapsed < 0) CannotMeasure(exePath + " did not get ready within 60 s");
  // A process's teardown goes on after its window is gone (the display
  // server, the notification area). Every start, floor or subject, waits
  // the same while, so none of them pays for the one before.
  Sleep(kSettleMs);
  return elapsed;
}

// Hopdeck is ready when its programs list has the focus and all its entries.
bool HopdeckReady(LRESULT programCount) {
  HWND main = FindWindowA("Hopdeck", "Hopdeck");
  HWND programs = main ? GetDlgItem(main, 101) : nullptr;
  return programs != nullptr && FocusedWindowOf(main) == programs &&
         SendMessageA(programs, LB_GETCOUNT, 0, 0) == programCount;
}

// The search over all lists, in a Hopdeck that is ready: each term is put
// into the dialog's edit as typing would leave it, and timed until the
// result list holds its count of entries. Terms alternate, so each one
// changes the count.
std::vector<double> TimeQuickFind(int iterations) {
  struct Term {
    const wchar_t* text;
    LRESULT count;
  };
  const Term terms[] = {{L"bench", 3 * kItemsPerKind}, {L"link-1", 100}, {L"mail-00", 10}};
  constexpr double kPauseMs = 150;
  HWND main = FindWindowA("Hopdeck", "Hopdeck");
  PostMessageA(main, WM_COMMAND, 580, 0);
  HWND dialog = nullptr;
  for (int i = 0; i < 1000 && dialog == nullptr; ++i, Sleep(10)) dialog = FindWindowW(nullptr, L"すべてのリストから検索");
  if (dialog == nullptr) CannotMeasure("the search dialog did not open");
  HWND edit = GetDlgItem(dialog, 101);
  HWND results = GetDlgItem(dialog, 102);
  std::vector<double> times;
  for (int i = 0; i < iterations * 3; ++i) {
    const Term& term = terms[i % 3];
    double start = NowMs();
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(term.text));
    while (SendMessageA(results, LB_GETCOUNT, 0, 0) != term.count) {
      if (NowMs() - start > 10000) CannotMeasure("the search did not show its results within 10 s");
      Sleep(1);
    }
    times.push_back(NowMs() - start - kPauseMs);
  }
  return times;
}

bool BareReady() {
  HWND window = FindWindowA("HopdeckBenchBare", nullptr);
  return window != nullptr && IsWindowVisible(window);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--plant" || first == "--remove") {
    // The items alone, for profiling a start by hand.
    ComInit com;
    first == "--plant" ? PlantItems() : RemoveItems();
    return 0;
  }
  const int iterations = argc > 1 ? std::max(15, std::atoi(argv[1])) : 15;
  char self[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = self;
  folder.erase(folder.find_last_of('\\'));
  const std::string hopdeck = folder + "\\Hopdeck.exe";
  const std::string bare = folder + "\\bare_window.exe";
  const std::string dataFolder = "c:\\ProgramData\\Velmora\\Hopdeck";
  const std::string cacheFile = dataFolder + "\\itemcache.dat";
  if (FindWindowA("Hopdeck", "Hopdeck") != nullptr) CannotMeasure("Hopdeck is running; close it first");

  // As in Hopdeck: the thread keeps COM initialised, so each shortcut's own
  // initialisation only counts a reference.
  ComInit com;
  PlantItems();
  StoreDword("Option0", 0);
  StoreDword("Option3", 0);
  char previous[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(kItemFolder);
  std::printf("items in the folder: %d (%d of each kind planted), %d iterations per row\n", CountItemFiles(),
              kItemsPerKind, iterations);

  ItemLists items;
  ListWindow lists(items);
  const int sortOrder = Settings().sortOrder;

  Row cold = Alternate(
      "cold load", iterations, [&] { return TimeMs([] { ListAndReadFiles(true); }); },
      [&] {
        // As at a first start: nothing remembered, nothing in the lists.
        items.shortcuts = ShortcutCache();
        items.listedNames = {};
        return TimeMs([&] { LoadItemLists(items, kItemFolder, sortOrder); });
      });
  LRESULT counts[kListCount];
  for (int k = 0; k < kListCount; ++k) counts[k] = SendMessageA(items.boxes[k], LB_GETCOUNT, 0, 0);
  std::printf("lists after a load: %ld programs, %ld files, %ld URLs, %ld mail\n", static_cast<long>(counts[0]),
              static_cast<long>(counts[1]), static_cast<long>(counts[2]), static_cast<long>(counts[3]));
  if (counts[0] + counts[1] != kItemsPerKind) CannotMeasure("the load did not list every shortcut");

  // One shortcut that sorts among the others, added before and removed after
  // each timed reload.
  const std::string added = std::string(kItemFolder) + "\\bench-a-added.lnk";
  Row reload = Alternate(
      "reload", iterations, [&] { return TimeMs([] { ListAndReadFiles(false); }); },
      [&] {
        WriteShellLink(added, "C:\\Tools\\added.exe", "");
        double ms = TimeMs([&] { LoadItemLists(items, kItemFolder, sortOrder); });
        DeleteFileA(added.c_str());
        LoadItemLists(items, kItemFolder, sortOrder);
        return ms;
      });
  SetCurrentDirectoryA(previous);

  auto bareStart = [&] { return TimeStart(bare, folder, "HopdeckBenchBare", BareReady); };
  // Hopdeck saves the cache a moment after the lists show; the next start needs it.
  auto cacheSaved = [&] {
    for (int i = 0; i < 1000 && GetFileAttributesA(cacheFile.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
  };
  Row firstStart = Alternate("first start", iterations, bareStart, [&] {
    DeleteFileA(cacheFile.c_str());
    return TimeStart(hopdeck, folder, "Hopdeck", [&] { return HopdeckReady(counts[0]); }, cacheSaved);
  });
  Row laterStart = Alternate("later start", iterations, bareStart, [&] {
    if (GetFileAttributesA(cacheFile.c_str()) == INVALID_FILE_ATTRIBUTES) CannotMeasure("no item cache was left");
    return TimeStart(hopdeck, folder, "Hopdeck", [&] { return HopdeckReady(counts[0]); });
  });
  std::vector<double> find;
  TimeStart(hopdeck, folder, "Hopdeck", [&] {
    if (!HopdeckReady(counts[0])) return false;
    find = TimeQuickFind(iterations);
    return true;
  });
  RemoveItems();
  DeleteFileA(cacheFile.c_str());

  Report(cold, "list + read shortcuts");
  Report(reload, "list only");
  Report(firstStart, "bare window");
  Report(laterStart, "bare window");
  const double listing = Median(reload.floor);
  Goal("reload <= 2x listing floor", Median(reload.subject), 2 * listing);
  Goal("cold load <= 3x shortcut-read floor", Median(cold.subject), 3 * Median(cold.floor));
  Goal("first start <= 1.2x (bare start + cold load)", Median(firstStart.subject),
       1.2 * (Median(firstStart.floor) + Median(cold.subject)));
  Goal("later start <= 1.5x bare start + listing floor", Median(laterStart.subject),
       1.5 * Median(laterStart.floor) + listing);
  std::printf("find         median %8.1f ms from a new term to its results, beyond the pause (%zu terms)\n",
              Median(find), find.size());
  Goal("find < 200 ms beyond the pause", Median(find), 200);
  return 0;
}
