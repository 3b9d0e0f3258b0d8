// Taking in shortcuts from the Start menu and the desktop: the dialog
// "ImportDialog" lets the user check by ear which of the offers to take, and
// each checked one is written as an item the way the add dialog writes a
// dropped shortcut or internet shortcut: a byte copy of the ".lnk"
// (arguments, working folder and icon kept), or a ".url" item with the URL,
// each all or nothing.
#include "items/import_dialog_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "items/import_texts.h"
#include "items/item_store_win.h"
#include "platform/common_controls_win.h"
#include "platform/dialog_controls_win.h"
#include "platform/files_win.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace {

// Posted by the dialog to itself as it opens, so that the announcement comes
// once the dialog shows with the focus on the first entry.
constexpr UINT kAnnounceMessage = WM_APP + 1;

struct ImportDialogState {
  const Voice& voice;
  ImportChoice& choice;  // OK writes the check boxes back into it
};

std::string Formatted(const char* format, std::size_t first) {
  char text[256] = {};
  std::snprintf(text, sizeof(text), format, static_cast<int>(first));
  return text;
}

std::string Formatted(const char* format, std::size_t first, std::size_t second) {
  char text[256] = {};
  std::snprintf(text, sizeof(text), format, static_cast<int>(first), static_cast<int>(second));
  return text;
}

}  // namespace

std::string ImportFoundText(const ImportChoice& choice) {
  std::string text = choice.offers.empty()
                         ? std::string(kImportNothingFoundText)
                         : Formatted(kImportFoundFormat, choice.offers.size(), choice.CheckedCount());
  if (choice.leftOut > 0) text += Formatted(kImportLeftOutFormat, choice.leftOut);
  return text;
}

namespace {

int EntryCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void SetChecked(HWND list, int index, bool checked) { ListView_SetCheckState(list, index, checked ? TRUE : FALSE); }

void SetAllChecked(HWND dialog, bool checked) {
  HWND list = GetDlgItem(dialog, IDC_IMPORT_LIST);
  for (int i = 0; i < EntryCount(list); ++i) SetChecked(list, i, checked);
}

void AddColumn(HWND list, int index, const char* title, int width) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(title);
  column.cx = width;
  column.iSubItem = index;
  SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void FillList(HWND list, const ImportChoice& choice) {
  const DWORD styles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
  RECT client{};
  GetClientRect(list, &client);
  int width = std::max(0, static_cast<int>(client.right) - GetSystemMetrics(SM_CXVSCROLL));
  AddColumn(list, 0, kImportNameColumn, width * 3 / 5);
  AddColumn(list, 1, kImportLocationColumn, width - width * 3 / 5);
  for (const ImportOffer& offer : choice.offers) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = EntryCount(list);
    item.pszText = const_cast<char*>(offer.name.c_str());
    int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    // Out of memory: this and the later entries are not offered. Entry i
    // stays offer i, which is how OK reads the check boxes back.
    if (index < 0) break;
    LVITEMA location{};
    location.iSubItem = 1;
    location.pszText = const_cast<char*>(offer.candidate.location.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&location));
    SetChecked(list, index, offer.checked);
  }
  const UINT focused = LVIS_FOCUSED | LVIS_SELECTED;
  ListView_SetItemState(list, 0, focused, focused);
}

BOOL OnInit(HWND dialog, ImportDialogState& state) {
  HWND list = GetDlgItem(dialog, IDC_IMPORT_LIST);
  FillList(list, state.choice);
  FocusDialogControl(dialog, IDC_IMPORT_LIST);
  PostMessageA(dialog, kAnnounceMessage, 0, 0);
  return FALSE;  // the focus is set
}

// The check boxes as the user left them; an offer the list could not hold stays unchecked.
void ReadChecks(HWND dialog, ImportChoice& choice) {
  HWND list = GetDlgItem(dialog, IDC_IMPORT_LIST);
  int count = EntryCount(list);
  for (std::size_t i = 0; i < choice.offers.size(); ++i) {
    int index = static_cast<int>(i);
    choice.offers[i].checked = index < count && ListView_GetCheckState(list, index) != 0;
  }
}

BOOL OnCommand(HWND dialog, ImportDialogState& state, int id, int code) {
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDOK:
      ReadChecks(dialog, state.choice);
      EndModalDialog(dialog, IDOK);
      break;
    case IDC_IMPORT_CHECK_ALL: SetAllChecked(dialog, true); break;
    case IDC_IMPORT_CHECK_NONE: SetAllChecked(dialog, false); break;
    default: return FALSE;
  }
  return TRUE;
}

// The count of offers is spoken once the dialog is shown.
BOOL OnAnnounce(HWND, ImportDialogState& state, UINT message, WPARAM, LPARAM) {
  if (message != kAnnounceMessage) return FALSE;
  SpeakText(state.voice, ImportFoundText(state.choice), 0);
  return TRUE;
}

constexpr DialogHandlers<ImportDialogState> kImportDialog{OnInit, OnCommand, OnAnnounce};

}  // namespace

bool RunImportDialog(const DialogOwner& owner, const Voice& voice, ImportChoice& choice) {
  InitControlClasses(ICC_LISTVIEW_CLASSES);
  ImportDialogState state{voice, choice};
  return RunModalDialog(owner, "ImportDialog", kImportDialog, state) == IDOK;
}

namespace {

// A shortcut is copied byte for byte from its own name, which the code page
// may not carry, so its target keeps its own characters; an internet
// shortcut whose name it cannot carry gives the URL read when it was found.
bool TakeIn(const ImportCandidate& candidate, const std::string& itemPath) {
  std::wstring source = candidate.sourcePath.empty() ? WideText(candidate.sourceFile) : candidate.sourcePath;
  if (!candidate.isUrl) return CopyInItem(source, itemPath);
  if (std::optional<std::string> exact = ExactAnsiText(source)) return SaveItem(ItemKind::kImportUrl, *exact, "", itemPath);
  return !candidate.target.empty() && SaveItem(ItemKind::kUrl, candidate.target, "", itemPath);
}

}  // namespace

ImportOutcome TakeInImports(const std::string& itemFolder, const ImportChoice& choice) {
  ImportOutcome outcome;
  for (const ImportOffer& offer : choice.offers) {
    if (!offer.checked) continue;
    const ImportCandidate& candidate = offer.candidate;
    std::string itemPath = itemFolder + "\\" + offer.name + (candidate.isUrl ? ".url" : ".lnk");
    // An item that appeared since the choice was made is the user's: never replaced.
    bool written = !FileExists(itemPath) && TakeIn(candidate, itemPath);
    if (!written) {
      ++outcome.failed;
      continue;
    }
    ++outcome.added;
    if (!candidate.isUrl) outcome.addedShortcuts.push_back(offer.name);
  }
  return outcome;
}

std::string ImportOutcomeText(const ImportOutcome& outcome) {
  return outcome.failed == 0 ? Formatted(kImportAddedFormat, outcome.added)
                             : Formatted(kImportPartlyAddedFormat, outcome.added, outcome.failed);
}
