// The add and edit dialog "FileDialog". Add mode decides from the path alone
// which kind of item file to write; edit mode writes the item again under its
// possibly new name and target and removes the old file; rename-only mode
// (the target could not be read) moves the file under a new name untouched.
//
// Every item file is first written completely under a temporary name in the
// item folder (".tmp", which no list scans) and then moved over its place.
// A write that fails therefore never costs the item it was to replace, and
// an old file is deleted only once its successor is in place.
#include "items/item_dialog_win.h"

#include <commdlg.h>
#include <shlwapi.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "app/app_state.h"
#include "items/item_dialog_texts.h"
#include "items/item_name.h"
#include "items/item_store_win.h"
#include "platform/files_win.h"
#include "platform/modal_dialog_win.h"
#include "platform/sjis.h"
#include "resources/resource.h"

namespace {

struct ItemDialogState {
  explicit ItemDialogState(AppState& appState) : app(appState) {}
  AppState& app;
  bool editMode = false;
  bool renameOnly = false;  // edit mode with an unreadable target
  // Add mode: the prefill values as they stood when the dialog opened.
  std::string prefillPath;
  std::string prefillLink;
  std::string prefillArguments;
  // Edit mode.
  EditItemValues edit;
  bool oldFileKept = false;  // the file under the old name could not be deleted
};

struct FieldLimit {
  int id;
  std::size_t bytes;
};
constexpr FieldLimit kFields[] = {{IDC_ITEM_NAME, kPathTextBytes}, {IDC_ITEM_PATH, kPathTextBytes}};

// A field's text, at most 260 bytes. The edit controls limit typing, but
// Wine counts that limit in characters, so the cut is made here as well.
std::string ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  int length = GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(control, text.data(), length + 1);
  return SjisCut(FieldText(text.data(), text.size()), kPathTextBytes);
}

void SetControlText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, SjisCut(text, kPathTextBytes).c_str());
}

// Moves the focus the way the dialog manager does (an edit's text gets selected).
void FocusControl(HWND dialog, int id) {
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void ShowInputError(HWND dialog, const char* text, int focusId) {
  MessageBoxA(dialog, text, kItemInputErrorCaption, MB_OK | MB_ICONINFORMATION);
  FocusControl(dialog, focusId);
}

void ShowWriteFailure(HWND dialog) {
  MessageBoxA(dialog, kWriteFailedText, kWriteFailedCaption, MB_OK | MB_ICONINFORMATION);
  FocusControl(dialog, IDC_ITEM_NAME);
}

bool AskOverwrite(HWND dialog, const std::string& name) {
  std::vector<char> question(name.size() + sizeof(kOverwriteFormat), '\0');
  std::snprintf(question.data(), question.size(), kOverwriteFormat, name.c_str());
  return MessageBoxA(dialog, question.data(), kOverwriteCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

// Whether two item file paths name the same file: compared as the file
// system compares names, without regard to case.
bool SameItemFile(const std::string& first, const std::string& second) {
  auto wide = [](const std::string& text) {
    int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), units);
    return result;
  };
  std::wstring a = wide(first);
  std::wstring b = wide(second);
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// Whether the file at path is listed under exactly its own name. A file
// system may store a name it cannot hold cut short while reporting success
// (Wine on Linux holds a name to 255 bytes of UTF-8, about 85 kanji): the
// item would then lose its extension and vanish from every list.
bool ListedUnderItsName(const std::string& path) {
  WIN32_FIND_DATAA found;
  UniqueFindHandle listing(FindFirstFileA(path.c_str(), &found));
  if (!listing) return false;
  return SameItemFile(found.cFileName, PathFindFileNameA(path.c_str()));
}

// Writes an item through write into a temporary file, then moves it to
// itemPath, replacing a file that is there. False when the new file could
// not be put in place under its name; then nothing of the write is left.
bool PlaceItemFile(const std::string& itemPath, const std::function<bool(const std::string&)>& write) {
  if (!ReplaceFileWith(itemPath, write)) return false;
  if (!ListedUnderItsName(itemPath)) {
    DeleteFileA(itemPath.c_str());  // the same path reaches the file under its cut name
    return false;
  }
  return true;
}

// The path made absolute against the current directory (the DataFolder):
// the profile reader would look for a bare name in the Windows folder.
std::string AbsolutePath(const std::string& path) {
  char full[MAX_PATH + 1] = {};
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return path;
  return std::string(full, length);
}

// Whether a URL or mail item replaces another item's file (kMerge: over a
// copy of it, so that the sections beside its own survive) or rewrites its
// own file afresh (kFresh).
enum class Replace { kMerge, kFresh };

bool WriteItem(ItemKind kind, const std::string& path, const std::string& arguments, const std::string& itemPath,
               Replace replace = Replace::kMerge) {
  auto start = [&](const std::string& pending) {
    return replace == Replace::kFresh || StartFromCopy(itemPath, pending);
  };
  return PlaceItemFile(itemPath, [&](const std::string& pending) {
    switch (kind) {
      case ItemKind::kImportUrl: {
        // Only the URL is taken over from the internet-shortcut file.
        std::string url = ReadUrlItem(AbsolutePath(path));
        return start(pending) && WriteUrlItem(pending, url);
      }
      case ItemKind::kUrl:
        return start(pending) && WriteUrlItem(pending, path);
      case ItemKind::kCopyShortcut:
        return CopyFileA(path.c_str(), pending.c_str(), FALSE) != FALSE;
      case ItemKind::kShortcut:
        WriteShellLink(pending, path, arguments);
        return true;
      case ItemKind::kMail:
        return start(pending) && WriteMailItem(pending, path);
    }
    return false;
  });
}

// Renames a file to a name that differs from its own only in the case of
// letters; nothing to do when the texts are identical.
void RenameCaseOnly(const std::string& oldPath, const std::string& newPath) {
  if (oldPath == newPath) return;
  MoveFileA(oldPath.c_str(), newPath.c_str());  // the file keeps its old spelling if refused
}

// The cleaned name and the item file it gives. False when the name cannot
// make a file in the item folder.
bool FormItemPath(const AppState& app, const std::string& typedName, const char* extension, std::string& name,
                  std::string& itemPath) {
  name = FitItemName(CleanItemName(typedName), app.itemFolder, extension);
  if (!IsPlainItemName(name)) return false;
  itemPath = app.itemFolder + "\\" + name + extension;
  return true;
}

PathFacts FactsOf(const std::string& path) {
  PathFacts facts;
  facts.extension = PathFindExtensionA(path.c_str());
  facts.isUrl = PathIsURLA(path.c_str()) != FALSE;
  facts.exists = PathFileExistsA(path.c_str()) != FALSE;
  return facts;
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
  if (!GetOpenFileNameA(&dialog)) return false;
  fullPath = std::string(FieldText(file, sizeof(file)));
  fileName = std::string(FieldText(title, sizeof(title)));
  return true;
}

void Close(HWND dialog, ItemDialogState& state, INT_PTR result) {
  if (!state.editMode) {
    state.app.addPrefillPath.clear();
    state.app.addPrefillLink.clear();
    state.app.addPrefillArguments.clear();
  }
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
    if (!state.prefillPath.empty()) SetControlText(dialog, IDC_ITEM_PATH, state.prefillPath);
    SetControlText(dialog, IDC_ITEM_NAME, ProposeItemName(state.prefillLink, state.prefillPath));
  }
  FocusControl(dialog, IDC_ITEM_NAME);
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
  ItemKind kind = DecideAddKind(path, FactsOf(path));
  std::string name;
  std::string itemPath;
  if (!FormItemPath(state.app, typedName, ItemExtension(kind), name, itemPath)) return ShowWriteFailure(dialog);
  if (FileExists(itemPath) && !AskOverwrite(dialog, name)) return FocusControl(dialog, IDC_ITEM_NAME);
  if (!WriteItem(kind, path, state.prefillArguments, itemPath)) return ShowWriteFailure(dialog);
  Close(dialog, state, IDOK);
}

// The item now lives under its new name; the old file goes. One that cannot
// be deleted stays beside the new one, and the caller says so.
void RemoveOldItemFile(ItemDialogState& state) {
  DeleteFileA(state.edit.file.c_str());
  state.oldFileKept = FileExists(state.edit.file);
}

void OnEditOk(HWND dialog, ItemDialogState& state) {
  std::string typedName;
  std::string path;
  if (!ReadFields(dialog, typedName, path)) return;
  ItemKind kind = DecideEditKind(path, FactsOf(path));
  std::string name;
  std::string itemPath;
  if (!FormItemPath(state.app, typedName, ItemExtension(kind), name, itemPath)) return ShowWriteFailure(dialog);
  const std::string& oldFile = state.edit.file;
  if (SameItemFile(itemPath, oldFile)) {
    // The item is rewritten in its own place: the new file replaces the old
    // one only once it is complete.
    if (!WriteItem(kind, path, state.edit.arguments, oldFile, Replace::kFresh)) return ShowWriteFailure(dialog);
    RenameCaseOnly(oldFile, itemPath);
    return Close(dialog, state, IDOK);
  }
  if (FileExists(itemPath) && !AskOverwrite(dialog, name)) return FocusControl(dialog, IDC_ITEM_NAME);
  if (!WriteItem(kind, path, state.edit.arguments, itemPath)) return ShowWriteFailure(dialog);
  RemoveOldItemFile(state);
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
  if (!FormItemPath(state.app, typedName, extension.c_str(), name, itemPath)) return ShowWriteFailure(dialog);
  if (SameItemFile(itemPath, oldFile)) {
    RenameCaseOnly(oldFile, itemPath);
    return Close(dialog, state, IDOK);
  }
  if (FileExists(itemPath) && !AskOverwrite(dialog, name)) return FocusControl(dialog, IDC_ITEM_NAME);
  bool placed = PlaceItemFile(itemPath, [&](const std::string& pending) {
    return CopyFileA(oldFile.c_str(), pending.c_str(), FALSE) != FALSE;
  });
  if (!placed) return ShowWriteFailure(dialog);
  RemoveOldItemFile(state);
  Close(dialog, state, IDOK);
}

void OnBrowse(HWND dialog, ItemDialogState& state) {
  std::string fullPath;
  std::string fileName;
  bool chosen = BrowseForFile(dialog, fullPath, fileName);
  // The file-open dialog may leave the current directory where the user
  // browsed; every relative path of the program counts from the DataFolder.
  SetCurrentDirectoryA(state.app.dataFolder.c_str());
  if (chosen) SetControlText(dialog, IDC_ITEM_PATH, fullPath);
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

bool RunItemDialog(ItemDialogState& state, HWND owner) {
  return RunModalDialog(state.app.instance, "FileDialog", owner, &state.app.openDialog, kItemDialog, state) == IDOK;
}

}  // namespace

bool RunAddItemDialog(AppState& app, HWND owner) {
  ItemDialogState state(app);
  state.prefillPath = app.addPrefillPath;
  state.prefillLink = app.addPrefillLink;
  state.prefillArguments = SjisCut(app.addPrefillArguments, kPathTextBytes);
  bool written = RunItemDialog(state, owner);
  app.addPrefillPath.clear();
  app.addPrefillLink.clear();
  app.addPrefillArguments.clear();
  return written;
}

EditOutcome RunEditItemDialog(AppState& app, HWND owner, const EditItemValues& values) {
  ItemDialogState state(app);
  state.editMode = true;
  state.edit = values;
  if (!RunItemDialog(state, owner)) return EditOutcome::kCancelled;
  return state.oldFileKept ? EditOutcome::kSavedOldKept : EditOutcome::kSaved;
}

bool WriteItemFile(ItemKind kind, const std::string& path, const std::string& arguments, const std::string& itemPath) {
  return WriteItem(kind, path, arguments, itemPath);
}
