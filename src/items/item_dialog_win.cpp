// The add and edit dialog "FileDialog". Add mode decides from the path alone
// which kind of item file to write; edit mode writes the item again under its
// possibly new name and target and removes the old file; rename-only mode
// (the target could not be read) moves the file under a new name untouched.
// The files themselves are written, renamed and deleted by the item store.
#include "items/item_dialog_win.h"

#include <shlwapi.h>

#include <cstdio>
#include <vector>

#include "items/item_dialog_texts.h"
#include "items/item_name.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "platform/dialog_controls_win.h"
#include "platform/file_dialog_win.h"
#include "platform/files_win.h"
#include "platform/modal_dialog_win.h"
#include "platform/sjis.h"
#include "resources/resource.h"

namespace {

struct ItemDialogState {
  ItemDialogState(const DataFolders& dialogFolders, AddItemPrefill* addPrefill)
      : folders(dialogFolders), callerPrefill(addPrefill) {}
  const DataFolders& folders;
  AddItemPrefill* callerPrefill;  // add mode: emptied when the dialog closes
  bool editMode = false;
  bool renameOnly = false;  // edit mode with an unreadable target
  // Add mode: the prefill values as they stood when the dialog opened.
  AddItemPrefill prefill;
  // Edit mode.
  EditItemValues edit;
  bool oldFileKept = false;  // the file under the old name could not be deleted
  WrittenItem written;       // what OK put in place
};

struct FieldLimit {
  int id;
  std::size_t bytes;
};
constexpr FieldLimit kFields[] = {{IDC_ITEM_NAME, kPathTextBytes}, {IDC_ITEM_PATH, kPathTextBytes}};

// A field's text, at most 260 bytes.
std::string ControlText(HWND dialog, int id) { return DialogItemText(dialog, id, kPathTextBytes); }

void SetControlText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, SjisCut(text, kPathTextBytes).c_str());
}

void ShowInputError(HWND dialog, const char* text, int focusId) {
  ShowMessageBox(dialog, text, kInputErrorCaption, MB_OK | MB_ICONINFORMATION);
  FocusDialogControl(dialog, focusId);
}

void ShowWriteFailure(HWND dialog) {
  ShowMessageBox(dialog, kWriteFailedText, kWriteFailedCaption, MB_OK | MB_ICONINFORMATION);
  FocusDialogControl(dialog, IDC_ITEM_NAME);
}

bool AskOverwrite(HWND dialog, const std::string& name) {
  std::vector<char> question(name.size() + sizeof(kOverwriteFormat), '\0');
  std::snprintf(question.data(), question.size(), kOverwriteFormat, name.c_str());
  return ShowMessageBox(dialog, question.data(), kOverwriteCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

// The cleaned name and the item file it gives. False when the name cannot
// make a file in the item folder.
bool FormItemPath(const DataFolders& folders, const std::string& typedName, const char* extension,
                  std::string& name, std::string& itemPath) {
  name = FitItemName(CleanItemName(typedName), folders.items, extension);
  if (!IsPlainItemName(name)) return false;
  itemPath = folders.items + "\\" + name + extension;
  return true;
}

// Whether a new file itemPath would be one more than its list shows: a load
// takes kScanCapacity files of each extension, so the item would be written,
// said to be added, and never seen. Replacing a file, or moving one within
// its own kind (replacedFile, in edit mode), adds none.
bool WouldOverfillList(const DataFolders& folders, const std::string& itemPath, const std::string& replacedFile = {}) {
  if (FileExists(itemPath)) return false;
  const char* extension = PathFindExtensionA(itemPath.c_str());
  if (!replacedFile.empty() && lstrcmpiA(PathFindExtensionA(replacedFile.c_str()), extension) == 0) return false;
  ItemFolderScan scan = ScanItemFolder(folders.items);
  const std::vector<ScanEntry>* files = &scan.mail;
  if (lstrcmpiA(extension, ".lnk") == 0) files = &scan.shortcuts;
  if (lstrcmpiA(extension, ".url") == 0) files = &scan.urls;
  return files->size() >= kScanCapacity;
}

// A relative path made absolute in the DataFolder; a URL or an absolute path as it is.
std::string InDataFolder(const DataFolders& folders, const std::string& path) {
  if (path.empty() || PathIsURLA(path.c_str()) || !PathIsRelativeA(path.c_str())) return path;
  char full[MAX_PATH + 1] = {};
  if (PathCombineA(full, folders.data.c_str(), path.c_str()) == nullptr) return path;
  return full;
}

PathFacts FactsOf(const std::string& path) {
  PathFacts facts;
  facts.extension = PathFindExtensionA(path.c_str());
  facts.isUrl = PathIsURLA(path.c_str()) != FALSE;
  facts.exists = PathFileExistsA(path.c_str()) != FALSE;
  return facts;
}

// The kind of item a typed path makes, and what it is written from. A
// relative path counts from the DataFolder, named here rather than taken from
// the current directory (which the file-open dialog may have moved): a file
// there, or a file to take in, is used by its full path; a bare command name
// or an address stays as typed.
ItemKind DecideKind(const ItemDialogState& state, std::string& path) {
  std::string inData = InDataFolder(state.folders, path);
  PathFacts facts = FactsOf(inData);
  ItemKind kind = state.editMode ? DecideEditKind(path, facts) : DecideAddKind(path, facts);
  if (facts.exists || kind == ItemKind::kImportUrl || kind == ItemKind::kCopyShortcut) path = inData;
  return kind;
}

// The platform's file-open dialog; true with the chosen file's full path and
// its name without folder.
bool BrowseForFile(HWND owner, std::string& fullPath, std::string& fileName) {
  char file[kPathBytes] = {};
  char title[kPathBytes] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kBrowseFilters;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof(file);
  dialog.lpstrFileTitle = title;
  dialog.nMaxFileTitle = sizeof(title);
  dialog.lpstrTitle = kBrowseTitle;
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
  if (!ShowOpenFileDialog(dialog)) return false;
  fullPath = std::string(FieldText(file, sizeof(file)));
  fileName = std::string(FieldText(title, sizeof(title)));
  return true;
}

void Close(HWND dialog, ItemDialogState& state, INT_PTR result) {
  if (state.callerPrefill != nullptr) *state.callerPrefill = AddItemPrefill();
  EndModalDialog(dialog, result);
}

BOOL OnInit(HWND dialog, ItemDialogState& state) {
  for (const FieldLimit& field : kFields) {
    SendDlgItemMessageA(dialog, field.id, EM_LIMITTEXT, field.bytes, 0);
  }
  if (state.editMode) {
    SetWindowTextA(dialog, kEditDialogTitle);
    SetControlText(dialog, IDC_ITEM_NAME, state.edit.name);
    if (state.edit.target.empty()) {
      state.renameOnly = true;
      SetControlText(dialog, IDC_ITEM_PATH, kUnreadableTarget);
      SendDlgItemMessageA(dialog, IDC_ITEM_PATH, EM_SETREADONLY, TRUE, 0);
      EnableWindow(GetDlgItem(dialog, IDC_ITEM_BROWSE), FALSE);
    } else {
      SetControlText(dialog, IDC_ITEM_PATH, state.edit.target);
    }
  } else {
    if (!state.prefill.path.empty()) SetControlText(dialog, IDC_ITEM_PATH, state.prefill.path);
    SetControlText(dialog, IDC_ITEM_NAME, ProposeItemName(state.prefill.link, state.prefill.path));
  }
  FocusDialogControl(dialog, IDC_ITEM_NAME);
  return FALSE;  // the focus is set
}

// Reads and checks both fields; false (after telling the user) when one is empty.
bool ReadFields(HWND dialog, std::string& name, std::string& path) {
  name = ControlText(dialog, IDC_ITEM_NAME);
  if (name.empty()) {
    ShowInputError(dialog, kNoNameText, IDC_ITEM_NAME);
    return false;
  }
  path = ControlText(dialog, IDC_ITEM_PATH);
  if (path.empty()) {
    ShowInputError(dialog, kNoPathText, IDC_ITEM_PATH);
    return false;
  }
  return true;
}

void OnAddOk(HWND dialog, ItemDialogState& state) {
  std::string typedName;
  std::string path;
  if (!ReadFields(dialog, typedName, path)) return;
  ItemKind kind = DecideKind(state, path);
  std::string name;
  std::string itemPath;
  if (!FormItemPath(state.folders, typedName, ItemExtension(kind), name, itemPath)) return ShowWriteFailure(dialog);
  if (WouldOverfillList(state.folders, itemPath)) return ShowInputError(dialog, kListFullText, IDC_ITEM_PATH);
  if (FileExists(itemPath) && !AskOverwrite(dialog, name)) return FocusDialogControl(dialog, IDC_ITEM_NAME);
  if (!SaveItem(kind, path, state.prefill.arguments, itemPath)) return ShowWriteFailure(dialog);
  state.written = {itemPath, {}};
  Close(dialog, state, IDOK);
}

// An edit wrote itemPath; the old file went unless it is the same file
// (rewritten or renamed in place) or resisted deletion.
void NoteEdit(ItemDialogState& state, const std::string& itemPath) {
  const std::string& oldFile = state.edit.file;
  state.written = {itemPath, SameItemFile(itemPath, oldFile) || state.oldFileKept ? std::string() : oldFile};
}

void OnEditOk(HWND dialog, ItemDialogState& state) {
  std::string typedName;
  std::string path;
  if (!ReadFields(dialog, typedName, path)) return;
  const bool targetKept = path == state.edit.target;
  ItemKind kind = DecideKind(state, path);
  std::string name;
  std::string itemPath;
  if (!FormItemPath(state.folders, typedName, ItemExtension(kind), name, itemPath)) return ShowWriteFailure(dialog);
  const std::string& oldFile = state.edit.file;
  if (!SameItemFile(itemPath, oldFile)) {
    if (WouldOverfillList(state.folders, itemPath, oldFile)) return ShowInputError(dialog, kListFullText, IDC_ITEM_PATH);
    if (FileExists(itemPath) && !AskOverwrite(dialog, name)) return FocusDialogControl(dialog, IDC_ITEM_NAME);
  }
  RenameOutcome saved = SaveEditedItem(kind, path, state.edit.arguments, {oldFile, itemPath, targetKept});
  if (saved == RenameOutcome::kFailed) return ShowWriteFailure(dialog);
  state.oldFileKept = saved == RenameOutcome::kOldKept;
  NoteEdit(state, itemPath);
  Close(dialog, state, IDOK);
}

// The target could not be read: only the name can change; the file moves
// under it with its content untouched.
void OnRenameOk(HWND dialog, ItemDialogState& state) {
  std::string typedName = ControlText(dialog, IDC_ITEM_NAME);
  if (typedName.empty()) return ShowInputError(dialog, kNoNameText, IDC_ITEM_NAME);
  const std::string& oldFile = state.edit.file;
  std::string extension = PathFindExtensionA(oldFile.c_str());
  std::string name;
  std::string itemPath;
  if (!FormItemPath(state.folders, typedName, extension.c_str(), name, itemPath)) return ShowWriteFailure(dialog);
  if (!SameItemFile(itemPath, oldFile)) {
    if (WouldOverfillList(state.folders, itemPath, oldFile)) return ShowInputError(dialog, kListFullText, IDC_ITEM_PATH);
    if (FileExists(itemPath) && !AskOverwrite(dialog, name)) return FocusDialogControl(dialog, IDC_ITEM_NAME);
  }
  RenameOutcome renamed = RenameItem(oldFile, itemPath);
  if (renamed == RenameOutcome::kFailed) return ShowWriteFailure(dialog);
  state.oldFileKept = renamed == RenameOutcome::kOldKept;
  NoteEdit(state, itemPath);
  Close(dialog, state, IDOK);
}

// The file-open dialog may leave the current directory where the user
// browsed; nothing here counts on it (a relative path counts from the
// DataFolder, named explicitly), so it is left as it is.
void OnBrowse(HWND dialog, ItemDialogState&) {
  std::string fullPath;
  std::string fileName;
  if (BrowseForFile(dialog, fullPath, fileName)) SetControlText(dialog, IDC_ITEM_PATH, fullPath);
}

BOOL OnCommand(HWND dialog, ItemDialogState& state, int id, int code) {
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDOK:
      if (!state.editMode) {
        OnAddOk(dialog, state);
      } else if (state.renameOnly) {
        OnRenameOk(dialog, state);
      } else {
        OnEditOk(dialog, state);
      }
      break;
    case IDCANCEL: Close(dialog, state, IDCANCEL); break;
    case IDC_ITEM_BROWSE: OnBrowse(dialog, state); break;
    default: break;
  }
  return TRUE;
}

constexpr DialogHandlers<ItemDialogState> kItemDialog{OnInit, OnCommand};

bool RunItemDialog(const DialogOwner& owner, ItemDialogState& state) {
  return RunModalDialog(owner, "FileDialog", kItemDialog, state) == IDOK;
}

}  // namespace

bool RunAddItemDialog(const DialogOwner& owner, const DataFolders& folders, AddItemPrefill& prefill,
                      WrittenItem& written) {
  ItemDialogState state(folders, &prefill);
  state.prefill = prefill;
  state.prefill.arguments = SjisCut(prefill.arguments, kPathTextBytes);
  bool saved = RunItemDialog(owner, state);
  prefill = AddItemPrefill();
  written = std::move(state.written);
  return saved;
}

EditOutcome RunEditItemDialog(const DialogOwner& owner, const DataFolders& folders, const EditItemValues& values,
                              WrittenItem& written) {
  ItemDialogState state(folders, nullptr);
  state.editMode = true;
  state.edit = values;
  if (!RunItemDialog(owner, state)) return EditOutcome::kCancelled;
  written = std::move(state.written);
  return state.oldFileKept ? EditOutcome::kSavedOldKept : EditOutcome::kSaved;
}
