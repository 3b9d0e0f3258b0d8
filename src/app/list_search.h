// The parts of the item commands that need no window: the search through a
// list's entries and the texts of the spoken announcements.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Searches the entries after (forward) or before (backward) selection for the
// first one that holds term, without wrapping round. selection -1 (none)
// starts a forward search at the first entry and gives an empty backward
// range. entryText(i) is the text of entry i. The index found, or -1.
int FindListEntry(int count, int selection, bool forward, std::string_view term,
                  const std::function<std::string(int)>& entryText);

// "%d項目中%d項目目" with count and selection + 1, or "項目なし" for an empty list.
std::string PositionText(int count, int selection);

// The name of a sort order; any value other than 1, 2 and 3 is "名前順".
const char* SortOrderName(int sortOrder);

// The find term as stored: at most 127 bytes, cut on a character boundary.
constexpr std::size_t kFindTermTextBytes = 127;
std::string FitFindTerm(std::string_view term);
