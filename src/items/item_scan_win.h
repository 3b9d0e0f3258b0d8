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

// The key of the name order: fileName in UTF-16, upper-cased letter by letter
// as the platform's file system folds case for its own directory order.
std::u16string NameOrderKey(const char* fileName);
