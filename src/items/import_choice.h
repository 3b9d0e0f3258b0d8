// Taking in shortcuts from the Start menu and the desktop: which of those
// found are offered, which of them start checked, under what item name and
// in what order.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One shortcut found in a Start-menu "Programs" folder or on a desktop.
struct ImportCandidate {
  std::string fileStem;    // its file name without ".lnk" or ".url"
  std::string location;    // its folder under the Start menu, or "デスクトップ"
  std::string sourceFile;  // full path of the ".lnk" or ".url" file, as the code page shows it
  bool isUrl = false;      // an internet shortcut: it becomes a URL item
  bool readable = false;   // a target (or URL) could be read; an advertised shortcut's cannot
  std::string target;      // the shortcut's target path, or the URL
  std::string arguments;   // the shortcut's argument string
  bool targetIsFolder = false;
  std::wstring sourcePath;  // the same as the file system holds it, for opening and copying
  // fileStem was made from a name the code page cannot carry: a clash with
  // another item's name takes a number rather than leaving the shortcut out.
  bool stemMade = false;
};

// What the item folder holds already.
struct ExistingItems {
  std::vector<std::string> names;                              // every item's name, of every kind
  std::vector<std::pair<std::string, std::string>> shortcuts;  // each shortcut item's target and arguments
  std::size_t shortcutCount = 0;                               // ".lnk" items
  std::size_t urlCount = 0;                                    // ".url" items
  std::string ownProgram;                                      // the running Hopdeck.exe
};

struct ImportOffer {
  std::string name;  // the item name it is written under
  ImportCandidate candidate;
  bool checked = false;
};

struct ImportChoice {
  std::vector<ImportOffer> offers;  // in the lists' name order
  std::size_t leftOut = 0;          // not offered: its list would pass kScanCapacity items
  std::size_t CheckedCount() const;
};

// The key that orders names and compares names and paths without regard to
// case, as the file system does: NameOrderKey in the program.
using CaseBlindKey = std::function<std::u16string(std::string_view)>;

// Candidates are given in the order they were found; among two with the same
// name, or the same target and arguments, the first in name order (then the
// first found) is offered. A made name (stemMade) that is empty or names
// another item takes the first free number: "Cafe (2)", then " (3)".
ImportChoice ChooseImports(std::vector<ImportCandidate> candidates, const ExistingItems& existing,
                           std::string_view itemFolder, const CaseBlindKey& keyOf);

// Whether a shortcut removes a program rather than starting it: by its name,
// or by a target named unins*.exe (uninstall*.exe among them).
bool IsUninstaller(std::string_view name, std::string_view target);
