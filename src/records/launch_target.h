// What a launch target is, and which ones may be handed to the shell: the
// rules the launcher applies before anything runs. Bytes are Shift-JIS.
#pragma once
#include <functional>
#include <string>
#include <string_view>

// How the shell would read a target.
enum class TargetForm {
  kEmpty,
  kBareName,      // "notepad", "timedate.cpl": the shell searches folders for it
  kPath,          // "C:\x\y.exe", "\\host\share\y", "\y": names one file
  kRelativePath,  // "sub\y.exe", "C:y.exe": counts from some current folder
  kAddress,       // "https://...", "mailto:...", "shell:Personal", "ms-settings:"
};
TargetForm ClassifyTarget(std::string_view target);

// The scheme of an address ("https" for "https://x"): a letter, then
// letters, digits, "+", "-" or ".", then ":". Empty when there is none;
// a single letter before the colon is a drive, not a scheme.
std::string_view UrlScheme(std::string_view text);

// The file a bare program name is looked for under: the name itself when it
// has an extension, else the name with ".exe".
std::string ProgramFileName(std::string_view bareName);

// Whether a bare name names a control-panel item (".cpl", any case), which
// the system's control.exe opens.
bool IsControlPanelName(std::string_view bareName);

// Whether a path names a shell shortcut (".lnk", any case).
bool IsShortcutPath(std::string_view path);

// A URL item's value may be opened when it is an address whose scheme is
// registered as a URL protocol (isUrlProtocol asks) and is not "file": a
// program path, a share or a local file never runs from the URL list.
bool UrlMayOpen(std::string_view url, const std::function<bool(std::string_view scheme)>& isUrlProtocol);

// A mail item's value may be opened when it is "mailto:" (any case) and an
// address: something, "@", something, before any "?".
bool MailMayOpen(std::string_view value);

// A chosen browser is handed only an http or https URL, as one argument: it
// can never begin with "-" and be taken for a switch.
bool BrowserMayOpen(std::string_view url);
