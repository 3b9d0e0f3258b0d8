// Loading the four lists from a planted item folder: the sort orders, the
// ".exe" rule, real-world shortcuts and the 500-entry cap.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "items/item_lists_win.h"
#include "items/item_store_win.h"
#include "platform/sjis.h"
#include "support/support.h"

using test_support::ReadWholeFile;
using test_support::ScratchFolder;
using test_support::WriteWholeFile;

namespace {

using Names = std::vector<std::string>;

// The real-world sample shortcuts (tests/data/shortcuts) from HD_TESTDATA,
// which ctest sets. Empty when it is not set or names no folder.
std::string SampleShortcutFolder() {
  char configured[MAX_PATH + 1] = {};
  DWORD length = GetEnvironmentVariableA("HD_TESTDATA", configured, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  DWORD attributes = GetFileAttributesA(configured);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return configured;
}

class ItemLists : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u);
    GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
    itemFolder_ = data_.File("Lnk");
    CreateDirectoryA(itemFolder_.c_str(), nullptr);
    owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    for (int k = 0; k < kListCount; ++k) {
      lists_.boxes[k] = CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 100, 100, owner_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(101 + k)), nullptr, nullptr);
    }
  }
  void TearDown() override {
    DestroyWindow(owner_);
    SetCurrentDirectoryA(savedDirectory_);
  }

  std::string Item(const std::string& fileName) const { return itemFolder_ + "\\" + fileName; }

  // Creation times are the file system's birth times (Wine ignores a time
  // set afterwards), so items that must differ in age are made apart.
  static void NextBirth() { Sleep(30); }

  Names Load(int sortOrder, int kind) {
    LoadItemLists(lists_, itemFolder_, sortOrder);
    return ListNames(kind);
  }

  Names ListNames(int kind) const {
    Names names;
    HWND list = lists_.boxes[kind];
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[kPathBytes + 1] = {};
      if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(kPathBytes)) {
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      }
      names.push_back(text);
    }
    return names;
  }

  ScratchFolder data_;
  std::string itemFolder_;
  ::ItemLists lists_;  // the fixture shares the name
  HWND owner_ = nullptr;
  char savedDirectory_[MAX_PATH + 1] = {};
};

TEST_F(ItemLists, FourSortOrdersAndAnOrderOutsideThemGivesEmptyLists) {
  // Made in this order; programs and files come from the same scan.
  WriteShellLink(Item("Gamma.lnk"), "C:\\Tools\\gamma.exe", "");
  NextBirth();
  WriteShellLink(Item("alpha.lnk"), "C:\\Docs\\alpha.txt", "");
  NextBirth();
  WriteShellLink(Item("Beta.lnk"), "C:\\Tools\\beta.exe", "");
  NextBirth();
  WriteShellLink(Item("Report.final.lnk"), "C:\\Docs\\report.final.doc", "");
  NextBirth();
  WriteShellLink(Item("delta.lnk"), "C:\\Tools\\DELTA.EXE", "");
  NextBirth();
  for (const char* name : {"b.url", "A.url", "c.url"}) {
    EXPECT_TRUE(WriteUrlItem(Item(name), "http://example.jp/"));
    NextBirth();
  }
  for (const char* name : {"Taro.mail", "hanako.mail"}) {
    EXPECT_TRUE(WriteMailItem(Item(name), "x@example.jp"));
    NextBirth();
  }

  struct Case {
    int sortOrder;
    Names programs, files, urls, mail;
  };
  const Case cases[] = {
      {0, {"Beta", "delta", "Gamma"}, {"alpha", "Report.final"}, {"A", "b", "c"}, {"hanako", "Taro"}},
      {1, {"Gamma", "delta", "Beta"}, {"Report.final", "alpha"}, {"c", "b", "A"}, {"Taro", "hanako"}},
      {2, {"Gamma", "Beta", "delta"}, {"alpha", "Report.final"}, {"b", "A", "c"}, {"Taro", "hanako"}},
      {3, {"delta", "Beta", "Gamma"}, {"Report.final", "alpha"}, {"c", "A", "b"}, {"hanako", "Taro"}},
      {4, {}, {}, {}, {}},
      {-1, {}, {}, {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Load(c.sortOrder, kPrograms), c.programs) << "order " << c.sortOrder;
    EXPECT_EQ(ListNames(kFiles), c.files) << "order " << c.sortOrder;
    EXPECT_EQ(ListNames(kUrls), c.urls) << "order " << c.sortOrder;
    EXPECT_EQ(ListNames(kMail), c.mail) << "order " << c.sortOrder;
  }
}

// An add, an edit to another name and kind, and a rewrite that moves a
// shortcut to the other list, each shown entry by entry, in every order:
// the reload after each finds nothing to change, in the lists or the cache.
TEST_F(ItemLists, ShowingOneWrittenItemGivesWhatAReloadGives) {
  for (int sortOrder = kByName; sortOrder <= kNewestFirst; ++sortOrder) {
    ScratchFolder data;
    itemFolder_ = data.File("Lnk");
    CreateDirectoryA(itemFolder_.c_str(), nullptr);
    WriteShellLink(Item("Gamma.lnk"), "C:\\Tools\\gamma.exe", "");
    NextBirth();
    WriteShellLink(Item("alpha.lnk"), "C:\\Docs\\alpha.txt", "");
    NextBirth();
    for (const char* name : {"b.url", "A.url"}) {
      EXPECT_TRUE(WriteUrlItem(Item(name), "http://example.jp/"));
      NextBirth();
    }
    EXPECT_TRUE(WriteMailItem(Item("Taro.mail"), "x@example.jp"));
    lists_.listedNames = {};
    LoadItemLists(lists_, itemFolder_, sortOrder);

    auto allLists = [&] {
      std::vector<Names> all;
      for (int k = 0; k < kListCount; ++k) all.push_back(ListNames(k));
      return all;
    };
    auto shownAsReloaded = [&](const std::string& written, const std::string& removed) {
      EXPECT_TRUE(ShowWrittenItem(lists_, Item(written), removed.empty() ? removed : Item(removed), sortOrder))
          << written << ", order " << sortOrder;
      std::vector<Names> shown = allLists();
      EXPECT_FALSE(LoadItemLists(lists_, itemFolder_, sortOrder)) << written << ": the cache knew it all";
      EXPECT_EQ(allLists(), shown) << written << ", order " << sortOrder;
    };
    NextBirth();
    WriteShellLink(Item("Beta.lnk"), "C:\\Tools\\beta.exe", "");
    shownAsReloaded("Beta.lnk", "");
    NextBirth();
    WriteShellLink(Item("Zed.lnk"), "C:\\Docs\\zed.txt", "");
    DeleteFileA(Item("b.url").c_str());
    shownAsReloaded("Zed.lnk", "b.url");
    WriteShellLink(Item("Gamma.lnk"), "C:\\Docs\\gamma.txt", "");
    shownAsReloaded("Gamma.lnk", "");
    EXPECT_EQ(ListNames(kPrograms), Names{"Beta"});

    // What is not there, or not listed, is left to a reload.
    EXPECT_FALSE(ShowWrittenItem(lists_, Item("Missing.url"), "", sortOrder));
    EXPECT_TRUE(WriteUrlItem(Item("New.url"), "http://example.jp/"));
    EXPECT_FALSE(ShowWrittenItem(lists_, Item("New.url"), Item("Unlisted.url"), sortOrder));
    EXPECT_FALSE(ShowWrittenItem(lists_, Item("New.url"), "", 4));
    EXPECT_EQ(ListNames(kUrls), Names{"A"}) << "nothing changed";
  }
}

TEST_F(ItemLists, RemovingOneEntryGivesWhatAReloadAfterTheDeleteGives) {
  for (const char* name : {"A.url", "B.url", "C.url"}) EXPECT_TRUE(WriteUrlItem(Item(name), "http://example.jp/"));
  ASSERT_EQ(Load(0, kUrls), (Names{"A", "B", "C"}));
  DeleteFileA(Item("B.url").c_str());
  // The wrong name, or an index past the end, changes nothing.
  EXPECT_FALSE(RemoveListedEntry(lists_, kUrls, 1, "C"));
  EXPECT_FALSE(RemoveListedEntry(lists_, kUrls, 3, "C"));
  EXPECT_TRUE(RemoveListedEntry(lists_, kUrls, 1, "B"));
  EXPECT_EQ(ListNames(kUrls), (Names{"A", "C"}));
  EXPECT_EQ(lists_.listedNames[kUrls], (Names{"A", "C"}));
  EXPECT_EQ(Load(0, kUrls), (Names{"A", "C"}));

  // A list box filled behind the loads' back is left to a reload.
  SendMessageA(lists_.boxes[kUrls], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("X"));
  EXPECT_FALSE(RemoveListedEntry(lists_, kUrls, 0, "A"));
  EXPECT_EQ(ListNames(kUrls), (Names{"A", "C", "X"}));
}

TEST_F(ItemLists, ReadsTheItemFolderByItsPathNotTheCurrentDirectory) {
  EXPECT_TRUE(WriteUrlItem(Item("Kept.url"), "http://example.jp/"));
  EXPECT_TRUE(WriteUrlItem(data_.File("Stray.url"), "http://example.jp/"));
  SetCurrentDirectoryA(data_.path().c_str());
  EXPECT_EQ(Load(0, kUrls), Names{"Kept"});

  // A missing item folder gives empty lists, not the data folder's files.
  DeleteFileA(Item("Kept.url").c_str());
  RemoveDirectoryA(itemFolder_.c_str());
  EXPECT_EQ(Load(0, kUrls), Names{});
}

TEST_F(ItemLists, ExeAfterTheFirstByteMakesAProgram) {
  WriteShellLink(Item("App.lnk"), "D:\\Tools\\App.EXE", "");
  WriteShellLink(Item("InFolder.lnk"), "D:\\x.exe.d\\readme.txt", "");
  WriteShellLink(Item("表計算.lnk"), "C:\\表\\ソフト.exe", "");
  WriteShellLink(Item("Doc.lnk"), "C:\\Docs\\manual.pdf", "");
  WriteShellLink(Item("Exec.lnk"), "C:\\Docs\\notes.executive", "");  // ".exe" inside a longer extension counts
  WriteWholeFile(Item("Broken.lnk"), "not a shell link");
  CreateDirectoryA(Item("Folder.lnk").c_str(), nullptr);  // a folder is no item
  WriteWholeFile(Item("Other.lnk2"), "");

  EXPECT_EQ(Load(0, kPrograms), (Names{"App", "Exec", "InFolder", "表計算"}));
  EXPECT_EQ(ListNames(kFiles), (Names{"Broken", "Doc"}));
}

TEST_F(ItemLists, RealWorldShortcutsLandInTheirLists) {
  const std::string samples = SampleShortcutFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample shortcuts are not here (set HD_TESTDATA to their folder)";
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA((samples + "\\*").c_str(), &found);
  ASSERT_NE(listing, INVALID_HANDLE_VALUE);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::string(found.cFileName) != "README.md") {
      CopyFileA((samples + "\\" + found.cFileName).c_str(), Item(found.cFileName).c_str(), FALSE);
    }
  } while (FindNextFileA(listing, &found));
  FindClose(listing);

  EXPECT_EQ(Load(0, kPrograms), (Names{"env-relpath-notepad", "exe-args-chrome-app", "exe-args-japanese",
                                        "exe-gbk-name", "exe-jp-system", "exe-uppercase-iexplore"}));
  EXPECT_EQ(ListNames(kFiles),
            (Names{"damaged-not-a-link", "doc-pdf", "doc-xlsx-punct", "drive-root-d", "env-only-mdsched",
                   "folder-cp1252-fr", "folder-downloads", "mapped-drive-pdf", "msi-advertised-snagit",
                   "script-bat-jp-system", "shared-split-path", "shell-cpl-item", "shell-run-guid", "shell-this-pc",
                   "unc-doc-fr", "unc-folder-envblock", "uwp-settings-page"}));
  EXPECT_EQ(ListNames(kUrls), (Names{"url-docs-lf", "url-github"}));
  EXPECT_EQ(ReadUrlItem(Item("url-github.url")), "https://github.com/carlbennett/BNRBot");
  EXPECT_EQ(ReadUrlItem(Item("url-docs-lf.url")), "http://ajaxmin.codeplex.com/Documentation/");
}

// A list load reads most shortcuts from their bytes; what it reads there must
// be what the shell-link object gives, and every other shortcut goes to it.
TEST_F(ItemLists, TargetsFromTheBytesAreWhatTheShellLinkObjectGives) {
  const std::string samples = SampleShortcutFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample shortcuts are not here (set HD_TESTDATA to their folder)";
  WriteShellLink(Item("made-here.lnk"), "C:\\x\\ツール.exe", "-a");
  Names plain;
  for (const std::string& name : test_support::FileNames(samples + "\\*.lnk")) {
    CopyFileA((samples + "\\" + name).c_str(), Item(name).c_str(), FALSE);
  }
  for (const std::string& name : test_support::FileNames(Item("*.lnk"))) {
    std::string target;
    std::string arguments;
    (void)ReadShellLink(Item(name), target, arguments);  // unreadable: compared as empty
    if (std::optional<std::string> fromBytes = ReadPlainShortcutTarget(Item(name))) {
      EXPECT_EQ(*fromBytes, target) << name;
      plain.push_back(name);
    }
  }
  std::sort(plain.begin(), plain.end());
  EXPECT_EQ(plain, (Names{"doc-pdf.lnk", "doc-xlsx-punct.lnk", "exe-args-chrome-app.lnk", "exe-args-japanese.lnk",
                          "exe-gbk-name.lnk", "exe-jp-system.lnk", "exe-uppercase-iexplore.lnk",
                          "folder-cp1252-fr.lnk", "folder-downloads.lnk", "made-here.lnk",
                          "script-bat-jp-system.lnk"}));
}

// A reload opens only what changed; it must give exactly what a full load,
// with nothing remembered, gives.
TEST_F(ItemLists, AReloadGivesWhatAFullLoadGives) {
  auto programsAndFiles = [&] { return std::make_pair(ListNames(kPrograms), ListNames(kFiles)); };
  auto expectSameAsFullLoad = [&](const char* after) {
    Load(3, kPrograms);
    auto incremental = programsAndFiles();
    ShortcutCache remembered = lists_.shortcuts;
    lists_.shortcuts = ShortcutCache();
    lists_.listedNames = {};  // the boxes are filled whole again
    Load(3, kPrograms);
    EXPECT_EQ(incremental, programsAndFiles()) << after;
    EXPECT_EQ(remembered, lists_.shortcuts) << after;
  };
  WriteShellLink(Item("Tool.lnk"), "C:\\x\\tool.exe", "");
  NextBirth();
  WriteShellLink(Item("Plan.lnk"), "C:\\x\\plan.txt", "");
  NextBirth();
  WriteShellLink(Item("Gone.lnk"), "C:\\x\\gone.exe", "");
  expectSameAsFullLoad("the first load");
  EXPECT_EQ(ListNames(kPrograms), (Names{"Gone", "Tool"}));

  NextBirth();
  WriteShellLink(Item("New.lnk"), "C:\\x\\new.exe", "");
  expectSameAsFullLoad("an add");
  WriteShellLink(Item("Tool.lnk"), "C:\\x\\tool.txt", "");  // rewritten in place, same size
  expectSameAsFullLoad("an edit in place");
  DeleteFileA(Item("Gone.lnk").c_str());
  MoveFileA(Item("Plan.lnk").c_str(), Item("Plan2.lnk").c_str());
  expectSameAsFullLoad("a delete and a rename");
  EXPECT_EQ(ListNames(kPrograms), (Names{"New"}));
  EXPECT_EQ(ListNames(kFiles), (Names{"Tool", "Plan2"}));
}

// Across runs: a shortcut that did not change is not opened again (one that
// cannot be opened keeps its list), and a cache that is not whole is ignored
// and written anew.
TEST_F(ItemLists, TheNextStartTrustsOnlyAWholeCache) {
  WriteShellLink(Item("Tool.lnk"), "C:\\x\\tool.exe", "");
  EXPECT_TRUE(LoadItemLists(lists_, itemFolder_, 0)) << "a load that changes the cache says so";
  EXPECT_FALSE(LoadItemLists(lists_, itemFolder_, 0)) << "nothing changed";
  const std::string cacheFile = data_.File("itemcache.dat");
  EXPECT_TRUE(ReadWholeFile(cacheFile).empty()) << "the load itself never waits for the disk";
  SaveShortcutCacheIfChanged(lists_, data_.path());
  const std::string saved = ReadWholeFile(cacheFile);
  ASSERT_FALSE(saved.empty());

  // A start, as a new process makes it: from the cache file and the folder.
  auto start = [&] {
    const auto boxes = lists_.boxes;
    lists_ = {};  // a new process knows nothing yet
    lists_.boxes = boxes;
    return ShowItemFolder(lists_, StartItemFolderRead(itemFolder_, data_.path()).get(), 0);
  };
  HANDLE locked = CreateFileA(Item("Tool.lnk").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(start());
  EXPECT_EQ(ListNames(kPrograms), Names{"Tool"}) << "the shortcut was opened again";
  CloseHandle(locked);

  for (const std::string& broken : {std::string("garbage"), saved.substr(0, saved.size() / 2)}) {
    WriteWholeFile(cacheFile, broken);
    EXPECT_TRUE(start()) << "a cache that is not whole is not trusted in part";
    EXPECT_EQ(ListNames(kPrograms), Names{"Tool"});
    SaveShortcutCacheIfChanged(lists_, data_.path());
    EXPECT_EQ(ReadWholeFile(cacheFile), saved);
  }
}

TEST_F(ItemLists, OnlyTheFirst500ByNameOfOneExtensionAreShown) {
  // Made last-name first, so neither the birth order nor a listing in that
  // order would give the name order by accident.
  for (int i = 500; i >= 0; --i) {
    char name[32];
    wsprintfA(name, "u%03d.url", i);
    WriteWholeFile(Item(name), "");
  }
  WriteWholeFile(Item("mail.mail"), "");

  Names byName = Load(0, kUrls);
  ASSERT_EQ(byName.size(), 500u);
  EXPECT_EQ(byName.front(), "u000");
  EXPECT_EQ(byName.back(), "u499");
  Names reversed = Load(1, kUrls);
  ASSERT_EQ(reversed.size(), 500u);
  EXPECT_EQ(reversed.front(), "u499");
  EXPECT_EQ(reversed.back(), "u000");
  EXPECT_EQ(ListNames(kMail), (Names{"mail"})) << "the cap is per extension";
}

}  // namespace
