// The Send-to cleanup list: which files it shows, under which names, and
// where the selection goes after a deletion.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The list holds at most this many shortcuts, in file-system order.
constexpr std::size_t kSendToMaxEntries = 500;

// The list name of a shortcut file: its file name without the ".lnk" ending
// (further dots stay). nullopt for a name that does not end in ".lnk", such
// as one a wildcard matched through its short name.
std::optional<std::string> SendToEntryName(std::string_view fileName);

// The question asked before deleting the shortcut listed as name.
std::string SendToDeleteQuestion(std::string_view name);

// The line to select after line deletedIndex was deleted and the list was
// refilled with remaining lines: the same line, or the new last one, or -1
// (nothing) when the list is empty.
int SelectionAfterDelete(int deletedIndex, int remaining);
