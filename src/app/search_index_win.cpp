#include "app/search_index_win.h"

#include "app/app_state.h"
#include "app/item_command_texts.h"
#include "app/search_sources_win.h"
#include "records/records_win.h"

namespace {

// The sources in the order their matches of one kind are shown.
const SearchSource* const kSearchSources[] = {
    &kListSearchSource,
    &kStartMenuSearchSource,
    &kTableSearchSource,
    &kWindowSearchSource,
};

}  // namespace

void SearchIndex::Clear() {
  find_.Clear();
  entries_.clear();
}

void SearchIndex::Add(FindItem item, SearchEntry entry) {
  item.source = currentSource;
  find_.Add(std::move(item));
  entries_.push_back(std::move(entry));
}

std::string SearchIndex::LineOf(std::size_t index) const {
  return item(index).name + kQuickFindListOpen + entries_[index].label + kQuickFindListClose;
}

void SearchIndex::SetRecency(const std::map<std::string, int>& newestByPath) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::string& path = entries_[i].recordedAs;
    auto found = path.empty() ? newestByPath.end() : newestByPath.find(path);
    find_.SetRecency(i, found == newestByPath.end() ? -1 : found->second);
  }
}

void RefreshSearchIndex(AppState& app) {
  SearchIndex& index = app.quickFind.index;
  index.Clear();
  for (std::size_t rank = 0; rank < std::size(kSearchSources); ++rank) {
    index.currentSource = static_cast<int>(rank);
    kSearchSources[rank]->add(app, index);
  }
  // The more recently launched an entry, the earlier it comes: its place in the history.
  LoadLog(app.dataFolder, app.historyLog);
  std::map<std::string, int> newest;
  for (int i = kRecordSlots - 1; i >= 0; --i) {
    const RecordEntry& entry = app.historyLog.entries[i];
    if (!entry.empty()) newest[entry.filePath] = i;
  }
  index.SetRecency(newest);
}
