// The Send-to cleanup lists the "*.lnk" files of the current user's Send-to
// folder by name (without ".lnk") and deletes the one chosen with Delete.
// Entry i of the name table is line i of the list box, which is not sorted.
#include "pickers/send_to_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "items/item_store_win.h"
#include "pickers/picker_texts.h"
#include "pickers/send_to_list.h"
#include "platform/common_controls_win.h"
#include "platform/key_filter_win.h"
#include "platform/modal_dialog_win.h"
#include "platform/win_handles.h"
#include "resources/resource.h"
#include "speech/speech_win.h"

namespace {

constexpr UINT_PTR kDeleteKeySubclassId = 1;

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// folder\name, with no second separator after a root such as "C:\"; "" when
// the result would not fit a path.
std::string JoinPath(const std::string& folder, const std::string& name) {
  char joined[MAX_PATH] = {};
  if (PathCombineA(joined, folder.c_str(), name.c_str()) == nullptr) return {};
  return joined;
}

struct SendToState {
  const Voice& voice;
  std::string folder;               // "" when the shell has no Send-to folder
  std::vector<std::string> names;   // line i of the list is names[i]
};

void FillList(HWND list, SendToState& state) {
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  state.names = state.folder.empty() ? std::vector<std::string>() : ReadSendToNames(state.folder);
  for (std::size_t i = 0; i < state.names.size(); ++i) {
    SendMessageA(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(state.names[i].c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

// Delete in the list: ask, delete the shortcut, refill, keep the place.
void OnDeleteKey(HWND list, SendToState& state) {
  auto index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= state.names.size()) return;
  const std::string name = state.names[static_cast<std::size_t>(index)];
  std::string question = SendToDeleteQuestion(name);
  if (ShowMessageBox(list, question.c_str(), kDeleteCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;

  // A shortcut that has gone already is as good as deleted; one that stays
  // (read-only, say) must not be announced as deleted.
  std::string linkPath = JoinPath(state.folder, name + ".lnk");
  bool deleted = false;
  if (!linkPath.empty()) deleted = DeleteFileA(linkPath.c_str()) != FALSE || GetLastError() == ERROR_FILE_NOT_FOUND;
  FillList(list, state);
  int selection = SelectionAfterDelete(static_cast<int>(index), static_cast<int>(state.names.size()));
  SendMessageA(list, LB_SETCURSEL, selection, 0);
  SpeakText(state.voice, deleted ? kDeletedText : kNotDeletedText, 0);
}

LRESULT CALLBACK SendToListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR refData) {
  if (message == WM_KEYDOWN && wParam == VK_DELETE) {
    OnDeleteKey(list, *reinterpret_cast<SendToState*>(refData));
    return 0;
  }
  if (message == WM_NCDESTROY) DropWindowSubclass(list, SendToListProc, id);
  return NextSubclassProc(list, message, wParam, lParam);
}

BOOL OnInit(HWND dialog, SendToState& state) {
  HWND list = GetDlgItem(dialog, IDC_PICKER_LIST);
  InstallKeyFilter(list);  // Left and Right
  (void)AddWindowSubclass(list, SendToListProc, kDeleteKeySubclassId, reinterpret_cast<DWORD_PTR>(&state));  // refused: Delete does nothing
  state.folder = SendToFolder();
  FillList(list, state);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  return TRUE;
}

// Enter arrives as IDOK and does nothing: there is no OK button.
BOOL OnCommand(HWND, SendToState&, int id, int) { return id == IDOK; }

constexpr DialogHandlers<SendToState> kSendToDialog{OnInit, OnCommand};

}  // namespace

std::string SendToFolder() {
  char folder[MAX_PATH + 1] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_SENDTO, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return folder;
}

std::vector<std::string> ReadSendToNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  UniqueFindHandle search(FindFirstFileA((folder + "\\*.lnk").c_str(), &found));
  if (!search) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    found.cFileName[MAX_PATH - 1] = '\0';
    if (auto name = SendToEntryName(found.cFileName)) names.push_back(std::move(*name));
  } while (names.size() < kSendToMaxEntries && FindNextFileA(search.get(), &found));
  return names;
}

void EnsureSendToShortcut(const std::string& programFolder) {
  // Without either folder the shortcut would land in, or point to, a drive's root.
  std::string folder = SendToFolder();
  if (folder.empty() || programFolder.empty()) return;
  std::string linkPath = JoinPath(folder, kOwnShortcutName);
  std::string target = JoinPath(programFolder, kOwnExecutableName);
  if (linkPath.empty() || target.empty()) return;
  if (PathExists(linkPath)) return;  // the user's own, or ours from an earlier start: left as it is
  // Not reported: the program runs as well without it, and the next start tries again.
  (void)SaveShellLink(linkPath, target, "");
}

void RunSendToCleanupDialog(const DialogOwner& owner, const Voice& voice) {
  SendToState state{voice, {}, {}};
  RunModalDialog(owner, "Send2Dialog", kSendToDialog, state);
}
