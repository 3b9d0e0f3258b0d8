// The search's source of running applications, as their picker lists them,
// listed anew at each opening. Enter brings the window to the front
// (restoring it when minimised) and records nothing.
#include "app/app_state.h"
#include "app/item_command_texts.h"
#include "app/search_sources_win.h"
#include "pickers/running_apps_win.h"
#include "platform/window_front_win.h"

namespace {

void AddWindows(AppState& app, SearchIndex& index) {
  app.quickFind.windows = CollectRunningWindows(app.mainWindow);
  const std::vector<RunningWindow>& windows = app.quickFind.windows;
  for (std::size_t row = 0; row < windows.size(); ++row) {
    index.Add(FindItem{windows[row].title, {}}, SearchEntry{&kWindowSearchSource, kWindowSourceLabel, {}, 0, row});
  }
}

// A window closed since the search opened is left alone.
void BringWindow(AppState& app, const FindItem&, const SearchEntry& entry, bool) {
  const std::vector<RunningWindow>& windows = app.quickFind.windows;
  if (entry.row >= windows.size() || !IsWindow(windows[entry.row].window)) return;
  BringWindowForward(windows[entry.row].window);
}

}  // namespace

const SearchSource kWindowSearchSource{AddWindows, BringWindow, nullptr};
