// Listing the item files in the item folder.
#pragma once
#include <string>
#include <vector>

#include "items/item_order.h"

// The item files of folder by kind, each in name order and at most
// kScanCapacity of them. Folders and files with other extensions are left
// out; a missing folder gives none.
struct ItemFolderScan {
  std::vector<ScanEntry> shortcuts;  // *.lnk
  std::vector<ScanEntry> urls;       // *.url
  std::vector<ScanEntry> mail;       // *.mail
};
ItemFolderScan ScanItemFolder(const std::string& folder);

// The one item file itemFile (a full path, no wildcards) as the listing of
// its folder gives it: its entry in the vector of its kind, under the name's
// spelling on disk. Empty when it is missing or no item file.
ItemFolderScan ScanItemFile(const std::string& itemFile);

// The key of the name order: fileName in UTF-16, upper-cased letter by letter
// as the platform's file system folds case for its own directory order.
std::u16string NameOrderKey(const char* fileName);
