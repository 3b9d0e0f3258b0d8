// The four list boxes hold nothing but item names. Every load rebuilds all of
// them from the ItemFolder: shortcuts split into programs and files by their
// targets (opening only those the shortcut cache does not know as they are
// now), the URL and mail items by their file names alone.
#include "items/item_lists_win.h"

#include "items/item_order.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "platform/files_win.h"

#include <cstddef>
#include <optional>
#include <system_error>

namespace {

constexpr char kShortcutCacheName[] = "itemcache.dat";

// Makes list box kind show names. Only the run between what the old and the
// new names share at their start and at their end is replaced, so a reload
// after one add, rename or delete touches an entry or two instead of the
// whole list, and a list that did not change is not touched at all. Redrawing
// is suspended meanwhile; a list filled whole has its storage reserved at once.
void ShowNames(ItemLists& lists, int kind, std::vector<std::string> names) {
  HWND list = lists.boxes[kind];
  std::vector<std::string>& shown = lists.listedNames[kind];
  if (SendMessageA(list, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(shown.size())) {
    shown.clear();  // changed behind our back: filled whole
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
  }
  std::size_t head = 0;
  while (head < shown.size() && head < names.size() && shown[head] == names[head]) ++head;
  std::size_t tail = 0;
  while (tail < shown.size() - head && tail < names.size() - head &&
         shown[shown.size() - 1 - tail] == names[names.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t removed = shown.size() - head - tail;
  const std::size_t added = names.size() - head - tail;
  if (removed == 0 && added == 0) return;

  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  if (removed == shown.size()) {
    std::size_t bytes = 0;
    for (const std::string& name : names) bytes += name.size() + 1;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_INITSTORAGE, names.size(), bytes);
  } else {
    for (std::size_t i = 0; i < removed; ++i) SendMessageA(list, LB_DELETESTRING, head, 0);
  }
  for (std::size_t i = head; i < head + added; ++i) {
    // -1 appends: with nothing shared at the end, the new run goes last.
    WPARAM at = tail == 0 ? static_cast<WPARAM>(-1) : i;
    SendMessageA(list, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(names[i].c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  shown = std::move(names);
}

std::string ShortcutCacheFile(const std::string& dataFolder) { return dataFolder + "\\" + kShortcutCacheName; }

std::vector<std::string> AllListedNames(const ItemLists& lists) {
  std::vector<std::string> names;
  for (const std::vector<std::string>& listed : lists.listedNames) names.insert(names.end(), listed.begin(), listed.end());
  return names;
}

// Has the readings the listed names lack asked for, and puts what is known
// of them in the cache to be saved; those of names no longer listed go.
void UpdateReadings(ItemLists& lists, const ReadingTable& cached, ShortcutCache& shortcuts) {
  std::vector<std::string> names = AllListedNames(lists);
  lists.readings->Merge(cached);
  ReadingRequest request = lists.readings->ToAsk(names);
  if (!request.empty()) {
    if (!lists.readingService) lists.readingService = std::make_unique<NameReadingService>(lists.readings);
    lists.readingService->Ask(std::move(request));
  }
  lists.readingsCached = lists.readings->changes();
  shortcuts.SetReadings(lists.readings->TableFor(names));
}

// A cache that cannot be saved costs the next start its reads, nothing else.
void SaveShortcutCache(const ItemLists& lists, const std::string& dataFolder) {
  std::string bytes = lists.shortcuts.Serialize();
  (void)ReplaceFileWith(ShortcutCacheFile(dataFolder),
                        [&](const std::string& pending) { return WriteWholeFile(pending, bytes); });
}

}  // namespace

ShortcutCache ReadShortcutCache(const std::string& dataFolder) {
  std::optional<std::string> bytes = ReadWholeFile(ShortcutCacheFile(dataFolder), kShortcutCacheMaxBytes);
  if (!bytes) return {};
  std::optional<ShortcutCache> cache = ShortcutCache::Parse(*bytes);
  return cache ? std::move(*cache) : ShortcutCache();
}

ItemFolderRead ReadItemFolder(const std::string& itemFolder, ShortcutCache known) {
  ItemFolderRead read{itemFolder, ScanItemFolder(itemFolder), std::move(known), {}};
  for (const ScanEntry& entry : read.scan.shortcuts) {
    const ShortcutStamp stamp = StampOf(entry);
    if (std::optional<bool> isProgram = read.known.IsProgram(entry.name, stamp)) {
      read.shortcuts.Remember(entry.name, stamp, *isProgram, read.known.TargetOf(entry.name));
      continue;
    }
    std::optional<std::string> target = ReadPlainShortcutTarget(ItemFilePath(itemFolder, kPrograms, entry.name));
    if (!target) continue;  // left to the shell-link object
    const bool isProgram = IsProgramTarget(*target);  // before the target is moved away
    read.shortcuts.Remember(entry.name, stamp, isProgram, std::move(*target));
  }
  return read;
}

bool ShowItemFolder(ItemLists& lists, ItemFolderRead read, int sortOrder) {
  // Split in scan order and then put in order: the same as putting the whole
  // scan in order and splitting that, since both orders keep equal keys as
  // the scan had them.
  std::vector<ScanEntry> programs;
  std::vector<ScanEntry> files;
  for (ScanEntry& entry : read.scan.shortcuts) {
    const ShortcutStamp stamp = StampOf(entry);
    std::optional<bool> isProgram = read.shortcuts.IsProgram(entry.name, stamp);
    if (!isProgram) {
      std::string target;
      std::string arguments;
      (void)ReadShellLink(ItemFilePath(read.itemFolder, kPrograms, entry.name), target, arguments);  // unreadable: empty
      isProgram = IsProgramTarget(target);
      read.shortcuts.Remember(entry.name, stamp, *isProgram, std::move(target));
    }
    (*isProgram ? programs : files).push_back(std::move(entry));
  }
  ShowNames(lists, kPrograms, NamesInOrder(std::move(programs), sortOrder));
  ShowNames(lists, kFiles, NamesInOrder(std::move(files), sortOrder));
  ShowNames(lists, kUrls, NamesInOrder(std::move(read.scan.urls), sortOrder));
  ShowNames(lists, kMail, NamesInOrder(std::move(read.scan.mail), sortOrder));
  UpdateReadings(lists, read.known.readings(), read.shortcuts);
  const bool changed = !(read.shortcuts == read.known);
  lists.shortcuts = std::move(read.shortcuts);
  if (changed) lists.shortcutsUnsaved = true;
  return changed;
}

bool LoadItemLists(ItemLists& lists, const std::string& itemFolder, int sortOrder) {
  return ShowItemFolder(lists, ReadItemFolder(itemFolder, std::move(lists.shortcuts)), sortOrder);
}

std::future<ItemFolderRead> StartItemFolderRead(const std::string& itemFolder, const std::string& dataFolder) {
  auto read = [itemFolder, dataFolder] { return ReadItemFolder(itemFolder, ReadShortcutCache(dataFolder)); };
  // With a cache there is little to read (the listing and what changed), and
  // on a machine of two cores a second thread then slows the window down more
  // than it spares: that read is made when the result is taken. Without one,
  // every shortcut is read, beside the window being built.
  if (!FileExists(ShortcutCacheFile(dataFolder))) {
    try {
      return std::async(std::launch::async, read);
    } catch (const std::system_error&) {
      // No thread to be had: read when taken, as with a cache.
    }
  }
  return std::async(std::launch::deferred, read);
}

void SaveShortcutCacheIfChanged(ItemLists& lists, const std::string& dataFolder) {
  if (lists.readings->changes() != lists.readingsCached) {
    lists.readingsCached = lists.readings->changes();
    ReadingTable learnt = lists.readings->TableFor(AllListedNames(lists));
    if (!(learnt == lists.shortcuts.readings())) {
      lists.shortcuts.SetReadings(std::move(learnt));
      lists.shortcutsUnsaved = true;
    }
  }
  if (!lists.shortcutsUnsaved) return;
  lists.shortcutsUnsaved = false;  // one that cannot be saved is tried again only after the next change
  SaveShortcutCache(lists, dataFolder);
}

void SelectFirstEntries(const ItemLists& lists) {
  for (HWND list : lists.boxes) SendMessageA(list, LB_SETCURSEL, 0, 0);
}

bool RemoveListedEntry(ItemLists& lists, int kind, int index, const std::string& name) {
  if (kind < 0 || kind >= kListCount || index < 0) return false;
  HWND list = lists.boxes[kind];
  std::vector<std::string>& shown = lists.listedNames[kind];
  const std::size_t at = static_cast<std::size_t>(index);
  if (SendMessageA(list, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(shown.size())) return false;
  if (at >= shown.size() || shown[at] != name) return false;
  if (SendMessageA(list, LB_DELETESTRING, at, 0) == LB_ERR) return false;
  shown.erase(shown.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}
