// Listing the item files of one extension in the current directory.
#pragma once
#include <string>
#include <vector>

#include "items/item_order.h"

// The files matching pattern ("*.lnk", "*.url", "*.mail") in the current
// directory, in name order, at most kScanCapacity of them. Folders and files
// whose name does not end in the pattern's extension are left out.
std::vector<ScanEntry> ScanItemFiles(const char* pattern);

// The key of the name order: fileName in UTF-16, upper-cased letter by letter
// as the platform's file system folds case for its own directory order.
std::u16string NameOrderKey(const char* fileName);
