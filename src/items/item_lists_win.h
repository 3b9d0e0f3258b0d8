// Filling the four list boxes from the ItemFolder.
#pragma once

struct AppState;

// Rebuilds the four lists from app.itemFolder.
void LoadItemLists(AppState& app);

// Selects the first entry of each list box (an empty list keeps none).
void SelectFirstEntries(AppState& app);
