// The help menu's addresses and the reading of the server's version file:
// everything of the update check and the help commands that needs no Win32.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// Our place in the server's version scale: Ver1.17.
constexpr int kOwnVersion = 117;

// The version file is read once, at most this many bytes: "11800" reads as 1180.
constexpr unsigned kVersionReadBytes = 4;

// Paths on the maker's site.
constexpr char kVersionFilePath[] = "/appversion/hopdeck.ver";
constexpr char kProgramPagePath[] = "/hopdeck/";

// The full address of a path on the maker's site (the build setting
// HD_SITE_BASE, without a trailing "/", followed by the path).
std::string SiteAddress(std::string_view path);

// The page a help-menu command opens (IDM_CHANGE_HISTORY, IDM_PROGRAM_PAGE, IDM_MAKER_SITE, IDM_CONTACT_FORM), or nullptr.
const char* WebPagePath(int commandId);

// The help file a command opens (IDM_MANUAL "manual.txt", IDM_KEY_LIST "command.txt"), or nullptr.
const char* HelpFileName(int commandId);

// The number in the version file: its leading decimal digits, within the
// first kVersionReadBytes bytes; nothing when it does not begin with a digit
// (an empty file, an error page).
std::optional<int> ParseVersion(std::string_view bytes);

// Whether the server's number names a version newer than ours.
constexpr bool IsNewerVersion(int serverVersion) { return serverVersion > kOwnVersion; }

// What the check tells the user: a newer version, none, or that it could not
// tell. versionFile is what was read, or nothing when it could not be read.
enum class UpdateAnswer { kNewer, kUpToDate, kUnknown };
UpdateAnswer AnswerFor(const std::optional<std::string>& versionFile);
