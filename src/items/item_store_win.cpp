// Item files, all in the ItemFolder "c:\ProgramData\Velmora\Hopdeck\Lnk":
//
//   Name.lnk    a shell shortcut, read and written through the shell-link object
//   Name.url    [InternetShortcut]\r\n URL=http://...\r\n
//   Name.mail   [EMailShortcut]\r\n MailAddress=mailto:someone@example.jp\r\n
//
// The .url and .mail files go through the private-profile functions: a write
// replaces the one section and keeps any other section of the file, a read
// matches section and key without regard to case and gives "" when either is
// missing. Values hold at most 260 bytes, cut on a character boundary.
#include "items/item_store_win.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "items/list_kind.h"
#include "items/shortcut_file.h"
#include "platform/files_win.h"
#include "platform/wide_text.h"
#include "platform/sjis.h"
#include "platform/win_handles.h"

namespace {

constexpr const char* kDataFolderParent = "c:\\ProgramData\\Velmora";
constexpr const char* kDataFolderPath = "c:\\ProgramData\\Velmora\\Hopdeck";

constexpr char kUrlSection[] = "InternetShortcut";
constexpr char kUrlKey[] = "URL";
constexpr char kMailSection[] = "EMailShortcut";
constexpr char kMailKey[] = "MailAddress";
constexpr char kMailPrefix[] = "mailto:";

// A UNC path, where a shortcut holds one, rather than its mapped drive letter.
constexpr DWORD kShellLinkGetPathFlags = SLGP_UNCPRIORITY;

// The profile functions look up a bare file name in the Windows folder, not
// in the current directory; a leading ".\" keeps such a name where the caller meant it.
std::string ProfilePath(const std::string& file) {
  if (PathIsFileSpecA(file.c_str())) return ".\\" + file;
  return file;
}

// A profile value cut to 260 bytes without splitting a double-byte character.
// The buffer is larger than the limit so that the cut is ours, not the
// reader's (which may stop in the middle of a character).
std::string ReadProfileValue(const std::string& file, const char* section, const char* key) {
  char value[2 * kPathBytes] = {};
  GetPrivateProfileStringA(section, key, "", value, sizeof(value) - 1, ProfilePath(file).c_str());
  return SjisCut(FieldText(value, sizeof(value)), kPathTextBytes);
}

// Replaces the whole section with one "key=value" line; other sections stay.
bool WriteProfileLine(const std::string& file, const char* section, const std::string& line) {
  // The section writer takes a list of lines, each ended by a zero byte, and
  // an empty line after the last one; c_str() supplies that second zero.
  std::string lines = line;
  lines.push_back('\0');
  return WritePrivateProfileSectionA(section, lines.c_str(), ProfilePath(file).c_str()) != FALSE;
}

}  // namespace

std::optional<DataFolders> PrepareDataFolders(std::string& unusableFolder) {
  const std::string itemFolder = std::string(kDataFolderPath) + "\\Lnk";
  // Each may exist already; that failure is the ordinary case, and whether
  // the folder is there is asked afterwards. A file of that name is no folder.
  for (const std::string& folder : {std::string(kDataFolderParent), std::string(kDataFolderPath), itemFolder}) {
    CreateDirectoryA(folder.c_str(), nullptr);
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      unusableFolder = folder;
      return std::nullopt;
    }
  }
  // Without this, the folder the program was started in would be taken for
  // the data folder, and its files for the program's own.
  if (!SetCurrentDirectoryA(kDataFolderPath)) {
    unusableFolder = kDataFolderPath;
    return std::nullopt;
  }
  DataFolders folders;
  folders.data = CurrentFolder();
  if (folders.data.empty()) folders.data = kDataFolderPath;
  folders.items = folders.data + "\\Lnk";
  // What an interrupted write left behind: the items' and the logs'.
  RemovePendingFiles(folders.items);
  RemovePendingFiles(folders.data);
  return folders;
}

namespace {

// COM is initialised around each call. The UI thread keeps its own
// initialisation for the whole run, so these pairs only count references and
// the shell-link class stays loaded between calls.
bool ReadLink(const std::string& linkPath, bool resolve, std::string& target, std::string& arguments) {
  target.clear();
  arguments.clear();
  // A longer path would be cut on its way to UTF-16 and name another file.
  if (linkPath.size() > kPathTextBytes) return false;

  ComInit com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid()))) {
    return false;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid()))) return false;

  wchar_t widePath[kPathBytes] = {};
  ConvertToUnicode(linkPath.c_str(), widePath, kPathBytes);
  if (FAILED(file->Load(widePath, STGM_READ))) return false;
  if (resolve && FAILED(link->Resolve(nullptr, 0))) return false;

  // One byte beyond what the object may fill, so the terminator is ours.
  char targetBuffer[kPathBytes + 1] = {};
  if (SUCCEEDED(link->GetPath(targetBuffer, kPathBytes, nullptr, kShellLinkGetPathFlags))) {
    target = SjisCut(FieldText(targetBuffer, kPathBytes), kPathTextBytes);
  }
  char argumentBuffer[kPathBytes + 1] = {};
  if (SUCCEEDED(link->GetArguments(argumentBuffer, kPathBytes))) {
    arguments = SjisCut(FieldText(argumentBuffer, kPathBytes), kPathTextBytes);
  }
  return true;
}

// A shortcut's fields may be longer than a path (arguments up to 32767
// characters); reads that size the buffer so nothing is cut on the way.
constexpr int kLinkFieldUnits = 32768;

std::wstring WideField(const std::vector<wchar_t>& buffer) {
  return std::wstring(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
}

// The UTF-16 form of an item file's path, or "" when it does not fit a path.
std::wstring WideItemPath(const std::string& path) {
  if (path.size() > kPathTextBytes) return {};
  std::wstring wide = WideText(path);
  return wide.size() < kPathBytes ? wide : std::wstring();
}

}  // namespace

bool ReadShellLink(const std::string& linkPath, std::string& target, std::string& arguments) {
  return ReadLink(linkPath, true, target, arguments);
}

// Without Resolve nothing is searched for and no window can appear, however
// many shortcuts are read and wherever their targets went.
bool ReadShellLinkAsStored(const std::string& linkPath, std::string& target, std::string& arguments) {
  return ReadLink(linkPath, false, target, arguments);
}

namespace {

// The shortcut at linkPath, loaded through the shell-link object's wide side
// (COM must be initialised on the thread). file is the same object's
// IPersistFile, for a save.
bool LoadWideShellLink(const std::wstring& linkPath, ComPtr<IShellLinkW>& link, ComPtr<IPersistFile>& file) {
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid()))) {
    return false;
  }
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid()))) return false;
  return SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ));
}

}  // namespace

bool ReadShellLinkAsStored(const std::wstring& linkPath, std::wstring& target, std::wstring& arguments) {
  target.clear();
  arguments.clear();
  ComInit com;
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (!LoadWideShellLink(linkPath, link, file)) return false;
  std::vector<wchar_t> buffer(kLinkFieldUnits + 1, L'\0');
  if (SUCCEEDED(link->GetPath(buffer.data(), kLinkFieldUnits, nullptr, kShellLinkGetPathFlags))) {
    target = WideField(buffer);
  }
  std::fill(buffer.begin(), buffer.end(), L'\0');
  if (SUCCEEDED(link->GetArguments(buffer.data(), kLinkFieldUnits))) arguments = WideField(buffer);
  return true;
}

std::optional<std::string> ReadPlainShortcutTarget(const std::string& linkPath) {
  if (std::optional<std::string> bytes = ReadWholeFile(linkPath, kShortcutFileMaxBytes)) {
    if (std::optional<std::string> stored = PlainShortcutTarget(*bytes)) {
      // Through UTF-16 and back, as the shell-link object hands out the path,
      // so bytes that are not Shift-JIS come out as they would from there.
      std::wstring wide = WideText(*stored);
      char narrow[kPathBytes] = {};
      int length = wide.empty() ? 0
                                : WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow,
                                                      static_cast<int>(kPathTextBytes), nullptr, nullptr);
      // A path too long for the shell-link object's buffer is left to it.
      if (length > 0 && static_cast<std::size_t>(length) < kPathTextBytes) return std::string(narrow, length);
    }
  }
  return std::nullopt;
}

bool SaveShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments) {
  const std::string workingFolder = ContainingFolder(target);  // "notepad" leaves ""

  // The UTF-16 path is formed first: a path that does not fit must not be
  // cut into the name of some other file.
  wchar_t widePath[kPathBytes] = {};
  if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, kPathBytes - 1) == 0) return false;

  ComInit com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid()))) {
    return false;
  }
  // An existing shortcut is only replaced by one that holds its target.
  if (FAILED(link->SetPath(target.c_str()))) return false;
  link->SetDescription("");
  link->SetWorkingDirectory(workingFolder.c_str());
  link->SetArguments(arguments.c_str());

  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid()))) return false;
  return SUCCEEDED(file->Save(widePath, TRUE));
}

void WriteShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments) {
  (void)SaveShellLink(linkPath, target, arguments);  // failures go unreported: the item then simply does not appear
}

// Everything but the target stays as the shortcut holds it: arguments of any
// length, icon, hot key, show command, comment, the "run as administrator"
// flag and the working folder, which follows the target only when it was the
// old target's own folder. The shell-link object's wide side is used
// throughout, so no field passes through the code page and comes back as a
// best-fit form.
bool RetargetShellLink(const std::string& linkPath, const std::string& pending, const std::string& target) {
  const std::wstring source = WideItemPath(linkPath);
  const std::wstring destination = WideItemPath(pending);
  if (source.empty() || destination.empty() || target.empty()) return false;

  ComInit com;
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (!LoadWideShellLink(source, link, file)) return false;

  std::vector<wchar_t> buffer(kLinkFieldUnits + 1, L'\0');
  std::wstring oldTarget;
  if (SUCCEEDED(link->GetPath(buffer.data(), kLinkFieldUnits, nullptr, SLGP_RAWPATH))) oldTarget = WideField(buffer);
  std::fill(buffer.begin(), buffer.end(), L'\0');
  std::wstring oldFolder;
  if (SUCCEEDED(link->GetWorkingDirectory(buffer.data(), kLinkFieldUnits))) oldFolder = WideField(buffer);

  const std::wstring newTarget = WideText(target);
  if (FAILED(link->SetPath(newTarget.c_str()))) return false;
  if (!oldFolder.empty() && !oldTarget.empty()) {
    std::wstring oldTargetFolder = oldTarget;
    oldTargetFolder.push_back(L'\0');  // room for PathRemoveFileSpecW's terminator
    PathRemoveFileSpecW(oldTargetFolder.data());
    oldTargetFolder.resize(wcslen(oldTargetFolder.c_str()));
    if (!oldTargetFolder.empty() && lstrcmpiW(oldTargetFolder.c_str(), oldFolder.c_str()) == 0) {
      if (FAILED(link->SetWorkingDirectory(WideText(ContainingFolder(target)).c_str()))) return false;
    }
  }
  return SUCCEEDED(file->Save(destination.c_str(), TRUE));
}

std::string ItemFilePath(const std::string& itemFolder, int listKind, const std::string& name) {
  const char* extension = listKind == kUrls ? ".url" : listKind == kMail ? ".mail" : ".lnk";
  return itemFolder + "\\" + name + extension;
}

std::string ReadUrlItem(const std::string& itemFile) { return ReadProfileValue(itemFile, kUrlSection, kUrlKey); }

std::string ReadMailItem(const std::string& itemFile) { return ReadProfileValue(itemFile, kMailSection, kMailKey); }

std::string BareMailAddress(const std::string& mailValue) {
  return mailValue.rfind(kMailPrefix, 0) == 0 ? mailValue.substr(sizeof(kMailPrefix) - 1) : mailValue;
}

ItemContent ReadItem(int listKind, const std::string& itemFile) {
  ItemContent content;
  if (IsShortcutList(listKind)) {
    (void)ReadShellLink(itemFile, content.target, content.arguments);  // unreadable: an empty target
  } else {
    content.target = listKind == kUrls ? ReadUrlItem(itemFile) : ReadMailItem(itemFile);
  }
  return content;
}

// Values are cut as a reader would cut them, so that a file never holds more
// than can be read back.
bool WriteUrlItem(const std::string& itemFile, const std::string& url) {
  return WriteProfileLine(itemFile, kUrlSection, std::string(kUrlKey) + "=" + SjisCut(url, kPathTextBytes));
}

bool WriteMailItem(const std::string& itemFile, const std::string& address) {
  std::string value = SjisCut(std::string(kMailPrefix) + address, kPathTextBytes);
  return WriteProfileLine(itemFile, kMailSection, std::string(kMailKey) + "=" + value);
}

