// The search's first source: the items of the four lists. Enter and
// Shift+Enter run an item as its own list does.
#include <windows.h>

#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/run_list_item_win.h"
#include "app/search_sources_win.h"
#include "app/selected_item_win.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"

namespace {

// Makes the lists' entries anew after a load: the shortcuts' targets come
// from the cache the load left, the URL and mail items' from their files,
// each read again only when its file changed since it was read last.
void RefreshListItems(AppState& app) {
  QuickFindState& find = app.quickFind;
  if (!find.stale) return;
  find.listItems.clear();
  for (int kind : {kPrograms, kFiles}) {
    for (const std::string& name : app.items.listedNames[kind]) {
      // The shortcut itself is what runs, and what the history records.
      find.listItems.push_back({FindItem{name, app.items.shortcuts.TargetOf(name), kind}, ItemFilePath(app, kind, name)});
    }
  }
  auto known = std::move(find.itemTargets);
  find.itemTargets.clear();
  ItemFolderScan scan = ScanItemFolder(app.itemFolder);
  for (int kind : {kUrls, kMail}) {
    const char* extension = kind == kUrls ? ".url" : ".mail";
    std::map<std::string, ShortcutStamp> stamps;
    for (const ScanEntry& entry : kind == kUrls ? scan.urls : scan.mail) stamps[entry.name] = StampOf(entry);
    for (const std::string& name : app.items.listedNames[kind]) {
      std::string fileName = name + extension;
      auto stamp = stamps.find(name);
      auto read = known.find(fileName);
      std::string value;
      if (stamp != stamps.end() && read != known.end() && read->second.first == stamp->second) {
        value = read->second.second;
      } else {
        std::string itemFile = ItemFilePath(app, kind, name);
        value = kind == kUrls ? ReadUrlItem(itemFile) : ReadMailItem(itemFile);
      }
      if (stamp != stamps.end()) find.itemTargets[fileName] = {stamp->second, value};
      std::string target = kind == kUrls ? value : BareMailAddress(value);
      find.listItems.push_back({FindItem{name, std::move(target), kind}, std::move(value)});
    }
  }
  find.stale = false;
  ++find.listsGeneration;
}

void AddListItems(AppState& app, SearchIndex& index) {
  RefreshListItems(app);
  for (const auto& [item, recordedAs] : app.quickFind.listItems) {
    index.Add(item, SearchEntry{&kListSearchSource, kListNames[item.list], recordedAs, item.list});
  }
}

void RunListEntry(AppState& app, const FindItem& item, const SearchEntry&, bool special) {
  RunListItem(app, item.list, item.name, special);
}

}  // namespace

const SearchSource kListSearchSource{AddListItems, RunListEntry, nullptr};
