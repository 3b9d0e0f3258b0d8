#include "items/shortcut_cache.h"

#include <charconv>
#include <cstdio>

namespace {

constexpr std::string_view kHeader = "HopdeckItemCache 3\r\n";
constexpr std::string_view kReadings = "READINGS ";
constexpr std::string_view kRead = "R ";
constexpr std::string_view kMissing = "M ";
constexpr std::string_view kEnd = "END ";
constexpr std::string_view kLineEnd = "\r\n";

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Hex16(std::uint64_t value) {
  char text[17] = {};
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// Takes a decimal number and the one space after it off the front of text.
bool TakeNumber(std::string_view& text, std::uint64_t& value) {
  std::size_t space = text.find(' ');
  if (space == 0 || space == std::string_view::npos) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + space, value);
  if (error != std::errc() || end != text.data() + space) return false;
  text.remove_prefix(space + 1);
  return true;
}

// Adds one "R" or "M" line to readings; false when it is not one, or names
// a name twice.
bool ParseReading(std::string_view line, ReadingTable& readings) {
  std::optional<std::string> reading;
  std::string_view name;
  if (line.substr(0, kRead.size()) == kRead) {
    line.remove_prefix(kRead.size());
    std::size_t tab = line.find('\t');
    if (tab == 0 || tab == std::string_view::npos) return false;
    name = line.substr(0, tab);
    reading = UsableReading(line.substr(tab + 1));
    if (!reading || *reading != line.substr(tab + 1)) return false;
  } else if (line.substr(0, kMissing.size()) == kMissing) {
    name = line.substr(kMissing.size());
    if (name.empty() || name.find('\t') != std::string_view::npos) return false;
  } else {
    return false;
  }
  return readings.byName.emplace(std::string(name), std::move(reading)).second;
}

}  // namespace

std::optional<bool> ShortcutCache::IsProgram(const std::string& name, const ShortcutStamp& stamp) const {
  auto found = entries_.find(name);
  if (found == entries_.end() || !(found->second.stamp == stamp)) return std::nullopt;
  return found->second.isProgram;
}

void ShortcutCache::Remember(const std::string& name, const ShortcutStamp& stamp, bool isProgram,
                             std::string target) {
  entries_[name] = Entry{stamp, isProgram, std::move(target)};
}

std::string ShortcutCache::TargetOf(const std::string& name) const {
  auto found = entries_.find(name);
  return found == entries_.end() ? std::string() : found->second.target;
}

std::string ShortcutCache::Serialize() const {
  std::string bytes(kHeader);
  for (const auto& [name, entry] : entries_) {
    bytes += std::to_string(entry.stamp.size) + " " + std::to_string(entry.stamp.writeTime) + " " +
             std::to_string(entry.stamp.creationTime) + (entry.isProgram ? " 1 " : " 0 ") + name + "\t" + entry.target + "\r\n";
  }
  bytes += std::string(kReadings) + (readings_.serviceWorked ? "1" : "0") + "\r\n";
  for (const auto& [name, reading] : readings_.byName) {
    bytes += reading ? std::string(kRead) + name + "\t" + *reading + "\r\n" : std::string(kMissing) + name + "\r\n";
  }
  std::string checksum = Hex16(Fnv1a64(bytes));
  bytes += std::string(kEnd) + std::to_string(entries_.size() + readings_.byName.size()) + " " + checksum + "\r\n";
  return bytes;
}

std::optional<ShortcutCache> ShortcutCache::Parse(std::string_view bytes) {
  if (bytes.size() > kShortcutCacheMaxBytes || bytes.substr(0, kHeader.size()) != kHeader) return std::nullopt;
  ShortcutCache cache;
  std::size_t position = kHeader.size();
  bool inReadings = false;
  while (true) {
    std::size_t end = bytes.find(kLineEnd, position);
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view line = bytes.substr(position, end - position);
    std::size_t next = end + kLineEnd.size();
    if (line.substr(0, kEnd.size()) == kEnd) {
      // The last line: the count, then the checksum of all that came before.
      std::string_view rest = line.substr(kEnd.size());
      std::uint64_t count = 0;
      if (!inReadings || !TakeNumber(rest, count) || count != cache.entries_.size() + cache.readings_.byName.size()) {
        return std::nullopt;
      }
      if (rest != Hex16(Fnv1a64(bytes.substr(0, position))) || next != bytes.size()) return std::nullopt;
      return cache;
    }
    if (line.substr(0, kReadings.size()) == kReadings) {
      std::string_view flag = line.substr(kReadings.size());
      if (inReadings || (flag != "0" && flag != "1")) return std::nullopt;
      inReadings = true;
      cache.readings_.serviceWorked = flag == "1";
      position = next;
      continue;
    }
    if (inReadings) {
      if (!ParseReading(line, cache.readings_)) return std::nullopt;
      position = next;
      continue;
    }
    Entry entry;
    std::uint64_t flag = 0;
    if (!TakeNumber(line, entry.stamp.size) || !TakeNumber(line, entry.stamp.writeTime) ||
        !TakeNumber(line, entry.stamp.creationTime) || !TakeNumber(line, flag) || flag > 1 || line.empty()) {
      return std::nullopt;
    }
    entry.isProgram = flag == 1;
    std::size_t tab = line.find('\t');
    if (tab == 0 || tab == std::string_view::npos) return std::nullopt;
    entry.target = std::string(line.substr(tab + 1));
    // A name twice makes the file suspect.
    if (!cache.entries_.emplace(std::string(line.substr(0, tab)), std::move(entry)).second) return std::nullopt;
    position = next;
  }
}
