// Filling the four list boxes from the ItemFolder.
#pragma once

struct AppState;

// Rebuilds the four lists from app.itemFolder. Only shortcuts that are new
// or changed since app.shortcuts learnt them are opened; the cache then
// holds exactly the listed shortcuts and, when it changed, is saved.
void LoadItemLists(AppState& app);

// Takes up the cache a previous run saved in the DataFolder; one that is
// missing or not whole leaves app.shortcuts empty.
void LoadShortcutCache(AppState& app);

// Selects the first entry of each list box (an empty list keeps none).
void SelectFirstEntries(AppState& app);
