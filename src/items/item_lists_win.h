// Filling the four list boxes from the ItemFolder.
#pragma once

struct AppState;

// Rebuilds the four lists. The current directory must be the ItemFolder.
void LoadItemLists(AppState& app);

// LoadItemLists with the current directory set to the ItemFolder and back.
void ReloadItemLists(AppState& app);

// Selects the first entry of each list box (an empty list keeps none).
void SelectFirstEntries(AppState& app);
