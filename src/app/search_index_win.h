// What the search "QuickFindDialog" looks through: the entries of every
// source (the four lists, the Start menu and desktops, Windows' own tables,
// the running windows), each with the label its result line shows and the
// source that runs it. A new source is one file that defines a SearchSource
// and one row of the source table in search_index_win.cpp.
#pragma once
#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "items/import_choice.h"
#include "items/quick_find.h"
#include "items/shortcut_cache.h"
#include "pickers/running_apps_win.h"

struct AppState;
struct SearchEntry;

struct SearchSource {
  // Brings the source's own data up to date as the search opens and adds its
  // entries through SearchIndex::Add.
  void (*add)(AppState& app, class SearchIndex& index);
  // Runs entry as the source's own place does; special: Shift was down. It
  // runs once the search has closed.
  void (*run)(AppState& app, const FindItem& item, const SearchEntry& entry, bool special);
  // Takes entry into one of the four lists and loads them again. Null for a
  // source whose entries cannot be kept.
  struct Kept {
    std::string spoken;  // the outcome, to be said once the search shows it
    int list = -1;       // the list of the item made, -1 when none was
    std::string name;    // and its name
  };
  Kept (*keep)(AppState& app, const SearchEntry& entry);
};

struct SearchEntry {
  const SearchSource* source = nullptr;
  const char* label = "";   // shown after the name: "name（label）"
  std::string recordedAs;   // the path a run of it records in the history; empty when a run records nothing
  int kind = 0;             // the source's own: a list kind, a table's command id
  std::size_t row = 0;      // the source's own: a row of its table, a shortcut or window of its listing
};

class SearchIndex {
 public:
  void Clear();
  // Adds an entry of the source whose entries are being added.
  void Add(FindItem item, SearchEntry entry);
  std::size_t size() const { return entries_.size(); }
  const FindItem& item(std::size_t index) const { return find_.item(index); }
  const SearchEntry& entry(std::size_t index) const { return entries_[index]; }
  std::vector<std::size_t> Search(std::string_view term) const { return find_.Search(term); }
  // "name（label）".
  std::string LineOf(std::size_t index) const;
  // Each entry's place in the history, by what it records.
  void SetRecency(const std::map<std::string, int>& newestByPath);
  // Where the readings of the names come from: matched as the names are.
  void UseReadings(std::shared_ptr<const NameReadings> readings) { find_.UseReadings(std::move(readings)); }

  int currentSource = 0;  // the rank Add gives entries: the source's row in the table

 private:
  QuickFindIndex find_;
  std::vector<SearchEntry> entries_;
};

// What each source keeps between two openings of the search.
struct QuickFindState {
  SearchIndex index;
  std::string term;  // the last term, at most 127 bytes

  // The four lists, made anew on first use after a load.
  bool stale = true;  // every list load sets it
  std::vector<std::pair<FindItem, std::string>> listItems;  // each item and the path its launch records
  // The URL and mail targets read so far, by file name and the stamp they were read with.
  std::map<std::string, std::pair<ShortcutStamp, std::string>> itemTargets;
  unsigned listsGeneration = 0;  // counts the times listItems was made

  // The Start menu and desktops: their listing when last read, what they
  // offered then, and the lists' generation the offers were chosen against.
  std::optional<std::vector<std::wstring>> startMenuListing;
  std::vector<ImportCandidate> startMenuCandidates;
  std::vector<ImportOffer> startMenuOffers;
  std::optional<unsigned> startMenuChosenFor;

  std::vector<RunningWindow> windows;  // listed at each opening
};

// Brings every source up to date and makes the index anew, with each entry's
// recency from the history as it is on disk.
void RefreshSearchIndex(AppState& app);
