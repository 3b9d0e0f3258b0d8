// The four list boxes hold nothing but item names. Every load rebuilds all of
// them from the ItemFolder: shortcuts split into programs and files by their
// targets, then the URL and mail items by their file names alone.
#include "items/item_lists_win.h"

#include "app/app_state.h"
#include "items/item_order.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "platform/files_win.h"

#include <map>
#include <optional>

namespace {

constexpr char kShortcutCacheName[] = "itemcache.dat";

// Empties a list box and keeps it from redrawing until it is filled.
class ListFill {
 public:
  explicit ListFill(HWND list) : list_(list) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  }
  ListFill(const ListFill&) = delete;
  ListFill& operator=(const ListFill&) = delete;
  ~ListFill() {
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
  }
  void Add(const std::string& name) const {
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }

 private:
  HWND list_;
};

void FillByFileName(HWND list, const std::string& folder, const char* extension, int sortOrder) {
  std::vector<std::string> names = NamesInOrder(ScanItemFiles(folder, extension), sortOrder);
  ListFill fill(list);
  for (const std::string& name : names) fill.Add(name);
}

std::string ShortcutCacheFile(const AppState& app) { return app.dataFolder + "\\" + kShortcutCacheName; }

// A cache that cannot be saved costs the next start its reads, nothing else.
void SaveShortcutCache(const AppState& app) {
  std::string bytes = app.shortcuts.Serialize();
  ReplaceFileWith(ShortcutCacheFile(app), [&](const std::string& pending) { return WriteWholeFile(pending, bytes); });
}

}  // namespace

void LoadShortcutCache(AppState& app) {
  app.shortcuts = ShortcutCache();
  std::optional<std::string> bytes = ReadWholeFile(ShortcutCacheFile(app), kShortcutCacheMaxBytes);
  if (!bytes) return;
  if (std::optional<ShortcutCache> cache = ShortcutCache::Parse(*bytes)) app.shortcuts = std::move(*cache);
}

void LoadItemLists(AppState& app) {
  const int sortOrder = app.settings.sortOrder;
  std::vector<ScanEntry> scan = ScanItemFiles(app.itemFolder, ".lnk");
  std::map<std::string, ShortcutStamp> stamps;
  for (const ScanEntry& entry : scan) stamps[entry.name] = {entry.size, entry.writeTime, entry.creationTime};

  ShortcutCache known = std::move(app.shortcuts);
  app.shortcuts = ShortcutCache();
  {
    ListFill programs(app.lists[kPrograms]);
    ListFill files(app.lists[kFiles]);
    for (const std::string& name : NamesInOrder(std::move(scan), sortOrder)) {
      const ShortcutStamp& stamp = stamps[name];
      std::optional<bool> isProgram = known.IsProgram(name, stamp);
      if (!isProgram) {
        std::string target;
        std::string arguments;
        ReadShellLink(app.itemFolder + "\\" + name + ".lnk", target, arguments);  // unreadable: empty target
        isProgram = IsProgramTarget(target);
      }
      app.shortcuts.Remember(name, stamp, *isProgram);
      (*isProgram ? programs : files).Add(name);
    }
  }
  if (!(app.shortcuts == known)) SaveShortcutCache(app);
  FillByFileName(app.lists[kUrls], app.itemFolder, ".url", sortOrder);
  FillByFileName(app.lists[kMail], app.itemFolder, ".mail", sortOrder);
}

void SelectFirstEntries(AppState& app) {
  for (HWND list : app.lists) SendMessageA(list, LB_SETCURSEL, 0, 0);
}
