// The program's own files when another program holds them (a scanner, a
// backup, an indexer): a moment's hold is waited out, a lasting one is
// reported. Names the code page cannot carry: the item folder's listing
// leaves them out, the import walks and takes them in. An edit keeps the
// shortcut whole.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "items/import_choice.h"
#include "items/import_dialog_win.h"
#include "items/import_sources_win.h"
#include "items/item_scan_win.h"
#include "items/item_store_win.h"
#include "items/list_kind.h"
#include "platform/files_win.h"
#include "platform/win_handles.h"
#include "records/favourites_win.h"
#include "records/record_log.h"
#include "records/records_win.h"
#include "speech/speech_dispatcher.h"
#include "speech/speech_win.h"
#include "support/support.h"

using test_support::FileNames;
using test_support::ReadWholeFile;
using test_support::ScratchFolder;
using test_support::Widen;

namespace {

// Opens path with no sharing, as a scanner may, and lets it go after holdMs
// (never, with a negative holdMs, until the object goes).
class HeldFile {
 public:
  HeldFile(const std::string& path, int holdMs) {
    file_.reset(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (holdMs >= 0) {
      releaser_ = std::thread([this, holdMs] {
        Sleep(static_cast<DWORD>(holdMs));
        file_.reset();
      });
    }
  }
  ~HeldFile() {
    if (releaser_.joinable()) releaser_.join();
  }
  bool held() const { return static_cast<bool>(file_); }

 private:
  UniqueFileHandle file_;
  std::thread releaser_;
};

class HeldFiles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 932u); }
  ScratchFolder folder_;
  int engine_ = kNoSpeech;
  HWND window_ = nullptr;
  Voice voice_{engine_, window_, window_};
};

TEST_F(HeldFiles, AMomentsHoldIsWaitedOutALastingOneReported) {
  const std::string item = folder_.File("Site.url");
  ASSERT_TRUE(SaveItem(ItemKind::kUrl, "https://a.example/", "", item));
  RecordLog favourites{{}, "BookMark.log"};
  favourites.entries[0] = {"https://old.example/", "Old"};
  ASSERT_TRUE(SaveLog(folder_.path(), favourites));
  const std::string logFile = LogFilePath(folder_.path(), favourites);

  {
    HeldFile held(logFile, 400);
    ASSERT_TRUE(held.held());
    AddItemToFavourites(kUrls, item, "Site", favourites, folder_.path(), voice_);
  }
  RecordLog stored{{}, "BookMark.log"};
  LoadLog(folder_.path(), stored);
  EXPECT_EQ(stored.entries[0].filePath, "https://a.example/");
  EXPECT_EQ(stored.entries[1].filePath, "https://old.example/") << "the log was read, not taken for empty";

  {
    HeldFile held(item, 400);
    EXPECT_EQ(RenameItem(item, folder_.File("Renamed.url")), RenameOutcome::kRenamed);
  }
  EXPECT_EQ(FileNames(folder_.File("*.url")), std::vector<std::string>{"Renamed.url"});
  {
    HeldFile held(folder_.File("Renamed.url"), 400);
    EXPECT_TRUE(DeleteItem(folder_.File("Renamed.url")));
  }

  const std::string before = ReadWholeFile(logFile);
  ASSERT_TRUE(SaveItem(ItemKind::kUrl, "https://c.example/", "", item));
  {
    RecordLog history{{}, "BookMark.log"};  // the same file, held for good
    HeldFile forGood(logFile, -1);
    EXPECT_FALSE(RecordLaunch(folder_.path(), history, "https://b.example/", "B"));
    HeldFile itemForGood(item, -1);
    EXPECT_FALSE(DeleteItem(item));
    EXPECT_EQ(RenameItem(item, folder_.File("Other.url")), RenameOutcome::kFailed);
  }
  EXPECT_EQ(ReadWholeFile(logFile), before);
  EXPECT_EQ(FileNames(folder_.File("*.url")), std::vector<std::string>{"Site.url"});
  EXPECT_TRUE(FileNames(folder_.File("*.tmp")).empty()) << "a temporary file is left";
}

// A write that fails never replaces the good file.
TEST_F(HeldFiles, AnIncompleteWriteNeverReplacesTheFile) {
  const std::string path = folder_.File("itemcache.dat");
  ASSERT_TRUE(test_support::WriteWholeFile(path, std::string("good")));
  EXPECT_FALSE(ReplaceFileWith(path, [](const std::string& pending) {
    return WriteWholeFile(pending, "half") && false;
  }));
  EXPECT_EQ(ReadWholeFile(path), "good");
  EXPECT_TRUE(ReplaceFileWith(path, [](const std::string& pending) { return WriteWholeFile(pending, "new"); }));
  EXPECT_EQ(ReadWholeFile(path), "new");
}

// A wide-named shortcut, made in staging (a shortcut saved straight into a
// Start-menu folder would have Wine add it to the Linux desktop's menus) and
// moved into place, as a user or an installer might place it.
void PlaceShortcut(const std::string& staging, const std::wstring& path, const std::string& target) {
  const std::string made = staging + "\\made.lnk";
  WriteShellLink(made, target, "");
  ASSERT_TRUE(MoveFileW(Widen(made).c_str(), path.c_str()));
}

TEST_F(HeldFiles, TheListingLeavesOutNamesTheCodePageCannotCarry) {
  const std::wstring folder = Widen(folder_.path());
  PlaceShortcut(folder_.path(), folder + L"\\Caf\u00e9.lnk", "C:\\x\\cafe.exe");
  PlaceShortcut(folder_.path(), folder + L"\\\u00a5.lnk", "C:\\x\\yen.exe");  // "¥" is "\" as the A functions see it
  PlaceShortcut(folder_.path(), folder + L"\\\ud55c.lnk", "C:\\x\\korean.exe");
  PlaceShortcut(folder_.path(), folder + L"\\\u8868\u03a9.lnk", "C:\\x\\kept.exe");  // 表Ω: both in the code page
  ItemFolderScan scan = ScanItemFolder(folder_.path());
  std::vector<std::string> names;
  for (const ScanEntry& entry : scan.shortcuts) names.push_back(entry.name);
  EXPECT_EQ(names, std::vector<std::string>{"表Ω"});
  EXPECT_TRUE(DeleteItem(ItemFilePath(folder_.path(), kPrograms, "Cafe")));
  EXPECT_EQ(FileNames(folder + L"\\*.lnk").size(), 4u) << "nothing else was deleted";
}

// The import walks a folder the code page cannot name and takes in a
// shortcut under a name it can, byte for byte.
TEST_F(HeldFiles, TheImportWalksAndTakesInWideNames) {
  wchar_t programs[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs), S_OK);
  const std::wstring folder = std::wstring(programs) + L"\\Pok\u00e9mon \u03a9 hdtest";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring link = folder + L"\\Caf\u00e9 Tool\u2122.lnk";
  PlaceShortcut(folder_.path(), link, "C:\\hdtest\\tool.exe");
  std::vector<ImportCandidate> found = FindImportCandidates();
  test_support::RemoveTree(folder);  // read: nothing below needs the source any more than its copy

  auto candidate = std::find_if(found.begin(), found.end(),
                                [](const ImportCandidate& c) { return c.target == "C:\\hdtest\\tool.exe"; });
  ASSERT_NE(candidate, found.end());
  EXPECT_TRUE(candidate->stemMade);
  EXPECT_EQ(candidate->location, "Programs\\Pokemon Ω hdtest");
  EXPECT_EQ(candidate->fileStem, "Cafe Tool");
  ExistingItems existing;
  existing.names = {"Cafe Tool"};
  ImportChoice choice = ChooseImports({*candidate}, existing, folder_.path(), CaseBlindKeyOf);
  ASSERT_EQ(choice.offers.size(), 1u);
  EXPECT_EQ(choice.offers[0].name, "Cafe Tool (2)");
  EXPECT_TRUE(choice.offers[0].checked);
}

// An item's shortcut holds more than the program reads: a target the code
// page cannot carry, long arguments, an icon, a working folder of its own.
class ShortcutEdits : public HeldFiles {
 protected:
  void SetUp() override {
    HeldFiles::SetUp();
    targetFolder_ = Widen(folder_.File("hdtest"));
    CreateDirectoryW(targetFolder_.c_str(), nullptr);
    target_ = targetFolder_ + L"\\R\u00e9sum\u00e9.txt";
    test_support::WriteWholeFile(target_, "x");
  }

  // Writes a shortcut through the wide side with every field set.
  void WriteRichShortcut(const std::string& path, const std::wstring& workingFolder) {
    ComInit com;
    ComPtr<IShellLinkW> link;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid()), S_OK);
    link->SetPath(target_.c_str());
    link->SetArguments(arguments_.c_str());
    link->SetIconLocation(L"C:\\Windows\\system32\\shell32.dll", 7);
    link->SetWorkingDirectory(workingFolder.c_str());
    ComPtr<IPersistFile> file;
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, file.putVoid()), S_OK);
    ASSERT_EQ(file->Save(Widen(path).c_str(), TRUE), S_OK);
  }

  struct Fields {
    std::wstring target, arguments, icon, workingFolder;
    int iconIndex = -1;
  };
  static Fields Read(const std::string& path) {
    Fields fields;
    ComInit com;
    ComPtr<IShellLinkW> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid());
    ComPtr<IPersistFile> file;
    link->QueryInterface(IID_IPersistFile, file.putVoid());
    if (FAILED(file->Load(Widen(path).c_str(), STGM_READ))) return fields;
    std::vector<wchar_t> buffer(4096, L'\0');
    link->GetPath(buffer.data(), 4095, nullptr, SLGP_RAWPATH);
    fields.target = buffer.data();
    link->GetArguments(buffer.data(), 4095);
    fields.arguments = buffer.data();
    link->GetIconLocation(buffer.data(), 4095, &fields.iconIndex);
    fields.icon = buffer.data();
    link->GetWorkingDirectory(buffer.data(), 4095);
    fields.workingFolder = buffer.data();
    return fields;
  }

  std::wstring targetFolder_;
  std::wstring target_;
  std::wstring arguments_ = L"-a " + std::wstring(297, L'x');  // 300 bytes
};

TEST_F(ShortcutEdits, ARenameKeepsTheBytesAndANewTargetKeepsTheRest) {
  const std::string item = folder_.File("Resume.lnk");
  WriteRichShortcut(item, L"C:\\Work");
  const std::string bytes = ReadWholeFile(item);
  std::string shown, shownArguments;  // what the edit dialog shows: the code page's form
  ASSERT_TRUE(ReadShellLink(item, shown, shownArguments));

  const std::string renamed = folder_.File("CV.lnk");
  EXPECT_EQ(SaveEditedItem(ItemKind::kShortcut, shown, shownArguments, {item, renamed, true}), RenameOutcome::kRenamed);
  EXPECT_EQ(ReadWholeFile(renamed), bytes);
  EXPECT_EQ(GetFileAttributesA(item.c_str()), INVALID_FILE_ATTRIBUTES);

  const std::string newTarget = folder_.File("other.txt");
  EXPECT_EQ(SaveEditedItem(ItemKind::kShortcut, newTarget, shownArguments, {renamed, renamed, false}),
            RenameOutcome::kRenamed);
  Fields fields = Read(renamed);
  EXPECT_EQ(fields.target, Widen(newTarget));
  EXPECT_EQ(fields.arguments, arguments_);
  EXPECT_EQ(fields.icon, L"C:\\Windows\\system32\\shell32.dll");
  EXPECT_EQ(fields.iconIndex, 7);
  EXPECT_EQ(fields.workingFolder, L"C:\\Work");
  EXPECT_TRUE(FileNames(folder_.File("*.tmp")).empty());

  // A working folder that was the old target's own follows the new target.
  WriteRichShortcut(item, targetFolder_);
  EXPECT_EQ(SaveEditedItem(ItemKind::kShortcut, "C:\\Tools\\new.exe", shownArguments, {item, renamed, false}),
            RenameOutcome::kRenamed);
  fields = Read(renamed);
  EXPECT_EQ(fields.workingFolder, L"C:\\Tools");
  EXPECT_EQ(fields.arguments, arguments_);
  EXPECT_EQ(GetFileAttributesA(item.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
