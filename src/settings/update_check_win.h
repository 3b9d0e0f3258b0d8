// The update check over WinINet.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

// Opens address directly (no proxy), always from the server, and reads its
// first bytes with a single read of at most kVersionReadBytes. nullopt when
// the file cannot be opened: no network, no server, or an HTTP answer other
// than success (a missing file must not pass for "up to date").
std::optional<std::string> ReadVersionFile(const std::string& address);

// The whole check against the maker's site, with owner as the owner of the
// message boxes. 1 when the version file could be opened, else 0 and nothing
// is shown.
int RunUpdateCheck(HWND owner);
