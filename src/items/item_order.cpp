#include "items/item_order.h"

#include <algorithm>
#include <utility>

#include "platform/sjis_find.h"

std::optional<std::string> ItemNameOf(std::string_view fileName, std::string_view extension) {
  if (fileName.size() < extension.size()) return std::nullopt;
  std::size_t stem = fileName.size() - extension.size();
  // A listing for "*.lnk" also delivers "Old.lnk2" through its 8.3 alias
  // "OLD~1.LNK"; only a name that really ends in the extension is an item.
  // The extension is ASCII and no trail byte is a '.', so a match at the end
  // is whole characters.
  for (std::size_t i = 0; i < extension.size(); ++i) {
    char c = fileName[stem + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != extension[i]) return std::nullopt;
  }
  return std::string(fileName.substr(0, stem));
}

namespace {

// Names that differ only in case can share a folder on a case-sensitive
// file system; their bytes decide, so the order is the same on every run.
bool NameBefore(const ScanEntry& a, const ScanEntry& b) {
  if (a.nameKey != b.nameKey) return a.nameKey < b.nameKey;
  return a.name < b.name;
}

bool IsReversed(int sortOrder) { return sortOrder == kByNameReversed || sortOrder == kNewestFirst; }
bool IsByTime(int sortOrder) { return sortOrder == kOldestFirst || sortOrder == kNewestFirst; }

}  // namespace

void FinishScan(std::vector<ScanEntry>& scan) {
  std::sort(scan.begin(), scan.end(), NameBefore);
  if (scan.size() > kScanCapacity) scan.resize(kScanCapacity);
}

// Stable, so the order is the one an exchange sort of strictly earlier
// neighbours gives, without its 124,750 comparisons for 500 entries.
void SortByCreationTime(std::vector<ScanEntry>& scan) {
  std::stable_sort(scan.begin(), scan.end(),
                   [](const ScanEntry& a, const ScanEntry& b) { return a.creationTime < b.creationTime; });
}

std::vector<ScanEntry> EntriesInOrder(std::vector<ScanEntry> scan, int sortOrder) {
  if (sortOrder < kByName || sortOrder > kNewestFirst) return {};
  if (IsByTime(sortOrder)) SortByCreationTime(scan);
  if (IsReversed(sortOrder)) std::reverse(scan.begin(), scan.end());
  return scan;
}

std::vector<std::string> NamesInOrder(std::vector<ScanEntry> scan, int sortOrder) {
  std::vector<std::string> names;
  names.reserve(scan.size());
  for (ScanEntry& entry : EntriesInOrder(std::move(scan), sortOrder)) names.push_back(std::move(entry.name));
  return names;
}

// A finished scan is in name order, and the stable sort by time keeps that
// order among equal times: the orders are by (time, name) or by name alone,
// forwards or backwards, and a binary search finds the place.
std::optional<std::size_t> InsertPosition(const std::vector<ScanEntry>& listed, const ScanEntry& entry, int sortOrder) {
  if (sortOrder < kByName || sortOrder > kNewestFirst) return std::nullopt;
  const bool byTime = IsByTime(sortOrder);
  auto ascending = [byTime](const ScanEntry& a, const ScanEntry& b) {
    if (byTime && a.creationTime != b.creationTime) return a.creationTime < b.creationTime;
    return NameBefore(a, b);
  };
  const bool reversed = IsReversed(sortOrder);
  auto stands = [&](const ScanEntry& a, const ScanEntry& b) { return reversed ? ascending(b, a) : ascending(a, b); };
  return static_cast<std::size_t>(std::lower_bound(listed.begin(), listed.end(), entry, stands) - listed.begin());
}

bool IsProgramTarget(std::string_view target) { return FindInIgnoreCase(target, ".exe") > 0; }
