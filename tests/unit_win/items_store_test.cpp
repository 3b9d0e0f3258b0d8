// Item files: shortcuts through the shell-link object, URL and mail items
// through the profile functions, byte for byte.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "items/item_store_win.h"
#include "items/list_kind.h"
#include "support/support.h"
#include "platform/win_handles.h"

using test_support::ReadWholeFile;
using test_support::ScratchFolder;
using test_support::WriteWholeFile;

namespace {

// The working folder a shortcut was saved with, read without ReadShellLink.
std::string WorkingFolderOf(const std::string& linkPath) {
  ComInit com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid()))) {
    return "<no shell link>";
  }
  ComPtr<IPersistFile> file;
  link->QueryInterface(IID_IPersistFile, file.putVoid());
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
  if (FAILED(file->Load(wide, STGM_READ))) return "<not loaded>";
  char folder[MAX_PATH + 1] = {};
  link->GetWorkingDirectory(folder, MAX_PATH);
  return folder;
}

TEST(ItemStore, ShortcutsRoundTripWithTheTargetsFolderAsWorkingFolder) {
  ASSERT_EQ(GetACP(), 932u);
  ScratchFolder folder;
  struct Case {
    std::string target, arguments, workingFolder;
  };
  const Case cases[] = {
      {"D:\\Folder\\Sub\\Doc.txt", "", "D:\\Folder\\Sub"},
      {"C:\\Tools\\App.exe", "-x \"a b\" /y", "C:\\Tools"},
      // 表 and ソ end in 5C: the folder part must be cut at the real '\'.
      {"C:\\表\\ソフト.exe", "引数 表", "C:\\表"},
      {"D:\\", "", "D:\\"},
  };
  for (const Case& c : cases) {
    const std::string link = folder.File("item.lnk");
    WriteShellLink(link, c.target, c.arguments);
    std::string target = "stale", arguments = "stale";
    EXPECT_TRUE(ReadShellLink(link, target, arguments)) << c.target;
    EXPECT_EQ(target, c.target);
    EXPECT_EQ(arguments, c.arguments);
    EXPECT_EQ(WorkingFolderOf(link), c.workingFolder) << c.target;
  }

  // A bare command name has no folder part. (Wine stores it qualified as a
  // path in the current folder; Windows keeps the text.)
  const std::string bare = folder.File("bare.lnk");
  WriteShellLink(bare, "notepad", "");
  EXPECT_EQ(WorkingFolderOf(bare), "");
}

TEST(ItemStore, UnreadableShortcutsGiveFalseAndEmptyTexts) {
  ScratchFolder folder;
  WriteWholeFile(folder.File("garbage.lnk"), std::string("not a shell link at all, just text\r\n"));
  WriteWholeFile(folder.File("empty.lnk"), std::string());
  const std::string tooLong = folder.File(std::string(260, 'a') + ".lnk");
  for (const std::string& path : {folder.File("missing.lnk"), folder.File("garbage.lnk"), folder.File("empty.lnk"),
                                  tooLong}) {
    std::string target = "stale", arguments = "stale";
    EXPECT_FALSE(ReadShellLink(path, target, arguments)) << path;
    EXPECT_EQ(target, "");
    EXPECT_EQ(arguments, "");
  }
}

TEST(ItemStore, WritingAShortcutReplacesTheOldOne) {
  ScratchFolder folder;
  const std::string link = folder.File("Tool.lnk");
  WriteShellLink(link, "C:\\Old\\old.exe", "-old");
  WriteShellLink(link, "C:\\New\\new.txt", "");
  std::string target, arguments;
  ASSERT_TRUE(ReadShellLink(link, target, arguments));
  EXPECT_EQ(target, "C:\\New\\new.txt");
  EXPECT_EQ(arguments, "");
}

TEST(ItemStore, UrlAndMailItemsAreWrittenByteForByte) {
  ScratchFolder folder;
  struct Case {
    std::string file;
    bool mail;
    std::string value, bytes, readBack;
  };
  const Case cases[] = {
      {"Site.url", false, "https://example.jp/a?b=c&d=表", "[InternetShortcut]\r\nURL=https://example.jp/a?b=c&d=表\r\n",
       "https://example.jp/a?b=c&d=表"},
      {"Taro.mail", true, "taro@example.jp", "[EMailShortcut]\r\nMailAddress=mailto:taro@example.jp\r\n",
       "mailto:taro@example.jp"},
      {"Empty.url", false, "", "[InternetShortcut]\r\nURL=\r\n", ""},
  };
  for (const Case& c : cases) {
    const std::string path = folder.File(c.file);
    if (c.mail) {
      EXPECT_TRUE(WriteMailItem(path, c.value));
      EXPECT_EQ(ReadMailItem(path), c.readBack);
      EXPECT_EQ(BareMailAddress(ReadMailItem(path)), c.value);
    } else {
      EXPECT_TRUE(WriteUrlItem(path, c.value));
      EXPECT_EQ(ReadUrlItem(path), c.readBack);
    }
    EXPECT_EQ(ReadWholeFile(path), c.bytes) << c.file;
  }
}

TEST(ItemStore, WritingAUrlItemReplacesOnlyItsSection) {
  ScratchFolder folder;
  const std::string path = folder.File("GitHub.url");
  WriteWholeFile(path,
             "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,11\r\n"
             "[InternetShortcut]\r\nURL=https://old.example/\r\nIDList=\r\n"
             "[Extra]\r\nKey=Value\r\n");
  EXPECT_TRUE(WriteUrlItem(path, "https://new.example/"));
  const std::string bytes = ReadWholeFile(path);
  EXPECT_NE(bytes.find("[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,11\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("[InternetShortcut]\r\nURL=https://new.example/\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("[Extra]\r\nKey=Value\r\n"), std::string::npos) << bytes;
  EXPECT_EQ(bytes.find("old.example"), std::string::npos) << bytes;
  EXPECT_EQ(bytes.find("IDList"), std::string::npos) << "the whole section is replaced";
}

TEST(ItemStore, ReadingMatchesCaseBlindAndCutsOnACharacterBoundary) {
  ScratchFolder folder;
  const std::string wide(300, 'w');
  std::string kana;  // 150 double-byte characters, 300 bytes
  for (int i = 0; i < 150; ++i) kana += "表";
  struct Case {
    std::string contents;
    bool mail;
    std::string value;
  };
  const Case cases[] = {
      {"[internetshortcut]\r\nurl=http://a.example/\r\n", false, "http://a.example/"},
      {"[InternetShortcut]\nURL=http://lf.example/\n", false, "http://lf.example/"},
      {"[Other]\r\nURL=http://b.example/\r\n", false, ""},
      {"[InternetShortcut]\r\nAddress=x\r\n", false, ""},
      {"", false, ""},
      {"[InternetShortcut]\r\nURL=" + wide + "\r\n", false, wide.substr(0, 260)},
      {"[InternetShortcut]\r\nURL=" + kana + "\r\n", false, kana.substr(0, 260)},
      // One ASCII byte first: the 130th character would end at byte 261.
      {"[InternetShortcut]\r\nURL=a" + kana + "\r\n", false, "a" + kana.substr(0, 258)},
      // A mail value without "mailto:" is used whole.
      {"[EMailShortcut]\r\nMailAddress=hanako@example.jp\r\n", true, "hanako@example.jp"},
      {"[emailshortcut]\r\nmailaddress=mailto:x@example.jp\r\n", true, "mailto:x@example.jp"},
  };
  int index = 0;
  for (const Case& c : cases) {
    const std::string path = folder.File("case" + std::to_string(index++) + (c.mail ? ".mail" : ".url"));
    WriteWholeFile(path, c.contents);
    EXPECT_EQ(c.mail ? ReadMailItem(path) : ReadUrlItem(path), c.value) << c.contents;
  }
  EXPECT_EQ(ReadUrlItem(folder.File("missing.url")), "");
  EXPECT_EQ(BareMailAddress("hanako@example.jp"), "hanako@example.jp");
}

TEST(ItemStore, ImportTakesOverOnlyTheUrl) {
  ScratchFolder data;
  CreateDirectoryA(data.File("Lnk").c_str(), nullptr);
  const std::string itemFolder = data.File("Lnk");

  const std::string source = data.File("source.url");
  WriteWholeFile(source,
             "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,11\r\n"
             "[InternetShortcut]\r\nIDList=\r\nURL=https://github.com/example\r\nIconIndex=0\r\n");
  EXPECT_TRUE(SaveItem(ItemKind::kImportUrl, source, "", ItemFilePath(itemFolder, kUrls, "GitHub")));
  EXPECT_EQ(ReadWholeFile(data.File("Lnk\\GitHub.url")), "[InternetShortcut]\r\nURL=https://github.com/example\r\n");

  // A bare file name is looked up in the current folder, not the Windows folder.
  char saved[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, saved);
  SetCurrentDirectoryA(data.path().c_str());
  EXPECT_EQ(ReadUrlItem("source.url"), "https://github.com/example");
  SetCurrentDirectoryA(saved);

  // A file with LF line ends, as some writers leave them.
  WriteWholeFile(source, "[InternetShortcut]\nURL=http://docs.example/Documentation/\nIDList=\n");
  EXPECT_TRUE(SaveItem(ItemKind::kImportUrl, source, "", ItemFilePath(itemFolder, kUrls, "Docs")));
  EXPECT_EQ(ReadWholeFile(data.File("Lnk\\Docs.url")), "[InternetShortcut]\r\nURL=http://docs.example/Documentation/\r\n");
}

}  // namespace
