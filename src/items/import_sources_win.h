// Where the shortcuts to take in come from, and what the item folder holds.
#pragma once
#include <string>
#include <vector>

#include "items/import_choice.h"

// Every ".lnk" and ".url" file under the all-users and the user's Start-menu
// "Programs" folders (subfolders included) and on the all-users and the
// user's desktop, in that order, each read without resolving it.
std::vector<ImportCandidate> FindImportCandidates();

// The items of itemFolder: names, shortcut targets and counts per kind.
ExistingItems ReadExistingItems(const std::string& itemFolder);

// NameOrderKey for a view.
std::u16string CaseBlindKeyOf(std::string_view text);
