// Adding an item of a main list to the favourites.
#pragma once
#include <string>

class Voice;
struct RecordLog;

// Adds the item of list listKind named name, whose item file is itemFile, at
// the top of the favourites log (its file in dataFolder) and says how it went:
// added, refused as full, as a duplicate or for want of a target, or not saved.
void AddItemToFavourites(int listKind, const std::string& itemFile, const std::string& name, RecordLog& log,
                         const std::string& dataFolder, const Voice& voice);
