// The update check over WinINet.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

// Opens address with the system's connection (proxy) settings and bounded
// waits, always from the server, and reads its first bytes with a single read
// of at most kVersionReadBytes. nullopt when the file cannot be opened or
// read: no network, no server, a broken connection, or an HTTP answer other
// than success (a missing file must not pass for "up to date").
std::optional<std::string> ReadVersionFile(const std::string& address);

// The whole check against the maker's site, with owner as the owner of the
// message boxes: the update question, the up-to-date box, or, when the file
// could not be read or names no version, the box that says the check could
// not be made. 1 when the version file could be read, else 0.
int RunUpdateCheck(HWND owner);
