// Which list each shortcut belongs to, and its target, remembered so that a
// reload, the next start and the search over all lists open only the
// shortcuts that are new or changed. An entry
// counts only while the file's size, last-write time and creation time are
// those it was read with; a rewrite (even one in place) changes them.
//
// Across runs the cache lives in "itemcache.dat" in the DataFolder, written
// whole and checked whole:
//
//   HopdeckItemCache 2\r\n
//   <size> <write time> <creation time> <0|1> <name>\t<target>\r\n     one per shortcut
//
// (A file name never holds a tab or a line break, and neither does a path.)
//   END <count> <FNV-1a 64 of every byte before "END", 16 hex digits>\r\n
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

#include "items/item_order.h"

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
  // The target the shortcut name was read with; empty when unknown or unreadable.
  std::string TargetOf(const std::string& name) const;
  std::size_t size() const { return entries_.size(); }
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
};

// The cache file's largest believable size: 500 entries of at most 260-byte
// names and targets and their numbers, with room to spare.
constexpr std::size_t kShortcutCacheMaxBytes = 512 * 1024;
