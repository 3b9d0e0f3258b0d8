// Finding what Hopdeck can start as the user types: folding the bytes a
// person reads as the same (case, widths, hiragana and katakana), reading a
// word typed in ASCII letters as romaji, and putting the matches in order.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// text (Shift-JIS) with ASCII letters in lower case, full-width ASCII letters,
// digits, signs and the full-width space as ASCII, half-width katakana as
// full-width (a voiced or semi-voiced mark joined to the kana before it), and
// hiragana as katakana.
std::string FoldForFind(std::string_view text);

struct FindItem {
  std::string name;    // Shift-JIS, as the search shows it
  std::string target;  // path, URL or mail address; may be empty
  int list = 0;        // within the four lists: 0 programs, 1 files, 2 URLs, 3 mail
  int recency = -1;    // index in the history (0 = launched last), -1 when not there
  int source = 0;      // where it comes from, in the order matches of one kind are shown (the lists are 0)
};

class NameReadings;

// What the search finds, with the folded forms of names and targets.
class QuickFindIndex {
 public:
  // Where the readings of the names come from (name_readings.h): a name is
  // also found by its reading, as it would be by itself. Each search first
  // takes up what was learnt since the one before.
  void UseReadings(std::shared_ptr<const NameReadings> readings);
  void Clear();
  void Add(FindItem item);
  std::size_t size() const { return items_.size(); }
  const FindItem& item(std::size_t index) const { return items_[index].item; }
  void SetRecency(std::size_t index, int recency) { items_[index].item.recency = recency; }

  // The indices of the items that every word of term (split at ASCII and
  // full-width spaces) occurs in, by name or by target, best first: by how
  // the term matches, then by source, recency, list and name. Empty for a
  // term without words.
  std::vector<std::size_t> Search(std::string_view term) const;

 private:
  struct Entry {
    FindItem item;
    std::string foldedName;
    std::string foldedTarget;
    std::vector<bool> nameWordStarts;  // by offset in foldedName: where a word of the name begins
    // The name's reading, folded, as the search takes it up; empty until known.
    mutable std::string foldedReading;
    mutable std::vector<bool> readingWordStarts;
  };
  void TakeUpReadings() const;
  std::vector<Entry> items_;
  std::shared_ptr<const NameReadings> readings_;
  mutable std::size_t readingsTaken_ = 0;  // the position in readings_ taken up to
};
