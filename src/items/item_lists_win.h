// Filling the four list boxes from the ItemFolder.
#pragma once

struct AppState;

// Rebuilds the four lists from app.itemFolder. Only shortcuts that are new
// or changed since app.shortcuts learnt them are opened; the cache then
// holds exactly the listed shortcuts and, when it changed, is marked unsaved
// and the main window's kSaveCacheTimer started.
void LoadItemLists(AppState& app);

// Writes the cache to the DataFolder when a load changed it since it was
// last written. A cache that cannot be saved costs the next start its reads.
void SaveShortcutCacheIfChanged(AppState& app);

// Takes up the cache a previous run saved in the DataFolder; one that is
// missing or not whole leaves app.shortcuts empty.
void LoadShortcutCache(AppState& app);

// Selects the first entry of each list box (an empty list keeps none).
void SelectFirstEntries(AppState& app);
