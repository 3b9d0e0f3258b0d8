// The four list boxes hold nothing but item names. Every load rebuilds all of
// them from the ItemFolder: shortcuts split into programs and files by their
// targets (opening only those the shortcut cache does not know as they are
// now), the URL and mail items by their file names alone. Between loads a
// delete, add or edit changes only its own entries, as the next load would.
#include "items/item_lists_win.h"

#include "items/item_name.h"
#include "items/item_order.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "platform/files_win.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
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

// ShowNames for entries in order, which listedOrder keeps beside the names.
// Unless now, an empty box is left empty and marked unfilled. A box left
// unfilled before is empty while listedNames is not: ShowNames fills it whole.
void ShowEntries(ItemLists& lists, int kind, std::vector<ScanEntry> ordered, bool now) {
  std::vector<std::string> names;
  names.reserve(ordered.size());
  for (const ScanEntry& entry : ordered) names.push_back(entry.name);
  if (!now && !names.empty() && SendMessageA(lists.boxes[kind], LB_GETCOUNT, 0, 0) == 0) {
    lists.listedNames[kind] = std::move(names);
    lists.unfilled[kind] = true;
  } else {
    lists.unfilled[kind] = false;
    ShowNames(lists, kind, std::move(names));
  }
  lists.listedOrder[kind] = std::move(ordered);
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

bool ShowItemFolder(ItemLists& lists, ItemFolderRead read, int sortOrder, int onlyBox) {
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
  auto now = [onlyBox](int kind) { return onlyBox < 0 || onlyBox == kind; };
  ShowEntries(lists, kPrograms, EntriesInOrder(std::move(programs), sortOrder), now(kPrograms));
  ShowEntries(lists, kFiles, EntriesInOrder(std::move(files), sortOrder), now(kFiles));
  ShowEntries(lists, kUrls, EntriesInOrder(std::move(read.scan.urls), sortOrder), now(kUrls));
  ShowEntries(lists, kMail, EntriesInOrder(std::move(read.scan.mail), sortOrder), now(kMail));
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

bool FillListBox(ItemLists& lists, int kind) {
  if (!lists.unfilled[kind]) return false;
  lists.unfilled[kind] = false;
  ShowNames(lists, kind, lists.listedNames[kind]);
  SendMessageA(lists.boxes[kind], LB_SETCURSEL, 0, 0);
  return true;
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
  std::vector<ScanEntry>& order = lists.listedOrder[kind];
  if (at < order.size()) order.erase(order.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}

namespace {

// The lists a kind of item file is shown in, and its extension.
struct FileGroup {
  const char* extension;
  std::vector<int> kinds;
};

const FileGroup kShortcutGroup{".lnk", {kPrograms, kFiles}};
const FileGroup kUrlGroup{".url", {kUrls}};
const FileGroup kMailGroup{".mail", {kMail}};

// The group of an item file by its extension, and the item's name.
const FileGroup* GroupOf(const std::string& itemFile, std::string& name) {
  std::string_view fileName = LastPathComponent(itemFile);
  for (const FileGroup* group : {&kShortcutGroup, &kUrlGroup, &kMailGroup}) {
    if (std::optional<std::string> stem = ItemNameOf(fileName, group->extension)) {
      name = std::move(*stem);
      return group;
    }
  }
  return nullptr;
}

struct ListedPlace {
  int kind;
  std::size_t index;
  bool operator==(const ListedPlace&) const = default;
};

// The listed entries of group for which matches(entry) holds.
template <class Matches>
std::vector<ListedPlace> PlacesIn(const ItemLists& lists, const FileGroup& group, Matches matches) {
  std::vector<ListedPlace> places;
  for (int kind : group.kinds) {
    const std::vector<ScanEntry>& order = lists.listedOrder[kind];
    for (std::size_t i = 0; i < order.size(); ++i) {
      if (matches(order[i])) places.push_back({kind, i});
    }
  }
  return places;
}

bool ListsAsLoaded(const ItemLists& lists) {
  for (int kind = 0; kind < kListCount; ++kind) {
    const std::size_t count = lists.listedNames[kind].size();
    if (lists.listedOrder[kind].size() != count) return false;
    if (SendMessageA(lists.boxes[kind], LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(count)) return false;
    for (std::size_t i = 0; i < count; ++i) {
      if (lists.listedOrder[kind][i].name != lists.listedNames[kind][i]) return false;
    }
  }
  return true;
}

}  // namespace

bool ShowWrittenItem(ItemLists& lists, const std::string& writtenFile, const std::string& removedFile, int sortOrder) {
  if (sortOrder < kByName || sortOrder > kNewestFirst || !ListsAsLoaded(lists)) return false;

  // The written file as a load would list it: its spelling on disk and its times.
  ItemFolderScan scan = ScanItemFile(writtenFile);
  std::string writtenName;
  const FileGroup* group = GroupOf(writtenFile, writtenName);
  std::vector<ScanEntry>* found = group == &kShortcutGroup ? &scan.shortcuts : group == &kUrlGroup ? &scan.urls : &scan.mail;
  if (group == nullptr || found->size() != 1 ||
      scan.shortcuts.size() + scan.urls.size() + scan.mail.size() != 1) {
    return false;
  }
  ScanEntry entry = std::move(found->front());

  // What goes: the removed file's entry, named exactly as the edit found it,
  // and whatever entry named the written file (in any spelling of its letters).
  std::vector<ListedPlace> leaving;
  const FileGroup* removedGroup = nullptr;
  std::string removedName;
  if (!removedFile.empty()) {
    removedGroup = GroupOf(removedFile, removedName);
    if (removedGroup == nullptr) return false;
    leaving = PlacesIn(lists, *removedGroup, [&](const ScanEntry& listed) { return listed.name == removedName; });
    if (leaving.size() != 1) return false;
  }
  std::vector<ListedPlace> replaced =
      PlacesIn(lists, *group, [&](const ScanEntry& listed) { return listed.nameKey == entry.nameKey; });
  if (replaced.size() > 1) return false;
  std::string replacedName;
  if (!replaced.empty()) {
    replacedName = lists.listedOrder[replaced[0].kind][replaced[0].index].name;
    if (leaving.empty() || !(leaving[0] == replaced[0])) leaving.push_back(replaced[0]);
  }
  std::size_t groupCount = 0;
  for (int kind : group->kinds) groupCount += lists.listedOrder[kind].size();
  for (const ListedPlace& place : leaving) {
    if (std::find(group->kinds.begin(), group->kinds.end(), place.kind) != group->kinds.end()) --groupCount;
  }
  // A load takes the first kScanCapacity files by name: one more might not be among them.
  if (groupCount >= kScanCapacity) return false;

  int kind = group->kinds.front();
  if (group == &kShortcutGroup) {
    std::optional<std::string> target = ReadPlainShortcutTarget(writtenFile);
    if (!target) {
      std::string arguments;
      target.emplace();
      (void)ReadShellLink(writtenFile, *target, arguments);  // unreadable: empty
    }
    const bool isProgram = IsProgramTarget(*target);
    kind = isProgram ? kPrograms : kFiles;
    if (removedGroup == &kShortcutGroup) lists.shortcuts.Forget(removedName);
    if (!replacedName.empty()) lists.shortcuts.Forget(replacedName);
    lists.shortcuts.Remember(entry.name, StampOf(entry), isProgram, std::move(*target));
    lists.shortcutsUnsaved = true;
  }

  // Later indexes first, so the earlier ones still hold.
  std::sort(leaving.begin(), leaving.end(),
            [](const ListedPlace& a, const ListedPlace& b) { return a.kind != b.kind ? a.kind < b.kind : a.index > b.index; });
  for (const ListedPlace& place : leaving) {
    SendMessageA(lists.boxes[place.kind], LB_DELETESTRING, place.index, 0);
    const auto at = static_cast<std::ptrdiff_t>(place.index);
    lists.listedNames[place.kind].erase(lists.listedNames[place.kind].begin() + at);
    lists.listedOrder[place.kind].erase(lists.listedOrder[place.kind].begin() + at);
  }
  std::vector<ScanEntry>& order = lists.listedOrder[kind];
  const std::size_t at = *InsertPosition(order, entry, sortOrder);
  // A list box out of room shows the entry at the reload, whose comparison then finds it missing.
  if (SendMessageA(lists.boxes[kind], LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(entry.name.c_str())) < 0) return true;
  lists.listedNames[kind].insert(lists.listedNames[kind].begin() + static_cast<std::ptrdiff_t>(at), entry.name);
  order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
  return true;
}
