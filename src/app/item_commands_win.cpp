// The commands that work on the focused list and its selected item: add,
// edit, copy, open the target's folder, delete, find, and the position, list
// name and sort order announcements. A command does nothing when the focus is
// on none of the four list boxes.
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/commands.h"
#include "app/find_dialog_win.h"
#include "app/item_command_texts.h"
#include "app/list_search.h"
#include "app/main_window_win.h"
#include "app/selected_item_win.h"
#include "app/startup_win.h"
#include "items/item_dialog_win.h"
#include "items/item_store_win.h"
#include "platform/files_win.h"
#include "platform/sjis.h"
#include "records/launch_win.h"
#include "speech/speech_win.h"

namespace {

// The item's target: a shortcut's target path (with its argument string in
// *arguments), the URL, or the mail address without its leading "mailto:".
// Empty when it cannot be read.
std::string ReadItemTarget(int listKind, const std::string& itemFile, std::string* arguments = nullptr) {
  ItemContent content = ReadItem(listKind, itemFile);
  if (arguments != nullptr) *arguments = content.arguments;
  return listKind == kMail ? BareMailAddress(content.target) : content.target;
}

// Puts text on the clipboard as CF_TEXT. The block is filled before the
// clipboard is opened and emptied, so a failure leaves the clipboard as it was
// (but for a refused hand-over at the very end). False when it is not there.
bool PutOnClipboard(HWND owner, const std::string& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, text.size() + 1);
  if (memory == nullptr) return false;
  void* bytes = GlobalLock(memory);
  if (bytes == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(memory);

  ClipboardLock clipboard(owner);
  if (!clipboard.open() || !EmptyClipboard()) {
    GlobalFree(memory);
    return false;
  }
  // Once accepted, the block belongs to the clipboard.
  if (SetClipboardData(CF_TEXT, memory) == nullptr) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

// Selects the next (or previous) entry of the list that holds the find term.
void SearchList(AppState& app, int listKind, bool forward) {
  HWND list = app.items.boxes[listKind];
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  int selection = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  int found = FindListEntry(count, selection, forward, app.findTerm,
                            [list](int index) { return ListEntryText(list, index); });
  if (found < 0) {
    SpeakText(app.voice, kNotFoundText, 0);
    return;
  }
  SendMessageA(list, LB_SETCURSEL, found, 0);
  // NVDA, JAWS and Narrator read the selection change by themselves;
  // PC-Talker and a SAPI voice need the text.
  if (NeedsSelectionSpoken(app.voice)) SpeakText(app.voice, SjisCut(ListEntryText(list, found), kPathTextBytes), 0);
}

int FocusedListKind(const AppState& app) { return GetSelectedItem(app).listKind; }

int ListCount(const AppState& app, int listKind) {
  return static_cast<int>(SendMessageA(app.items.boxes[listKind], LB_GETCOUNT, 0, 0));
}

}  // namespace

void CmdAddItem(AppState& app, const CommandContext& command) {
  if (FocusedListKind(app) < 0) return;
  WrittenItem written;
  if (!OpenAddItemDialog(app, app.waitingAdd, written)) return;
  ShowWrittenItemAndSelectFirst(app, written);
  SpeakText(app.voice, kAddedText, 0);
}

void CmdEditItem(AppState& app, const CommandContext& command) {
  SelectedItem item = GetSelectedItem(app);
  if (!item.valid()) return;
  EditItemValues values;
  values.file = ItemFilePath(app, item.listKind, item.name);
  values.name = item.name;
  values.target = ReadItemTarget(item.listKind, values.file, &values.arguments);
  WrittenItem written;
  EditOutcome outcome = RunEditItemDialog(app.Owner(), app.Folders(), values, written);
  if (outcome == EditOutcome::kCancelled) return;
  ShowWrittenItemAndSelectFirst(app, written);
  // Both files stay when the old one resisted deletion: the user has to know
  // why the item is now listed twice.
  SpeakText(app.voice, outcome == EditOutcome::kSavedOldKept ? kSavedOldKeptText : kSavedText, 0);
}

void CmdCopyPath(AppState& app, const CommandContext& command) {
  SelectedItem item = GetSelectedItem(app);
  if (!item.valid()) return;
  bool copied = PutOnClipboard(app.mainWindow, ReadItemTarget(item.listKind, ItemFilePath(app, item.listKind, item.name)));
  SpeakText(app.voice, copied ? kCopiedTexts[item.listKind] : kNotCopiedText, 0);
}

void CmdOpenFolder(AppState& app, const CommandContext& command) {
  SelectedItem item = GetSelectedItem(app);
  if (!item.valid() || !IsShortcutList(item.listKind)) return;
  std::string folder = ContainingFolder(ReadItemTarget(item.listKind, ItemFilePath(app, item.listKind, item.name)));
  // An unreadable target or a bare command name leaves no folder; the shell
  // would open the current directory (the program's data folder) instead.
  if (folder.empty()) return;
  ShellOpen(app.mainWindow, nullptr, folder);
}

void CmdDeleteItem(AppState& app, const CommandContext& command) {
  SelectedItem item = GetSelectedItem(app);
  if (!item.valid()) return;
  std::vector<char> question(item.name.size() + sizeof(kDeleteQuestionFormat), '\0');
  std::snprintf(question.data(), question.size(), kDeleteQuestionFormat, item.name.c_str());
  if (ShowMessageBox(app.mainWindow, question.data(), kDeleteCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;

  if (!DeleteItem(ItemFilePath(app, item.listKind, item.name))) {
    // Read-only, or held open by another program: the entry and its
    // selection stay as they are.
    SpeakText(app.voice, kNotDeletedText, 0);
    return;
  }
  // Only the one entry goes before the announcement; the folder is reread
  // after it, for what changed behind the program's back.
  if (RemoveListedEntry(app.items, item.listKind, item.index, item.name)) {
    app.quickFind.stale = true;
    LoadItemListsSoon(app);
  } else {
    LoadItemLists(app);
  }

  // The entry that took the deleted one's place, or the new last one.
  int count = ListCount(app, item.listKind);
  int selection = item.index < count ? item.index : count - 1;
  for (int k = 0; k < kListCount; ++k) {
    SendMessageA(app.items.boxes[k], LB_SETCURSEL, k == item.listKind ? selection : -1, 0);
  }
  SpeakText(app.voice, kDeletedText, 0);
}

void CmdFind(AppState& app, const CommandContext& command) {
  int listKind = FocusedListKind(app);
  if (listKind < 0) return;
  if (!RunFindDialog(app.Owner(), app.findTerm)) return;
  SearchList(app, listKind, true);
}

void CmdFindNext(AppState& app, const CommandContext& command) {
  int listKind = FocusedListKind(app);
  if (listKind < 0) return;
  if (app.findTerm.empty()) {
    if (!RunFindDialog(app.Owner(), app.findTerm)) return;
  } else if (ListCount(app, listKind) <= 0) {
    return;
  }
  SearchList(app, listKind, true);
}

void CmdFindPrevious(AppState& app, const CommandContext& command) {
  int listKind = FocusedListKind(app);
  if (listKind < 0 || ListCount(app, listKind) <= 0) return;
  SearchList(app, listKind, false);
}

void CmdSpeakPosition(AppState& app, const CommandContext& command) {
  SelectedItem item = GetSelectedItem(app);
  if (item.listKind < 0) return;
  SpeakText(app.voice, PositionText(item.count, item.index), 0);
}

void CmdSpeakListName(AppState& app, const CommandContext& command) {
  int listKind = FocusedListKind(app);
  if (listKind < 0) return;
  SpeakText(app.voice, kListNames[listKind], 0);
}

void CmdSpeakSortOrder(AppState& app, const CommandContext& command) {
  if (FocusedListKind(app) < 0) return;
  SpeakText(app.voice, SortOrderName(app.settings.sortOrder), 100);
}
