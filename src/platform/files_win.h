// Small file-system operations that several subsystems share.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// Whether path names a file, not a folder: a folder in the way must never be
// taken for an item, a log or a program.
bool FileExists(const std::string& path);

// The folder a path names its file in, as the shell cuts it: "D:\a\b.txt"
// gives "D:\a", "C:\b.txt" gives "C:\", and a bare name ("notepad") gives "".
// The path is first cut to a path field.
std::string ContainingFolder(const std::string& path);

// Replaces the file at path all or nothing. write fills a new temporary file
// in the same folder (its path is write's argument) and reports success; the
// file is then moved over path. False when write fails or the move is
// refused (a read-only file, or one held open by another program); path is
// then as it was, and the temporary file is gone.
bool ReplaceFileWith(const std::string& path, const std::function<bool(const std::string& pending)>& write);

// Starts pending as a copy of the file at path, when there is one, so that
// whatever a write leaves alone survives the replacement. False when the
// copy fails.
bool StartFromCopy(const std::string& path, const std::string& pending);

// Deletes the temporary files that an interrupted replacement left in folder.
void RemovePendingFiles(const std::string& folder);

// The whole content of a file of at most maxBytes; nothing when it cannot be
// read or is larger.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// The current directory; empty when it does not fit a path.
std::string CurrentFolder();

// Creates (or empties) the file at path and writes bytes; false on any failure.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
