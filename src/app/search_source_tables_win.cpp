// The search's source of Windows' own programs, settings and folders: the
// rows of the fixed launch tables, and the maker's programs that are
// installed. Enter launches a row and records it as its picker does.
#include "app/app_state.h"
#include "app/item_command_texts.h"
#include "app/search_sources_win.h"
#include "pickers/fixed_lists.h"
#include "pickers/fixed_lists_win.h"
#include "platform/files_win.h"

namespace {

static_assert(std::size(kTableSourceLabels) == kLastFixedListCommand - kFirstFixedListCommand + 1);

void AddTableRows(AppState&, SearchIndex& index) {
  for (int commandId = kFirstFixedListCommand; commandId <= kLastFixedListCommand; ++commandId) {
    std::vector<std::string_view> names = FixedListNames(commandId);
    for (std::size_t row = 0; row < names.size(); ++row) {
      FixedLaunch launch = ResolveFixedLaunch(commandId, row, FileExists);
      // A maker's program that is not installed resolves to its web page.
      if (commandId == IDM_FIXED_MAKER && !FileExists(launch.target)) continue;
      if (launch.target.empty()) continue;
      index.Add(FindItem{std::string(names[row]), launch.target},
                SearchEntry{&kTableSearchSource, kTableSourceLabels[commandId - kFirstFixedListCommand], launch.target,
                            commandId, row});
    }
  }
}

void RunTableRow(AppState& app, const FindItem&, const SearchEntry& entry, bool) {
  LaunchFixedListRow(app.mainWindow, app.voice, app.dataFolder, app.historyLog, entry.kind, entry.row);
}

}  // namespace

const SearchSource kTableSearchSource{AddTableRows, RunTableRow, nullptr};
