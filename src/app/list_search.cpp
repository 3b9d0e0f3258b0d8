#include "app/list_search.h"

#include <cstdio>

#include "app/item_command_texts.h"
#include "items/item_order.h"
#include "platform/sjis_find.h"
#include "platform/sjis.h"

int FindListEntry(int count, int selection, bool forward, std::string_view term,
                  const std::function<std::string(int)>& entryText) {
  if (count <= 0) return -1;
  if (selection >= count) selection = count - 1;
  int step = forward ? 1 : -1;
  int first = forward ? (selection < 0 ? 0 : selection + 1) : selection - 1;
  for (int index = first; index >= 0 && index < count; index += step) {
    // An entry is read as a path field would hold it: at most 260 bytes.
    std::string text = SjisCut(entryText(index), kPathTextBytes);
    if (FindIn(text, term) >= 0) return index;
  }
  return -1;
}

std::string PositionText(int count, int selection) {
  if (count <= 0) return kNoEntriesText;
  char text[64] = {};
  std::snprintf(text, sizeof(text), kPositionFormat, count, selection + 1);
  return text;
}

const char* SortOrderName(int sortOrder) {
  return (sortOrder >= kByNameReversed && sortOrder <= kNewestFirst) ? kSortOrderNames[sortOrder]
                                                                    : kSortOrderNames[kByName];
}

std::string FitFindTerm(std::string_view term) { return SjisCut(term, kFindTermTextBytes); }
