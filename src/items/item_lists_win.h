// Filling the four list boxes from the ItemFolder.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "items/list_kind.h"
#include "items/shortcut_cache.h"

// The four list boxes and what the loads know about them.
struct ItemLists {
  std::array<HWND, kListCount> boxes{};
  std::array<std::vector<std::string>, kListCount> listedNames;  // what the last load put in each list
  ShortcutCache shortcuts;        // which list each shortcut went to at the last load
  bool shortcutsUnsaved = false;  // a load changed them since the cache file was written
};

// Rebuilds the four lists from itemFolder in sortOrder. Only shortcuts that
// are new or changed since lists.shortcuts learnt them are opened; the cache
// then holds exactly the listed shortcuts and, when it changed, is marked
// unsaved. True when it changed, so that the caller can have it saved soon.
bool LoadItemLists(ItemLists& lists, const std::string& itemFolder, int sortOrder);

// Writes the cache to dataFolder when a load changed it since it was last
// written. A cache that cannot be saved costs the next start its reads.
void SaveShortcutCacheIfChanged(ItemLists& lists, const std::string& dataFolder);

// Takes up the cache a previous run saved in dataFolder; one that is missing
// or not whole leaves lists.shortcuts empty.
void LoadShortcutCache(ItemLists& lists, const std::string& dataFolder);

// Selects the first entry of each list box (an empty list keeps none).
void SelectFirstEntries(const ItemLists& lists);
