// What the launcher makes of a target before the shell sees it: which texts
// are bare names to resolve, and which URL, mail and browser values may open.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "records/launch_target.h"
#include "records/record_texts.h"

namespace {

const std::string kSo = "\x83\x5c";   // ソ: its trail byte is "\"
const std::string kXa = "\x83\x40";   // ァ: its trail byte is "@"

TEST(LaunchTarget, TargetsAreClassifiedAsTheShellReadsThem) {
  struct Case {
    std::string target;
    TargetForm form;
  } cases[] = {
      {"", TargetForm::kEmpty},
      {"notepad", TargetForm::kBareName},
      {"timedate.cpl", TargetForm::kBareName},
      {"Shell:::{2559a1f3-21d7-11d4-bdaf-00c04f60b9f0}", TargetForm::kAddress},
      {"ms-settings:", TargetForm::kAddress},
      {"shell:My Pictures", TargetForm::kAddress},
      {"https://example.com/", TargetForm::kAddress},
      {"C:\\Windows\\notepad.exe", TargetForm::kPath},
      {"c:/x/y.exe", TargetForm::kPath},
      {"\\\\host\\share\\x.cpl", TargetForm::kPath},
      {"\\x.exe", TargetForm::kPath},
      {"C:x.exe", TargetForm::kRelativePath},
      {"sub\\x.exe", TargetForm::kRelativePath},
      {"sub/x.exe", TargetForm::kRelativePath},
      {"..", TargetForm::kRelativePath},
      {"1ab:x", TargetForm::kRelativePath},
      // A trail byte "\" is no separator.
      {"メモ" + kSo + ".exe", TargetForm::kBareName},
      {"dir" + kSo + "\\x.exe", TargetForm::kRelativePath},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyTarget(c.target), c.form) << c.target;
}

TEST(LaunchTarget, ASchemeIsTwoOrMoreSchemeCharactersBeforeAColon) {
  struct Case {
    std::string text, scheme;
  } cases[] = {
      {"http://x", "http"}, {"ms-settings:", "ms-settings"}, {"svn+ssh://x", "svn+ssh"}, {"a.b:x", "a.b"},
      {"C:\\x", ""},  // a drive
      {"-http://x", ""}, {" http://x", ""}, {"http//x", ""}, {"", ""}, {":x", ""}, {"4ab:x", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlScheme(c.text), c.scheme) << c.text;
}

TEST(LaunchTarget, BareNamesAreLookedUpAsProgramsOrControlPanelItems) {
  struct Case {
    std::string name, fileName;
    bool controlPanel;
  } cases[] = {
      {"notepad", "notepad.exe", false},   {"msedge", "msedge.exe", false},
      {"regedit.exe", "regedit.exe", false}, {"timedate.cpl", "timedate.cpl", true},
      {"INTL.CPL", "INTL.CPL", true},       {".cpl", ".cpl.exe", false},
      {"cpl", "cpl.exe", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgramFileName(c.name), c.fileName) << c.name;
    EXPECT_EQ(IsControlPanelName(c.name), c.controlPanel) << c.name;
  }
  EXPECT_TRUE(IsShortcutPath("C:\\x\\Lnk\\a.LNK"));
  EXPECT_FALSE(IsShortcutPath("C:\\x\\a.lnk.txt"));
  EXPECT_FALSE(IsShortcutPath(".lnk"));
}

TEST(LaunchTarget, AUrlItemOpensOnlyThroughARegisteredProtocolOtherThanFile) {
  const std::set<std::string> registered = {"http", "https", "mailto", "ms-settings", "file", "c"};
  std::set<std::string> asked;
  auto isUrlProtocol = [&](std::string_view scheme) {
    asked.insert(std::string(scheme));
    return registered.count(std::string(scheme)) > 0;
  };
  struct Case {
    std::string url;
    bool opens;
  } cases[] = {
      {"https://www.example.com/検索?q=ソフト 2", true},
      {"http://example.com/", true},
      {"ms-settings:display", true},
      {"mailto:friend@example.com", true},
      {"file:///C:/hdtest/recorder.exe", false},
      {"FILE:///C:/x.exe", false},
      {"C:\\hdtest\\recorder.exe", false},
      {"c:\\x.exe", false},  // a drive, whatever HKCR\c holds
      {"\\\\host\\share\\x.cpl", false},
      {"-https://example.com/", false},
      {"notregistered:x", false},
      {"https://example.com/\" --switch", false},
      {"https://example.com/\r\nx", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlMayOpen(c.url, isUrlProtocol), c.opens) << c.url;
  EXPECT_EQ(asked.count("file"), 0u) << "file is refused before the registry is asked";
  EXPECT_EQ(asked.count("notregistered"), 1u);
}

TEST(LaunchTarget, AMailItemOpensOnlyAsMailtoAndAnAddress) {
  struct Case {
    std::string value;
    bool opens;
  } cases[] = {
      {"mailto:friend@example.com", true},
      {"MAILTO:friend@example.com", true},
      {"mailto:友人@example.jp?subject=件名", true},
      {"friend@example.com", false},
      {"mailto:", false},
      {"mailto:friend", false},
      {"mailto:@example.com", false},
      {"mailto:friend@", false},
      {"mailto:friend?cc=a@b", false},
      {"mailto:a" + kXa + "b", false},  // the "@" inside ァ is no at sign
      {"mailto:a@b\" /switch", false},
      {"C:\\hdtest\\recorder.exe", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MailMayOpen(c.value), c.opens) << c.value;
}

TEST(LaunchTarget, ABrowserIsHandedOnlyHttpAndHttps) {
  struct Case {
    std::string url;
    bool opens;
  } cases[] = {
      {"https://www.example.com/検索?q=ソフト 2", true},
      {"HTTP://example.com/", true},
      {"-https://example.com/", false},
      {"--single-argument https://example.com/", false},
      {"ftp://example.com/", false},
      {"file:///C:/x.exe", false},
      {"C:\\x.exe", false},
      {"https://example.com/?q=\"x\"", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(BrowserMayOpen(c.url), c.opens) << c.url;
}

TEST(LaunchTarget, TheRefusalIsSpokenInShiftJis) {
  EXPECT_EQ(std::string(kUrlRefusedText), "\x82\xb1\x82\xcc\x55\x52\x4c\x82\xcd\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1");
}

}  // namespace
