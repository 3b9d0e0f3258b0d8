// Which list each shortcut belongs to, and its target, remembered so that a
// reload, the next start and the search over all lists open only the
// shortcuts that are new or changed. An entry
// counts only while the file's size, last-write time and creation time are
// those it was read with; a rewrite (even one in place) changes them.
//
// It also keeps the readings of the item names of all four lists
// (name_readings.h), so that a start with nothing changed asks the input
// method for none. A reading is keyed by the name it reads, which is all it
// depends on: a rename or an add is a name not known yet.
//
// Across runs the cache lives in "itemcache.dat" in the DataFolder, written
// whole and checked whole:
//
//   HopdeckItemCache 3\r\n
//   <size> <write time> <creation time> <0|1> <name>\t<target>\r\n     one per shortcut
//   READINGS <0|1>\r\n          whether the service answered when last asked
//   R <name>\t<reading>\r\n     one per name read
//   M <name>\r\n                one per name the service could not read
//   END <count of the lines between header and END, READINGS left out>
//       <FNV-1a 64 of every byte before "END", 16 hex digits>\r\n
//
// (A file name never holds a tab or a line break, and neither does a path or
// a kept reading.) A cache of an earlier version is not read: the start that
// finds one reads every shortcut and asks for every reading once.
//
// A file that deviates in any byte is ignored, never trusted in part. It
// holds nothing that is not in the item files, and decides nothing but the
// list a shortcut is shown in and what the search over all lists matches:
// every command that uses a target reads the shortcut itself.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "items/item_order.h"
#include "items/name_readings.h"

struct ShortcutStamp {
  std::uint64_t size = 0;
  std::uint64_t writeTime = 0;     // 100-ns units since 1601, as the listing reports them
  std::uint64_t creationTime = 0;
  bool operator==(const ShortcutStamp&) const = default;
};

inline ShortcutStamp StampOf(const ScanEntry& entry) { return {entry.size, entry.writeTime, entry.creationTime}; }

class ShortcutCache {
 public:
  // Whether the shortcut name goes to the programs list, if it was read with
  // this very stamp.
  std::optional<bool> IsProgram(const std::string& name, const ShortcutStamp& stamp) const;
  void Remember(const std::string& name, const ShortcutStamp& stamp, bool isProgram, std::string target);
  void Forget(const std::string& name) { entries_.erase(name); }
  // The target the shortcut name was read with; empty when unknown or unreadable.
  std::string TargetOf(const std::string& name) const;
  std::size_t size() const { return entries_.size(); }
  const ReadingTable& readings() const { return readings_; }
  void SetReadings(ReadingTable readings) { readings_ = std::move(readings); }
  bool operator==(const ShortcutCache&) const = default;

  std::string Serialize() const;
  // Nothing unless bytes are a whole, unaltered cache of this version.
  static std::optional<ShortcutCache> Parse(std::string_view bytes);

 private:
  struct Entry {
    ShortcutStamp stamp;
    bool isProgram = false;
    std::string target;
    bool operator==(const Entry&) const = default;
  };
  std::map<std::string, Entry> entries_;
  ReadingTable readings_;
};

// The cache file's largest believable size: 500 entries of at most 260-byte
// names and targets and their numbers, and 1,500 names with their readings,
// with room to spare.
constexpr std::size_t kShortcutCacheMaxBytes = 4 * 1024 * 1024;
