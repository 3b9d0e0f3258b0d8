// Small file-system operations that several subsystems share.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Whether path names a file, not a folder: a folder in the way must never be
// taken for an item, a log or a program.
bool FileExists(const std::string& path);

// The folder a path names its file in, as the shell cuts it: "D:\a\b.txt"
// gives "D:\a", "C:\b.txt" gives "C:\", and a bare name ("notepad") gives "".
// The path is first cut to a path field.
std::string ContainingFolder(const std::string& path);

// Replaces the file at path all or nothing. write fills a new temporary file
// in the same folder (its path is write's argument) and reports success; the
// file is flushed to the disk and then moved over path. False when write
// fails or the move is refused (a read-only file, or one held open by another
// program for longer than RetryWhileHeld waits); path is then as it was, and
// the temporary file is gone.
[[nodiscard]] bool ReplaceFileWith(const std::string& path, const std::function<bool(const std::string& pending)>& write);

// Runs step until it succeeds or fails for a reason other than a file held by
// someone else (a sharing, lock or access-denied error): up to kHeldFileTries
// tries, kHeldFileRetryMs apart. A scanner, backup or indexer often holds a
// file for a moment right after it was written. Returns step's last result.
constexpr int kHeldFileTries = 10;
constexpr unsigned kHeldFileRetryMs = 100;
[[nodiscard]] bool RetryWhileHeld(const std::function<bool()>& step);

// Deletes the file at path, waiting out a moment's hold; true when it is gone
// (or was never there). A read-only file is not waited for.
[[nodiscard]] bool DeleteOwnFile(const std::string& path);
// Moves from over to (which may exist), waiting out a moment's hold.
[[nodiscard]] bool MoveOwnFile(const std::string& from, const std::string& to);

// Whether the file at path can be read now, waiting out a moment's hold; true
// when there is no file. A file whose content is to be kept must not be taken
// for empty because another program held it while it was read.
[[nodiscard]] bool WaitUntilReadable(const std::string& path);

// Starts pending as a copy of the file at path, when there is one, so that
// whatever a write leaves alone survives the replacement. False when the
// copy fails.
[[nodiscard]] bool StartFromCopy(const std::string& path, const std::string& pending);

// Deletes the temporary files that an interrupted replacement left in folder.
void RemovePendingFiles(const std::string& folder);

// The whole content of a file of at most maxBytes; nothing when it cannot be
// read or is larger.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// The current directory; empty when it does not fit a path.
std::string CurrentFolder();

// Creates (or empties) the file at path and writes bytes; false on any failure.
[[nodiscard]] bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Names of files that other programs made may hold characters code page 932
// lacks (é, ™, Korean, emoji). Exact: the text in the program's code page
// when it converts back to exactly wide, else nothing; such a name is not one
// the program can open through the A functions. Lossy: as the A functions
// would show it (a best-fit form or "?"), for display only.
std::optional<std::string> ExactAnsiText(std::wstring_view wide);
std::string LossyAnsiText(std::wstring_view wide);
