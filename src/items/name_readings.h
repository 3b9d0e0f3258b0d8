// The readings of item names: the kana a name written in kanji is read as,
// so that the search over all lists finds 電卓 by "dentaku" or "でんたく". The
// input method's language service gives them on a thread of its own
// (name_readings_win.h); this is what the window's thread and that thread
// share, and what the item cache keeps of it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Whether the name holds a character that is neither kana nor ASCII (nor a
// full-width form of an ASCII one): a kanji, most often. Only such a name is
// worth a reading; the search already reads kana and romaji.
bool NeedsReading(std::string_view name);

// A reading is cut to this many bytes, on a character boundary.
constexpr std::size_t kReadingMaxBytes = 1024;

// The reading the service gave as it may be kept: cut to kReadingMaxBytes;
// nothing for an empty one or one holding a control character (the cache is
// one line per name).
std::optional<std::string> UsableReading(std::string_view reading);

// What is known of the readings at one moment. A name maps to its reading
// (Shift-JIS, as the service gave it) or to nothing when the service could
// not give one.
struct ReadingTable {
  std::map<std::string, std::optional<std::string>> byName;
  // Whether the service answered the last run that asked it. While it did
  // not, the names it could not read are asked again.
  bool serviceWorked = true;
  bool operator==(const ReadingTable&) const = default;
};

// What to ask the service for: the names no reading is known for, and those
// it could not read before, to be asked again only if the service works.
struct ReadingRequest {
  std::vector<std::string> fresh;
  std::vector<std::string> retry;
  bool empty() const { return fresh.empty() && retry.empty(); }
};

// The readings of one run, shared by the thread that asks the service and
// the window's thread; every member takes the lock.
class NameReadings {
 public:
  // Takes in what the cache held, for names not known yet.
  void Merge(const ReadingTable& table);
  void Learn(const std::string& name, std::string reading);
  void Miss(const std::string& name);
  void SetServiceWorked(bool worked);

  // Whether a reading of name is known (knownMissing: or that the service
  // could not give one).
  bool Knows(const std::string& name, bool knownMissing) const;
  // What of names must be asked for, each name once.
  ReadingRequest ToAsk(const std::vector<std::string>& names) const;
  // The readings learnt from position from on, in the order they were
  // learnt, appended to out; returns the position after the last.
  std::size_t KnownSince(std::size_t from, std::vector<std::pair<std::string, std::string>>& out) const;
  // What is known of names, for the cache.
  ReadingTable TableFor(const std::vector<std::string>& names) const;
  // Counts every change, so a saver can tell whether there is news.
  std::uint64_t changes() const;

 private:
  mutable std::mutex lock_;
  ReadingTable table_;
  bool outcomeSet_ = false;  // this run learnt whether the service works
  std::vector<std::pair<std::string, std::string>> learnt_;  // every known reading, in order
  std::uint64_t changes_ = 0;
};
