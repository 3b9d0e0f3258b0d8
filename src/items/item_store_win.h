// Item files in the ItemFolder: shortcuts (.lnk), internet shortcuts (.url)
// and mail items (.mail). The file name without its extension is the item's
// name, byte for byte as the list shows it.
#pragma once
#include <string>

struct AppState;

// Creates the data folders, makes the DataFolder the current directory,
// fills app.dataFolder and app.itemFolder, and removes the temporary item
// files that an interrupted write left in the item folder.
void PrepareDataFolders(AppState& app);

// Item file of a list entry, formed from the DataFolder: "%s\Lnk\%s.lnk"
// (programs, files), "%s\Lnk\%s.url" (URLs), "%s\Lnk\%s.mail" (mail).
std::string ItemFilePath(const AppState& app, int listKind, const std::string& name);

// Reads a shortcut's target and argument string. False (and both empty) when
// the file cannot be loaded or resolved.
bool ReadShellLink(const std::string& linkPath, std::string& target, std::string& arguments);
// The same as the shortcut holds them, without resolving it: for reading
// many shortcuts at once, where a search for a moved target (or a window
// asking about it) would be out of place.
bool ReadShellLinkAsStored(const std::string& linkPath, std::string& target, std::string& arguments);

// Writes (or replaces) a shortcut to target, its working folder the target's
// folder. Failures are not reported.
void WriteShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments);

// "URL" of section "InternetShortcut"; "" when missing. At most 260 bytes.
std::string ReadUrlItem(const std::string& itemFile);
// "MailAddress" of section "EMailShortcut" ("mailto:" included); "" when missing.
std::string ReadMailItem(const std::string& itemFile);
// The address without a leading "mailto:"; a value without it is used whole.
std::string BareMailAddress(const std::string& mailValue);

// What an item file holds: a shortcut's target and argument string, the URL,
// or a mail item's whole "MailAddress" value ("mailto:" included). Both are
// empty when the file cannot be read.
struct ItemContent {
  std::string target;
  std::string arguments;
};
ItemContent ReadItem(int listKind, const std::string& itemFile);

// Replaces section "InternetShortcut" with "URL=" + url; other sections stay.
// False when the file could not be written.
bool WriteUrlItem(const std::string& itemFile, const std::string& url);
// Replaces section "EMailShortcut" with "MailAddress=mailto:" + address.
bool WriteMailItem(const std::string& itemFile, const std::string& address);
// Writes a ".url" item named name in the ItemFolder with the URL of sourceFile.
void ImportUrlFile(const AppState& app, const std::string& sourceFile, const std::string& name);
