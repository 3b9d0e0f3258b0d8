// Filling the four list boxes from the ItemFolder.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "items/item_scan_win.h"
#include "items/list_kind.h"
#include "items/name_readings.h"
#include "items/name_readings_win.h"
#include "items/shortcut_cache.h"

// The four list boxes and what the loads know about them.
struct ItemLists {
  std::array<HWND, kListCount> boxes{};
  std::array<std::vector<std::string>, kListCount> listedNames;  // what the last load put in each list
  // The same entries with what puts them in order, where one written item is placed.
  std::array<std::vector<ScanEntry>, kListCount> listedOrder;
  // Lists whose box a start left empty though listedNames holds their
  // entries, for FillListBox once the window first waits for input.
  std::array<bool, kListCount> unfilled{};
  ShortcutCache shortcuts;        // which list each shortcut went to at the last load
  bool shortcutsUnsaved = false;  // a load changed them since the cache file was written
  // The readings of the listed names: what the cache held and what the
  // service has read since, which the search takes up as they come.
  std::shared_ptr<NameReadings> readings = std::make_shared<NameReadings>();
  std::unique_ptr<NameReadingService> readingService;  // made when a load first has names to ask for
  std::uint64_t readingsCached = 0;  // readings->changes() when shortcuts last took the readings up
};

// What a load learns from the item folder before it shows anything: the
// listing, and which list each shortcut goes to. Made without a window, COM
// or the lists, so a first start has it made on a second thread while the main
// window is being built.
struct ItemFolderRead {
  std::string itemFolder;
  ItemFolderScan scan;
  ShortcutCache known;      // what was known when the read began
  ShortcutCache shortcuts;  // the listed shortcuts as they are now, but for those left to the shell-link object
};

// Lists itemFolder and reads the listed shortcuts that known does not know as
// they are now, from their bytes. Those whose bytes do not hold the target
// plainly are left to ShowItemFolder: the shell-link object they need may
// look for a moved target and ask the user, which is for the thread that owns
// the window.
ItemFolderRead ReadItemFolder(const std::string& itemFolder, ShortcutCache known);

// Reads through the shell-link object what read left to it, then shows read
// in the four lists in sortOrder and has the readings of the listed names
// that are not known asked for; lists.shortcuts becomes the read's and,
// when it changed, is marked unsaved. True when it changed, so that the
// caller can have it saved soon. With onlyBox one of the lists, the other
// boxes, when empty, are left so (unfilled) and everything else is done.
bool ShowItemFolder(ItemLists& lists, ItemFolderRead read, int sortOrder, int onlyBox = -1);

// Fills list box kind with what listedNames holds for it, when a start left
// it unfilled, and selects its first entry; false when there was nothing to do.
bool FillListBox(ItemLists& lists, int kind);

// Both of the above, from what lists.shortcuts knows.
bool LoadItemLists(ItemLists& lists, const std::string& itemFolder, int sortOrder);

// ReadItemFolder from the cache a previous run saved in dataFolder: what a
// start shows. When dataFolder holds no cache (a first start), it runs on a
// thread of its own from the moment this is called; otherwise, on the thread
// that takes the result, when it takes it.
std::future<ItemFolderRead> StartItemFolderRead(const std::string& itemFolder, const std::string& dataFolder);

// Writes the cache to dataFolder when a load changed it, or readings were
// learnt, since it was last written. A cache that cannot be saved costs the next start its reads.
void SaveShortcutCacheIfChanged(ItemLists& lists, const std::string& dataFolder);

// The cache a previous run saved in dataFolder; one that is missing or not
// whole gives an empty one.
ShortcutCache ReadShortcutCache(const std::string& dataFolder);

// Selects the first entry of each list box (an empty list keeps none).
void SelectFirstEntries(const ItemLists& lists);

// Takes the entry at index, which shows name, out of list box kind and out of
// what the last load listed: what a load would do after that one item file
// was deleted, without rereading the folder. False, with nothing changed,
// when the list box no longer holds what the last load put there.
bool RemoveListedEntry(ItemLists& lists, int kind, int index, const std::string& name);

// What a load would show after an add or edit wrote writtenFile (a full path)
// and, for an edit to another name or kind, removed removedFile, without
// rereading the folder: the removed file's entry and any entry of the written
// file go, the written file's entry goes in where sortOrder puts it, and the
// shortcut cache learns it (marked unsaved). Only the written shortcut is
// read. False, with nothing changed, when the lists no longer hold what the
// last load put there, when an entry to go is not listed, when the written
// file is not there, or when its kind holds as many files as a load takes.
bool ShowWrittenItem(ItemLists& lists, const std::string& writtenFile, const std::string& removedFile, int sortOrder);
