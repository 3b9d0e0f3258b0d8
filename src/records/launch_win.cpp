// Where what the program runs is found. The data folder is writable by every
// local account, so no name is ever looked up there:
//
//   bare name "notepad"       <system folder>\notepad.exe, else the Windows
//                             folder, else App Paths (HKCU, then HKLM)
//   bare name "timedate.cpl"  <system folder>\control.exe timedate.cpl
//   "C:\x\y.exe"              as it is, started in "C:\x"
//   "...\Lnk\name.lnk"        the shortcut, started in its target's folder;
//                             a shortcut to a bare name runs what that name
//                             resolves to, with the shortcut's arguments
//   "https://...", "shell:x"  as it is, started in the user's profile
//
// Under WOW64 the real system folder (Sysnative) comes first: programs such
// as narrator.exe and magnify.exe exist only there.
#include "records/launch_win.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "items/item_store_win.h"
#include "platform/files_win.h"
#include "platform/sjis.h"
#include "platform/win_handles.h"
#include "records/browser_dialog_win.h"
#include "records/launch_target.h"
#include "records/record_texts.h"
#include "records/records_win.h"
#include "speech/speech_win.h"

namespace {

// Said after the launch, which did happen: the user must not count on
// finding it in the history.
void Record(const Voice& voice, const std::string& dataFolder, RecordLog& history, const std::string& target,
            const std::string& name) {
  if (!RecordLaunch(dataFolder, history, target, name)) SpeakText(voice, kHistoryNotRecordedText, 0);
}

}  // namespace

namespace {

constexpr char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

std::string FolderFrom(UINT (WINAPI* query)(LPSTR, UINT)) {
  char folder[MAX_PATH + 1] = {};
  UINT length = query(folder, MAX_PATH);
  return (length > 0 && length < MAX_PATH) ? std::string(folder, length) : std::string();
}

// The 64-bit system folder as a 32-bit process on 64-bit Windows names it;
// empty elsewhere.
std::string NativeSystemFolder() {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return {};
  std::string windows = FolderFrom(GetWindowsDirectoryA);
  return windows.empty() ? std::string() : windows + "\\Sysnative";
}

// fileName in the folders only administrators may write, in search order.
std::string FindInSystemFolders(const std::string& fileName) {
  for (const std::string& folder : {NativeSystemFolder(), SystemFolder(), FolderFrom(GetWindowsDirectoryA)}) {
    if (folder.empty()) continue;
    std::string path = folder + "\\" + fileName;
    if (FileExists(path)) return path;
  }
  return {};
}

// The program registered under App Paths as fileName: the key's default
// value, unquoted and with its variables expanded. Only a full path to a
// file that exists counts; a relative one would be looked up again.
std::string AppPath(const std::string& fileName) {
  const std::string subKey = kAppPathsKey + fileName;
  struct Place {
    HKEY root;
    REGSAM view;
  };
  for (const Place& place : {Place{HKEY_CURRENT_USER, 0}, Place{HKEY_LOCAL_MACHINE, 0},
                             Place{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}}) {
    UniqueHkey key;
    if (RegOpenKeyExA(place.root, subKey.c_str(), 0, KEY_QUERY_VALUE | place.view, key.put()) != ERROR_SUCCESS) {
      continue;
    }
    char value[kPathBytes + 1] = {};  // one byte more than the registry may fill: the terminator is ours
    DWORD size = kPathBytes;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
      continue;
    }
    char path[kPathBytes + 1] = {};
    if (type == REG_EXPAND_SZ) {
      DWORD length = ExpandEnvironmentStringsA(value, path, kPathBytes);
      if (length == 0 || length > kPathBytes) continue;
    } else {
      CopyToField(path, sizeof path, FieldText(value, kPathBytes));
    }
    PathUnquoteSpacesA(path);
    if (ClassifyTarget(path) == TargetForm::kPath && FileExists(path)) return path;
  }
  return {};
}

// The folder of path when it is one that exists; "" otherwise.
std::string ExistingFolderOf(const std::string& path) {
  std::string folder = ContainingFolder(path);
  if (folder.empty() || !PathIsDirectoryA(folder.c_str())) return {};
  return folder;
}

// What the shell is handed for one launch.
struct ShellRequest {
  std::string file;
  std::string parameters;
  std::string folder;  // "" until planned
};

// A shortcut starts in its target's folder. One whose target is a bare
// name would have the shell search for it; it runs what the name resolves
// to, with the shortcut's arguments, instead.
void PlanShortcut(ShellRequest& request) {
  std::string target;
  std::string arguments;
  if (!ReadShellLinkAsStored(request.file, target, arguments)) return;
  if (ClassifyTarget(target) == TargetForm::kBareName) {
    std::string resolved = target;
    std::string parameters = arguments;
    ResolveBareName(resolved, parameters);
    if (resolved != target) {
      request.file = resolved;
      request.parameters = parameters;
    }
    return;
  }
  request.folder = ExistingFolderOf(target);
}

ShellRequest PlanShellRequest(const std::string& target, const std::string& parameters) {
  ShellRequest request{target, parameters, {}};
  switch (ClassifyTarget(target)) {
    case TargetForm::kBareName:
      ResolveBareName(request.file, request.parameters);  // started in the profile, as from the Run box
      break;
    case TargetForm::kPath:
      if (IsShortcutPath(target)) {
        PlanShortcut(request);
      } else {
        request.folder = ExistingFolderOf(target);
      }
      break;
    default:
      break;
  }
  if (request.folder.empty()) request.folder = ProfileFolder();
  return request;
}

bool IsRegisteredUrlProtocol(std::string_view scheme) {
  UniqueHkey key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, std::string(scheme).c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
    return false;
  }
  return RegQueryValueExA(key.get(), "URL Protocol", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

std::string SystemFolder() { return FolderFrom(GetSystemDirectoryA); }

std::string ProfileFolder() {
  char profile[MAX_PATH + 1] = {};
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile)) && profile[0] != '\0') {
    return profile;
  }
  return SystemFolder();
}

void ResolveBareName(std::string& file, std::string& parameters) {
  if (IsControlPanelName(file)) {
    std::string control = FindInSystemFolders("control.exe");
    if (control.empty()) return;
    // control.exe finds the item in its own folder.
    std::string item = file.find(' ') == std::string::npos ? file : "\"" + file + "\"";
    parameters = parameters.empty() ? item : item + " " + parameters;
    file = control;
    return;
  }
  const std::string fileName = ProgramFileName(file);
  std::string found = FindInSystemFolders(fileName);
  if (found.empty()) found = AppPath(fileName);
  if (found.empty() && fileName != file) found = AppPath(file);  // the key some installers write without ".exe"
  if (!found.empty()) file = found;
}

void ShellOpen(HWND owner, const char* verb, const std::string& target, const std::string& parameters) {
  ShellRequest request = PlanShellRequest(target, parameters);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  // No SEE_MASK_FLAG_NO_UI: a blind user hears the shell's box about a
  // missing program, and it belongs to our window rather than floating alone.
  info.fMask = 0;
  info.hwnd = owner;
  info.lpVerb = verb;
  info.lpFile = request.file.c_str();
  info.lpParameters = request.parameters.empty() ? nullptr : request.parameters.c_str();
  info.lpDirectory = request.folder.empty() ? nullptr : request.folder.c_str();
  info.nShow = SW_SHOW;
  ShellExecuteExA(&info);  // a failure is the shell's to report, in its own box
}

void Launch(HWND owner, const Voice& voice, const std::string& dataFolder, RecordLog& history,
            const std::string& target, const std::string& name, const char* verb) {
  if (target.empty()) return;
  ShellOpen(owner, verb, target);
  Record(voice, dataFolder, history, target, name);
}

void LaunchWithBrowser(HWND owner, const Voice& voice, const std::string& dataFolder, RecordLog& history,
                       int browser, const std::string& target, const std::string& name) {
  if (target.empty() || !OpenUrlWithChosenBrowser(owner, browser, target)) return;
  Record(voice, dataFolder, history, target, name);
}

bool UrlItemMayOpen(const std::string& url) { return UrlMayOpen(url, IsRegisteredUrlProtocol); }
