// The four list boxes hold nothing but item names. Every load rebuilds all of
// them from the ItemFolder: shortcuts split into programs and files by their
// targets (opening only those the shortcut cache does not know as they are
// now), then the URL and mail items by their file names alone.
#include "items/item_lists_win.h"

#include "items/item_order.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "platform/files_win.h"

#include <map>
#include <optional>

namespace {

constexpr char kShortcutCacheName[] = "itemcache.dat";

// Puts names into list box kind, unless it shows exactly these already: a
// reload after one change then redraws only the list that changed. The box
// is filled with its redrawing suspended and its storage reserved at once.
void ShowNames(ItemLists& lists, int kind, std::vector<std::string> names) {
  HWND list = lists.boxes[kind];
  std::vector<std::string>& shown = lists.listedNames[kind];
  if (names == shown && SendMessageA(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(names.size())) return;
  std::size_t bytes = 0;
  for (const std::string& name : names) bytes += name.size() + 1;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  SendMessageA(list, LB_INITSTORAGE, names.size(), bytes);
  for (const std::string& name : names) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  shown = std::move(names);
}

std::string ShortcutCacheFile(const std::string& dataFolder) { return dataFolder + "\\" + kShortcutCacheName; }

// A cache that cannot be saved costs the next start its reads, nothing else.
void SaveShortcutCache(const ItemLists& lists, const std::string& dataFolder) {
  std::string bytes = lists.shortcuts.Serialize();
  ReplaceFileWith(ShortcutCacheFile(dataFolder),
                  [&](const std::string& pending) { return WriteWholeFile(pending, bytes); });
}

}  // namespace

void LoadShortcutCache(ItemLists& lists, const std::string& dataFolder) {
  lists.shortcuts = ShortcutCache();
  std::optional<std::string> bytes = ReadWholeFile(ShortcutCacheFile(dataFolder), kShortcutCacheMaxBytes);
  if (!bytes) return;
  if (std::optional<ShortcutCache> cache = ShortcutCache::Parse(*bytes)) lists.shortcuts = std::move(*cache);
}

bool LoadItemLists(ItemLists& lists, const std::string& itemFolder, int sortOrder) {
  std::vector<ScanEntry> scan = ScanItemFiles(itemFolder, ".lnk");
  std::map<std::string, ShortcutStamp> stamps;
  for (const ScanEntry& entry : scan) stamps[entry.name] = StampOf(entry);

  ShortcutCache known = std::move(lists.shortcuts);
  lists.shortcuts = ShortcutCache();
  std::vector<std::string> programs;
  std::vector<std::string> files;
  for (std::string& name : NamesInOrder(std::move(scan), sortOrder)) {
    const ShortcutStamp& stamp = stamps[name];
    std::optional<bool> isProgram = known.IsProgram(name, stamp);
    std::string target;
    if (isProgram) {
      target = known.TargetOf(name);
    } else {
      std::string arguments;
      ReadShellLink(itemFolder + "\\" + name + ".lnk", target, arguments);  // unreadable: empty target
      isProgram = IsProgramTarget(target);
    }
    lists.shortcuts.Remember(name, stamp, *isProgram, std::move(target));
    (*isProgram ? programs : files).push_back(std::move(name));
  }
  ShowNames(lists, kPrograms, std::move(programs));
  ShowNames(lists, kFiles, std::move(files));
  const bool changed = !(lists.shortcuts == known);
  if (changed) lists.shortcutsUnsaved = true;
  ShowNames(lists, kUrls, NamesInOrder(ScanItemFiles(itemFolder, ".url"), sortOrder));
  ShowNames(lists, kMail, NamesInOrder(ScanItemFiles(itemFolder, ".mail"), sortOrder));
  return changed;
}

void SaveShortcutCacheIfChanged(ItemLists& lists, const std::string& dataFolder) {
  if (!lists.shortcutsUnsaved) return;
  lists.shortcutsUnsaved = false;  // one that cannot be saved is tried again only after the next change
  SaveShortcutCache(lists, dataFolder);
}

void SelectFirstEntries(const ItemLists& lists) {
  for (HWND list : lists.boxes) SendMessageA(list, LB_SETCURSEL, 0, 0);
}
