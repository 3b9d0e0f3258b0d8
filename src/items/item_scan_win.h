// Listing the item files of one extension in the item folder.
#pragma once
#include <string>
#include <vector>

#include "items/item_order.h"

// The files of folder with this extension (".lnk", ".url", ".mail"), in name
// order, at most kScanCapacity of them. Folders and files whose name does not
// end in the extension (8.3 matches) are left out; a missing folder gives none.
std::vector<ScanEntry> ScanItemFiles(const std::string& folder, const char* extension);

// The key of the name order: fileName in UTF-16, upper-cased letter by letter
// as the platform's file system folds case for its own directory order.
std::u16string NameOrderKey(const char* fileName);
