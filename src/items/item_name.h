// How the add and edit dialog turns what the user typed into an item file:
// the cleaned name, the name proposed for a handed-over path, the kind of
// item a path makes, and the cut that keeps the item file's path short enough.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Replaces every occurrence of pattern in text by replacement. Matches begin
// only on character boundaries, so a trail byte is never taken for pattern.
void ReplaceAll(std::string& text, std::string_view pattern, std::string_view replacement);

// The name with ! | + / % & ; : replaced by their full-width forms, in that
// order. Other characters, Japanese ones included, stay as they are.
std::string CleanItemName(std::string name);

// The last path component by the platform's find-file-name rule: the text
// after the last "\", "/" or ":" that is followed by a character other than
// a separator.
std::string_view LastPathComponent(std::string_view path);

// The name the add dialog proposes: the last component of link when link is
// not empty, else of path, up to its first "."; empty when that component
// has no "." or starts with it.
std::string ProposeItemName(std::string_view link, std::string_view path);

// What an OK in the add or edit dialog writes.
enum class ItemKind {
  kImportUrl,     // the URL of an internet-shortcut file, as a ".url" item
  kUrl,           // the path as the URL of a ".url" item
  kCopyShortcut,  // a byte copy of the shortcut file at the path, as a ".lnk" item
  kShortcut,      // a ".lnk" item pointing to the path
  kMail,          // the path as the address of a ".mail" item
};

// What the platform says about the path: its extension (find-extension rule,
// "" when none), whether the URL test accepts it, whether something exists there.
struct PathFacts {
  std::string_view extension;
  bool isUrl = false;
  bool exists = false;
};

// The add dialog's decision, in order: ".url" import, URL, ".lnk" copy,
// shortcut (something exists there, or no "@"), mail. Extensions are
// compared with case: ".URL" is not ".url".
ItemKind DecideAddKind(std::string_view path, const PathFacts& facts);

// The edit dialog's decision: URL, shortcut, mail. A ".url" or ".lnk" path
// becomes the target of a shortcut here.
ItemKind DecideEditKind(std::string_view path, const PathFacts& facts);

// The item file's extension for a kind: ".url", ".lnk" or ".mail".
const char* ItemExtension(ItemKind kind);

// Whether the path holds an "@" that is a character of its own (a trail
// byte that looks like "@" does not count).
bool HoldsMailSign(std::string_view path);

// The longest item file path the file functions accept: MAX_PATH less its terminator.
constexpr std::size_t kItemPathMaxBytes = 259;

// name cut on a character boundary so that folder + "\" + name + extension
// holds at most kItemPathMaxBytes bytes. Empty when not even one character fits.
std::string FitItemName(std::string_view name, std::string_view folder, std::string_view extension);

// Whether a cleaned name can be a file name in the item folder: not empty and
// without "\" (which would place the file in another folder).
bool IsPlainItemName(std::string_view name);
