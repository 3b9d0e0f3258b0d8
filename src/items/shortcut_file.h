// A shortcut file's target read from its bytes, without the shell-link
// object: opening 500 shortcuts through that object costs several times
// reading their bytes. Only the plain form is read here, the one the shell
// writes for a file on a local drive: a link-information block whose local
// path is the whole target. Every other form (a network path, a path split
// into a base and a suffix, a target in environment variables, an installer's
// product code, a shell item without a path) and every damaged file is left to
// the shell-link object, so a file read here gives what that object gives.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// The larger files are left to the shell-link object: no plain shortcut is
// anywhere near this size.
constexpr std::size_t kShortcutFileMaxBytes = 64 * 1024;

// The target's local path as stored (bytes of the ANSI code page it was
// written in), or nothing when the bytes are not a plain shortcut.
std::optional<std::string> PlainShortcutTarget(std::string_view bytes);
