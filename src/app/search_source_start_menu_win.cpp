// The search's Start-menu source: the shortcuts of the Start menu's
// "Programs" folders and of the desktops that the Start-menu import would
// offer, chosen by the import's own rules (folders, unreadable shortcuts and
// those already an item by name or by target and arguments are left out).
// The shortcuts are read only when the folders' listing (names, sizes, write
// times) changed since they were read last, so an unchanged Start menu costs
// a listing and no shortcut.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "app/app_state.h"
#include "app/item_command_texts.h"
#include "app/main_window_win.h"
#include "app/search_sources_win.h"
#include "items/import_dialog_win.h"
#include "items/import_sources_win.h"
#include "items/import_texts.h"
#include "items/item_dialog_texts.h"
#include "items/item_order.h"
#include "platform/win_handles.h"
#include "records/launch_win.h"

namespace {

// As deep as the import walks below a "Programs" folder.
constexpr int kMaxFolderDepth = 8;

// Adds a line per entry of folder (and, with depth >= 0, of its subfolders):
// its path, size and last-write time. The wide names keep apart what the
// ANSI ones would show alike.
void ListFolder(const std::wstring& folder, int depth, std::vector<std::wstring>& listing) {
  WIN32_FIND_DATAW entry;
  UniqueFindHandle found(FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!found) return;
  std::vector<std::wstring> subfolders;
  do {
    std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    wchar_t stamp[64] = {};
    std::swprintf(stamp, 64, L"|%lu|%lu|%lu|%lu|%lu", entry.nFileSizeHigh, entry.nFileSizeLow,
                  entry.ftLastWriteTime.dwHighDateTime, entry.ftLastWriteTime.dwLowDateTime, entry.dwFileAttributes);
    listing.push_back(folder + L"\\" + name + stamp);
    bool walk = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && depth >= 0 &&
                depth < kMaxFolderDepth;
    if (walk) subfolders.push_back(name);
  } while (FindNextFileW(found.get(), &entry));
  found.reset();
  for (const std::wstring& name : subfolders) ListFolder(folder + L"\\" + name, depth + 1, listing);
}

// The folders the import reads, with what each holds.
std::vector<std::wstring> StartMenuListing() {
  std::vector<std::wstring> listing;
  const std::pair<int, bool> folders[] = {{CSIDL_COMMON_PROGRAMS, true},
                                          {CSIDL_PROGRAMS, true},
                                          {CSIDL_COMMON_DESKTOPDIRECTORY, false},
                                          {CSIDL_DESKTOPDIRECTORY, false}};
  for (const auto& [csidl, startMenu] : folders) {
    wchar_t path[MAX_PATH + 1] = {};
    // A folder the shell cannot name is one the import does not read either.
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) continue;
    path[MAX_PATH] = L'\0';
    listing.push_back(path);
    ListFolder(path, startMenu ? 0 : -1, listing);
  }
  return listing;
}

void RefreshOffers(AppState& app) {
  QuickFindState& find = app.quickFind;
  std::vector<std::wstring> listing = StartMenuListing();  // before the read: a change meanwhile shows next time
  if (!find.startMenuListing || *find.startMenuListing != listing) {
    find.startMenuCandidates = FindImportCandidates();
    find.startMenuListing = std::move(listing);
    find.startMenuChosenFor.reset();
  }
  // What is an item already changes only with a list load.
  if (find.startMenuChosenFor == find.listsGeneration) return;
  find.startMenuOffers.clear();
  find.startMenuChosenFor = find.listsGeneration;
  if (find.startMenuCandidates.empty()) return;
  // The search finds a shortcut whether or not its list has room: a full
  // list only refuses keeping it, which says so.
  ExistingItems existing = ReadExistingItems(app.itemFolder);
  existing.shortcutCount = 0;
  existing.urlCount = 0;
  ImportChoice choice = ChooseImports(find.startMenuCandidates, existing, app.itemFolder, CaseBlindKeyOf);
  for (ImportOffer& offer : choice.offers) {
    if (offer.candidate.readable) find.startMenuOffers.push_back(std::move(offer));
  }
}

void AddStartMenu(AppState& app, SearchIndex& index) {
  RefreshOffers(app);
  const std::vector<ImportOffer>& offers = app.quickFind.startMenuOffers;
  for (std::size_t row = 0; row < offers.size(); ++row) {
    const ImportCandidate& candidate = offers[row].candidate;
    const char* label = candidate.location == kDesktopLocation ? kDesktopSourceLabel : kStartMenuSourceLabel;
    index.Add(FindItem{offers[row].name, candidate.target},
              SearchEntry{&kStartMenuSearchSource, label, candidate.sourceFile, 0, row});
  }
}

// Opened by the shell as the programs list opens its shortcuts, and as
// administrator with Shift; an internet shortcut has no such verb.
void RunShortcut(AppState& app, const FindItem& item, const SearchEntry& entry, bool special) {
  const std::vector<ImportOffer>& offers = app.quickFind.startMenuOffers;
  if (entry.row >= offers.size()) return;
  const ImportCandidate& candidate = offers[entry.row].candidate;
  Launch(app.mainWindow, app.voice, app.dataFolder, app.historyLog, candidate.sourceFile, item.name,
         special && !candidate.isUrl ? "runas" : nullptr);
}

// Written as the import writes it, then the lists are loaded again.
SearchSource::Kept KeepShortcut(AppState& app, const SearchEntry& entry) {
  const std::vector<ImportOffer>& offers = app.quickFind.startMenuOffers;
  if (entry.row >= offers.size()) return {};
  ExistingItems existing = ReadExistingItems(app.itemFolder);
  if ((offers[entry.row].candidate.isUrl ? existing.urlCount : existing.shortcutCount) >= kScanCapacity) {
    return {kListFullText, -1, {}};
  }
  ImportChoice choice;
  choice.offers.push_back(offers[entry.row]);
  choice.offers.back().checked = true;
  ImportOutcome outcome = TakeInImports(app.itemFolder, choice);
  SearchSource::Kept kept{ImportOutcomeText(outcome), -1, {}};
  if (outcome.added == 0) return kept;
  LoadItemLists(app);
  SelectFirstEntries(app);
  kept.name = choice.offers.back().name;
  for (int kind = 0; kind < kListCount && kept.list < 0; ++kind) {
    const std::vector<std::string>& names = app.items.listedNames[kind];
    if (std::find(names.begin(), names.end(), kept.name) != names.end()) kept.list = kind;
  }
  return kept;
}

}  // namespace

const SearchSource kStartMenuSearchSource{AddStartMenu, RunShortcut, KeepShortcut};
