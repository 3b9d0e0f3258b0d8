// The five built-in launch lists (IDM_FIXED_MAKER..IDM_FIXED_FOLDERS): constant tables of
// fixed-width fields, shown in list order by their pickers.
#pragma once
#include "resources/command_ids.h"
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t kFixedNameBytes = 64;
constexpr std::size_t kFixedCommandBytes = 64;
constexpr std::size_t kFolderCommandBytes = 641;
constexpr std::size_t kMakerNameBytes = 32;
constexpr std::size_t kMakerPageBytes = 64;
constexpr std::size_t kMakerPathBytes = 261;

// A target handed unchanged to the shell.
struct FixedRow {
  char name[kFixedNameBytes];
  char command[kFixedCommandBytes];
};

// Special folders carry a wider command field.
struct FolderRow {
  char name[kFixedNameBytes];
  char command[kFolderCommandBytes];
};

// One of the maker's products: its page on the maker's site and where its
// executable lies in either Program Files folder.
struct MakerRow {
  char name[kMakerNameBytes];
  char page[kMakerPageBytes];
  char programFiles[kMakerPathBytes];     // "C:\Program Files\Velmora\..."
  char programFilesX86[kMakerPathBytes];  // "C:\Program Files (x86)\Velmora\..."
};

extern const MakerRow kMakerRows[10];
extern const FixedRow kUtilityRows[10];
extern const FixedRow kControlPanelRows[11];
extern const FixedRow kPcSettingsRows[11];
extern const FolderRow kFolderRows[12];

constexpr int kFirstFixedListCommand = IDM_FIXED_MAKER;  // the maker's software
constexpr int kLastFixedListCommand = IDM_FIXED_FOLDERS;  // special folders

// Dialog template of a list command ("HDDialog", "UDialog", "WDialog",
// "W10Dialog", "FDialog"); nullptr for other ids.
const char* FixedListDialogName(int commandId);

// Display names of a list, in row order; empty for other ids.
std::vector<std::string_view> FixedListNames(int commandId);

// What launching one row opens. A program path starts in its own folder.
struct FixedLaunch {
  std::string target;  // handed to the shell and recorded in the history
  std::string name;    // the row's display name
};

// Resolves row `row` of a list. A maker's product runs from the 64-bit
// Program Files folder when fileExists says it is there, else from the
// 32-bit one, else its page is opened. An id or row out of range gives an
// empty target.
FixedLaunch ResolveFixedLaunch(int commandId, std::size_t row,
                               const std::function<bool(const std::string&)>& fileExists);
