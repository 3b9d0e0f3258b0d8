// The add and edit dialog and the find dialog, run in-process and driven by
// the dialog driver (support/dialog_driver.h).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/find_dialog_win.h"
#include "items/item_dialog_win.h"
#include "items/item_store_win.h"
#include "resources/resource.h"
#include "support/dialog_driver.h"
#include "support/support.h"

using namespace dialog_driver;
using test_support::ReadWholeFile;
using test_support::ScratchFolder;
using test_support::WriteWholeFile;

namespace {

constexpr char kAddTitle[] = "ファイルの追加";
constexpr char kEditTitle[] = "項目の編集";
constexpr char kFindTitle[] = "検索";
constexpr char kInputError[] = "入力エラー";
constexpr char kOverwrite[] = "上書き確認";
constexpr char kWriteError[] = "保存エラー";

class ItemDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u);
    uiThread_ = GetCurrentThreadId();
    folders_.data = scratch_.path();
    folders_.items = scratch_.File("Lnk");
    CreateDirectoryA(folders_.items.c_str(), nullptr);
  }

  bool Add(const std::function<void(HWND)>& script) {
    return Drive(kAddTitle, [&] { return RunAddItemDialog(owner_, folders_, prefill_, written_); }, script);
  }
  bool Edit(const EditItemValues& values, const std::function<void(HWND)>& script) {
    return Drive(
        kEditTitle,
        [&] {
          lastEdit_ = RunEditItemDialog(owner_, folders_, values, written_);
          return lastEdit_ != EditOutcome::kCancelled;
        },
        script);
  }
  // Types both fields and presses OK.
  bool AddItem(const std::string& name, const std::string& path) {
    return Add([&](HWND dialog) {
      Type(dialog, IDC_ITEM_NAME, name);
      Type(dialog, IDC_ITEM_PATH, path);
      Press(dialog, IDOK);
    });
  }

  bool FocusIsOn(HWND dialog, int id) const { return FocusComesTo(uiThread_, dialog, id); }

  std::string Item(const std::string& fileName) const { return folders_.items + "\\" + fileName; }
  bool Exists(const std::string& fileName) const {
    return GetFileAttributesA(Item(fileName).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::string Target(const std::string& fileName) const {
    std::string target, arguments;
    (void)ReadShellLink(Item(fileName), target, arguments);  // unreadable: an empty target, which the test sees
    return target;
  }
  // Item files in the item folder, in listing order.
  std::vector<std::string> ItemFiles() const { return test_support::FileNames(folders_.items + "\\*"); }

  ScratchFolder scratch_;
  DataFolders folders_;
  AddItemPrefill prefill_;
  HWND openDialog_ = nullptr;
  DialogOwner owner_{GetModuleHandleA(nullptr), nullptr, &openDialog_};
  DWORD uiThread_ = 0;
  EditOutcome lastEdit_ = EditOutcome::kCancelled;
  WrittenItem written_;  // what the last OK handed back
};

// The kinds the scenarios do not reach: an internet-shortcut file imported by
// its URL alone, and a shortcut file copied byte for byte.
TEST_F(ItemDialog, AddImportsUrlFilesAndCopiesShortcuts) {
  const std::string urlSource = scratch_.File("source.url");
  WriteWholeFile(urlSource, "[InternetShortcut]\r\nURL=https://imported.example/\r\nIconIndex=3\r\n[Other]\r\nx=1\r\n");
  const std::string lnkSource = scratch_.File("source.lnk");
  WriteShellLink(lnkSource, "C:\\Tools\\source.exe", "-a");
  const std::string lnkBytes = ReadWholeFile(lnkSource);
  ASSERT_FALSE(lnkBytes.empty());

  EXPECT_TRUE(AddItem("Imported", urlSource));
  EXPECT_EQ(ReadWholeFile(Item("Imported.url")), "[InternetShortcut]\r\nURL=https://imported.example/\r\n");
  EXPECT_TRUE(AddItem("Copied", lnkSource));
  EXPECT_EQ(ReadWholeFile(Item("Copied.lnk")), lnkBytes);
  // A relative path counts from the data folder, wherever the current directory is.
  char current[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  ASSERT_NE(lstrcmpiA(current, folders_.data.c_str()), 0);
  EXPECT_TRUE(AddItem("Relative", "source.url"));
  EXPECT_EQ(ReadWholeFile(Item("Relative.url")), "[InternetShortcut]\r\nURL=https://imported.example/\r\n");
  // Nothing but the items: the temporary files are gone.
  EXPECT_EQ(ItemFiles().size(), 3u);
}

TEST_F(ItemDialog, PrefillProposesTheNameAndCarriesTheArguments) {
  prefill_.path = "D:\\Apps\\editor.exe";
  prefill_.link = "D:\\Links\\Editor.lnk";
  prefill_.arguments = "--profile work";
  std::string shownName, shownPath;
  bool written = Add([&](HWND dialog) {
    shownName = TextOf(dialog, IDC_ITEM_NAME);
    shownPath = TextOf(dialog, IDC_ITEM_PATH);
    EXPECT_TRUE(FocusIsOn(dialog, IDC_ITEM_NAME));
    Press(dialog, IDOK);
  });
  EXPECT_TRUE(written);
  EXPECT_EQ(shownName, "Editor");
  EXPECT_EQ(shownPath, "D:\\Apps\\editor.exe");
  std::string target, arguments;
  EXPECT_TRUE(ReadShellLink(Item("Editor.lnk"), target, arguments));
  EXPECT_EQ(target, "D:\\Apps\\editor.exe");
  EXPECT_EQ(arguments, "--profile work");
  EXPECT_TRUE(prefill_.path.empty() && prefill_.link.empty() && prefill_.arguments.empty());

  // Cancelling clears them too; a path without a dot proposes no name.
  prefill_.path = "C:\\Tools\\README";
  prefill_.arguments = "x";
  Add([&](HWND dialog) {
    shownName = TextOf(dialog, IDC_ITEM_NAME);
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(shownName, "");
  EXPECT_TRUE(prefill_.path.empty() && prefill_.arguments.empty());
  EXPECT_EQ(openDialog_, nullptr);
}

TEST_F(ItemDialog, LongCleanedNamesAreCutSoThePathFits) {
  // 40 "/" clean to 80 bytes of "／": the name keeps as many whole ones as fit.
  // (Mostly ASCII: Wine keeps names as UTF-8, where a component holds 255 bytes.)
  EXPECT_TRUE(AddItem(std::string(190, 'a') + std::string(40, '/'), "D:\\Docs\\Long.txt"));
  std::vector<std::string> files = ItemFiles();
  ASSERT_EQ(files.size(), 1u);
  std::string path = Item(files[0]);
  EXPECT_LE(path.size(), 259u);
  EXPECT_GE(path.size(), 258u) << path;
  std::string name = files[0].substr(0, files[0].size() - 4);
  ASSERT_GT(name.size(), 190u);
  EXPECT_EQ(name.substr(0, 190), std::string(190, 'a'));
  for (std::size_t i = 190; i + 1 < name.size(); i += 2) EXPECT_EQ(name.substr(i, 2), "\x81\x5E") << i;
  EXPECT_EQ(name.size() % 2, 0u) << "a double-byte character was split";
  EXPECT_EQ(Target(files[0]), "D:\\Docs\\Long.txt");
}

TEST_F(ItemDialog, AFailedWriteKeepsTheDialogOpenAndWritesNothing) {
  bool written = Add([&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "Gone");
    Type(dialog, IDC_ITEM_PATH, scratch_.File("missing.lnk"));  // a shortcut copy without its source
    Press(dialog, IDOK);
    EXPECT_NE(Answer(kWriteError, IDOK), "");
    EXPECT_TRUE(FocusIsOn(dialog, IDC_ITEM_NAME));
    Type(dialog, IDC_ITEM_NAME, "..\\outside");  // a name that would leave the item folder
    Type(dialog, IDC_ITEM_PATH, "D:\\Docs\\x.txt");
    Press(dialog, IDOK);
    EXPECT_NE(Answer(kWriteError, IDOK), "");
    Press(dialog, IDCANCEL);
  });
  EXPECT_FALSE(written);
  EXPECT_TRUE(ItemFiles().empty());
  EXPECT_EQ(GetFileAttributesA(scratch_.File("outside.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ItemDialog, EditRewritesItsOwnFileWithoutAskingAndFreshly) {
  // A URL item with more than its one section: a rewrite holds only the new one.
  WriteWholeFile(Item("News.url"), "[InternetShortcut]\r\nURL=https://old.example/\r\n[Extra]\r\nkeep=no\r\n");
  EditItemValues values{Item("News.url"), "News", "https://old.example/", ""};
  std::string shownName, shownPath;
  bool written = Edit(values, [&](HWND dialog) {
    shownName = TextOf(dialog, IDC_ITEM_NAME);
    shownPath = TextOf(dialog, IDC_ITEM_PATH);
    Type(dialog, IDC_ITEM_PATH, "https://new.example/");
    Press(dialog, IDOK);
  });
  EXPECT_TRUE(written);
  EXPECT_EQ(shownName, "News");
  EXPECT_EQ(shownPath, "https://old.example/");
  EXPECT_EQ(ReadWholeFile(Item("News.url")), "[InternetShortcut]\r\nURL=https://new.example/\r\n");
  EXPECT_EQ(ItemFiles().size(), 1u);

  // A shortcut edited without any change keeps its target and arguments.
  WriteShellLink(Item("Tool.lnk"), "C:\\Tools\\tool.exe", "-v");
  EXPECT_TRUE(Edit({Item("Tool.lnk"), "Tool", "C:\\Tools\\tool.exe", "-v"},
                   [&](HWND dialog) { Press(dialog, IDOK); }));
  std::string target, arguments;
  EXPECT_TRUE(ReadShellLink(Item("Tool.lnk"), target, arguments));
  EXPECT_EQ(target, "C:\\Tools\\tool.exe");
  EXPECT_EQ(arguments, "-v");
  EXPECT_EQ(openDialog_, nullptr);
}
// A list shows 500 items of its kind: a 501st would be written and never seen.
TEST_F(ItemDialog, AFullListRefusesANewItemOfItsKindAndWritesNothing) {
  for (int i = 0; i < 500; ++i) WriteWholeFile(Item("Item" + std::to_string(i) + ".lnk"), "");
  EXPECT_TRUE(WriteUrlItem(Item("Site.url"), "https://site.example/"));
  const std::string kFull = "リストの項目数が上限の500件に達しているため、追加できません。";
  bool written = Add([&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "New");
    Type(dialog, IDC_ITEM_PATH, "D:\\Tools\\new.exe");
    Press(dialog, IDOK);
    EXPECT_EQ(Answer(kInputError, IDOK), kFull);
    EXPECT_TRUE(FocusIsOn(dialog, IDC_ITEM_PATH));
    Press(dialog, IDCANCEL);
  });
  EXPECT_FALSE(written);
  EXPECT_FALSE(Exists("New.lnk"));
  EXPECT_EQ(ItemFiles().size(), 501u) << "nothing written, no temporary file left";

  // Replacing one adds none; a URL goes to a list with room.
  EXPECT_TRUE(Add([&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "Item7");
    Type(dialog, IDC_ITEM_PATH, "D:\\Tools\\seven.exe");
    Press(dialog, IDOK);
    Answer(kOverwrite, IDYES);
  }));
  EXPECT_EQ(Target("Item7.lnk"), "D:\\Tools\\seven.exe");
  EXPECT_TRUE(AddItem("Other", "https://other.example/"));

  // An edit that would move the URL item into the full list is refused; a
  // shortcut renamed within it is not.
  EXPECT_FALSE(Edit({Item("Site.url"), "Site", "https://site.example/", ""}, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_PATH, "D:\\Docs\\site.txt");
    Press(dialog, IDOK);
    EXPECT_EQ(Answer(kInputError, IDOK), kFull);
    Press(dialog, IDCANCEL);
  }));
  EXPECT_TRUE(Exists("Site.url"));
  EXPECT_TRUE(Edit({Item("Item7.lnk"), "Item7", "D:\\Tools\\seven.exe", ""}, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "Seven");
    Press(dialog, IDOK);
  }));
  EXPECT_TRUE(Exists("Seven.lnk") && !Exists("Item7.lnk"));

  // With one place free, the add goes through.
  DeleteFileA(Item("Item0.lnk").c_str());
  EXPECT_TRUE(AddItem("New", "D:\\Tools\\new.exe"));
  EXPECT_EQ(Target("New.lnk"), "D:\\Tools\\new.exe");
}

// Wine on Linux stores a name of more than 255 bytes of UTF-8 cut short,
// extension and all, and reports success; Windows keeps it whole.
TEST_F(ItemDialog, ANameTheFileSystemWouldCutIsRefusedNotStoredCut) {
  std::string name;
  for (int i = 0; i < 100; ++i) name += "漢";
  const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  bool written = Add([&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, name);
    Type(dialog, IDC_ITEM_PATH, "https://long.example/");
    Press(dialog, IDOK);
    if (wine) {
      EXPECT_NE(Answer(kWriteError, IDOK), "");
      Press(dialog, IDCANCEL);
    }
  });
  EXPECT_EQ(written, !wine);
  EXPECT_EQ(ItemFiles(), wine ? std::vector<std::string>{} : std::vector<std::string>{name + ".url"});
}

// A URL or mail item written over another keeps that file's other sections.
TEST_F(ItemDialog, ReplacingAnotherUrlOrMailItemKeepsItsOtherSections) {
  WriteWholeFile(Item("News.url"), "[InternetShortcut]\r\nURL=https://old.example/\r\n[Extra]\r\nkeep=yes\r\n");
  bool written = Add([&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "News");
    Type(dialog, IDC_ITEM_PATH, "https://new.example/");
    Press(dialog, IDOK);
    Answer(kOverwrite, IDYES);
  });
  EXPECT_TRUE(written);
  EXPECT_EQ(ReadWholeFile(Item("News.url")), "[InternetShortcut]\r\nURL=https://new.example/\r\n[Extra]\r\nkeep=yes\r\n");

  WriteWholeFile(Item("Taro.mail"), "[Extra]\r\nkeep=yes\r\n[EMailShortcut]\r\nMailAddress=mailto:old@example.jp\r\n");
  EXPECT_TRUE(WriteMailItem(Item("Old.mail"), "new@example.jp"));
  EXPECT_TRUE(Edit({Item("Old.mail"), "Old", "new@example.jp", ""}, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "Taro");
    Press(dialog, IDOK);
    Answer(kOverwrite, IDYES);
  }));
  EXPECT_EQ(ReadWholeFile(Item("Taro.mail")),
            "[Extra]\r\nkeep=yes\r\n[EMailShortcut]\r\nMailAddress=mailto:new@example.jp\r\n");
  EXPECT_EQ(ItemFiles().size(), 2u);
}

// Renamed, but the old file resists deletion: both stay, and the caller hears of it.
TEST_F(ItemDialog, AnOldFileThatCannotBeDeletedIsReported) {
  EXPECT_TRUE(WriteUrlItem(Item("Old.url"), "https://a.example/"));
  SetFileAttributesA(Item("Old.url").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Edit({Item("Old.url"), "Old", "https://a.example/", ""}, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "New");
    Press(dialog, IDOK);
  }));
  EXPECT_EQ(lastEdit_, EditOutcome::kSavedOldKept);
  EXPECT_EQ(written_.file, Item("New.url"));
  EXPECT_EQ(written_.removedFile, "") << "the old file stays, and its entry";
  EXPECT_TRUE(Exists("Old.url") && Exists("New.url"));
  SetFileAttributesA(Item("Old.url").c_str(), FILE_ATTRIBUTE_NORMAL);

  EXPECT_TRUE(Edit({Item("Old.url"), "Old", "https://a.example/", ""}, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "Other");
    Press(dialog, IDOK);
  }));
  EXPECT_EQ(lastEdit_, EditOutcome::kSaved);
  EXPECT_EQ(written_.file, Item("Other.url"));
  EXPECT_EQ(written_.removedFile, Item("Old.url"));
  EXPECT_FALSE(Exists("Old.url"));
}

TEST_F(ItemDialog, EditOntoAnotherItemReplacesItAfterYes) {
  WriteShellLink(Item("One.lnk"), "C:\\one.txt", "");
  WriteShellLink(Item("Two.lnk"), "C:\\two.txt", "");
  bool written = Edit({Item("One.lnk"), "One", "C:\\one.txt", ""}, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "Two");
    Press(dialog, IDOK);
    Answer(kOverwrite, IDYES);
  });
  EXPECT_TRUE(written);
  EXPECT_FALSE(Exists("One.lnk"));
  EXPECT_EQ(Target("Two.lnk"), "C:\\one.txt");

  // A path naming a ".url" file is a shortcut's target in edit mode.
  EXPECT_TRUE(Edit({Item("Two.lnk"), "Two", "C:\\one.txt", ""}, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_PATH, "D:\\Fav\\News.url");
    Press(dialog, IDOK);
  }));
  EXPECT_EQ(Target("Two.lnk"), "D:\\Fav\\News.url");
  EXPECT_EQ(ItemFiles().size(), 1u);
}

TEST_F(ItemDialog, ARenameOnlyEditKeepsTheContentAndAsksBeforeReplacing) {
  const std::string broken = "not a shell link\r\n";
  WriteWholeFile(Item("Broken.lnk"), broken);
  WriteShellLink(Item("Taken.lnk"), "C:\\taken.txt", "");
  const EditItemValues values{Item("Broken.lnk"), "Broken", "", ""};

  // The name unchanged: nothing to do.
  EXPECT_TRUE(Edit(values, [&](HWND dialog) { Press(dialog, IDOK); }));
  EXPECT_EQ(ReadWholeFile(Item("Broken.lnk")), broken);

  // An empty name is refused; the path field is not looked at.
  bool written = Edit(values, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "");
    Press(dialog, IDOK);
    EXPECT_EQ(Answer(kInputError, IDOK), "項目名が入力されていません");
    Type(dialog, IDC_ITEM_NAME, "Taken");
    Press(dialog, IDOK);
    Answer(kOverwrite, IDNO);
    Type(dialog, IDC_ITEM_NAME, "Fixed/1");
    Press(dialog, IDOK);
  });
  EXPECT_TRUE(written);
  EXPECT_FALSE(Exists("Broken.lnk"));
  EXPECT_EQ(ReadWholeFile(Item("Fixed／1.lnk")), broken);
  EXPECT_EQ(Target("Taken.lnk"), "C:\\taken.txt");
}

TEST_F(ItemDialog, ARenameThatOnlyChangesCaseKeepsTheFile) {
  const std::string broken = "still not a shell link";
  WriteWholeFile(Item("case.lnk"), broken);
  EXPECT_TRUE(Edit({Item("case.lnk"), "case", "", ""}, [&](HWND dialog) {
    Type(dialog, IDC_ITEM_NAME, "CASE");
    Press(dialog, IDOK);
  }));
  std::vector<std::string> files = ItemFiles();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(ReadWholeFile(Item(files[0])), broken);
  // Windows renames the file; Wine keeps the spelling it has on disk.
  EXPECT_TRUE(files[0] == "CASE.lnk" || files[0] == "case.lnk") << files[0];
}

TEST_F(ItemDialog, FindDialogStoresTheTermAndCancelKeepsTheOldOne) {
  AppState app;
  app.instance = GetModuleHandleA(nullptr);
  app.findTerm = "old";
  std::string shown;
  bool ok = Drive(kFindTitle, [&] { return RunFindDialog(app.Owner(), app.findTerm); }, [&](HWND dialog) {
    shown = TextOf(dialog, IDC_FIND_TERM);
    EXPECT_EQ(app.openDialog, dialog);
    Type(dialog, IDC_FIND_TERM, "");
    Press(dialog, IDOK);
    EXPECT_EQ(Answer(kInputError, IDOK), "検索語句が入力されていません");
    EXPECT_TRUE(FocusIsOn(dialog, IDC_FIND_TERM));
    Type(dialog, IDC_FIND_TERM, "ポ" + std::string(200, 'x'));
    Press(dialog, IDOK);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(shown, "old");
  EXPECT_EQ(app.findTerm, "ポ" + std::string(125, 'x'));  // at most 127 bytes
  EXPECT_EQ(app.openDialog, nullptr);

  ok = Drive(kFindTitle, [&] { return RunFindDialog(app.Owner(), app.findTerm); }, [&](HWND dialog) {
    Type(dialog, IDC_FIND_TERM, "new");
    Press(dialog, IDCANCEL);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(app.findTerm, "ポ" + std::string(125, 'x'));
}

}  // namespace
