// Ordering the item files of one folder scan: the name order, the creation-time
// order, the four sort orders, and which list a shortcut belongs to.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// At most this many files of one extension take part in a load.
constexpr std::size_t kScanCapacity = 500;

struct ScanEntry {
  std::string name;            // file name without its extension, Shift-JIS
  std::u16string nameKey;      // whole file name in UTF-16, upper-cased: the name order
  std::uint64_t creationTime;  // 100-ns units since 1601-01-01 UTC, as the file system reports it
  std::uint64_t writeTime = 0;  // last write, in the same units
  std::uint64_t size = 0;       // bytes
};

// The item name of a listed file: fileName without its extension. Nothing
// when fileName does not end in extension (given in lower case; the file
// name's letters are compared case-blind).
std::optional<std::string> ItemNameOf(std::string_view fileName, std::string_view extension);

// Puts a scan in name order (nameKey code unit by code unit) and keeps the
// first kScanCapacity entries.
void FinishScan(std::vector<ScanEntry>& scan);

// Oldest first; entries with equal times keep their order.
void SortByCreationTime(std::vector<ScanEntry>& scan);

// The lists' order ("Option0"). A stored value outside these is kept as it
// is and orders nothing.
enum SortOrder : int { kByName = 0, kByNameReversed = 1, kOldestFirst = 2, kNewestFirst = 3 };

// The entries of a finished scan in the order sortOrder gives; none for a
// value that is no SortOrder.
std::vector<ScanEntry> EntriesInOrder(std::vector<ScanEntry> scan, int sortOrder);
// Their names alone.
std::vector<std::string> NamesInOrder(std::vector<ScanEntry> scan, int sortOrder);

// Where entry stands among listed, entries that stand in sortOrder and hold
// none of entry's name: the index EntriesInOrder would give it had the scan
// held it too. Nothing for a value that is no SortOrder.
std::optional<std::size_t> InsertPosition(const std::vector<ScanEntry>& listed, const ScanEntry& entry, int sortOrder);

// True when target holds ".exe" after its first byte (letters case-blind).
bool IsProgramTarget(std::string_view target);
