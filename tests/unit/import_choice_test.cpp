#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "items/import_choice.h"

namespace {

constexpr char kFolder[] = "c:\\ProgramData\\Velmora\\Hopdeck\\Lnk";

// The file system's case-blind key, for ASCII texts.
std::u16string AsciiKey(std::string_view text) {
  std::u16string key;
  for (char c : text) key.push_back(static_cast<char16_t>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c));
  return key;
}

ImportCandidate Link(const std::string& stem, const std::string& target, const std::string& location = "Programs") {
  return {stem, location, "C:\\Start\\" + stem + ".lnk", false, !target.empty(), target, "", false, {}, false};
}

ImportCandidate Url(const std::string& stem, const std::string& url) {
  return {stem, "デスクトップ", "C:\\Desk\\" + stem + ".url", true, true, url, "", false, {}, false};
}

ImportChoice Choose(std::vector<ImportCandidate> candidates, const ExistingItems& existing = {}) {
  return ChooseImports(std::move(candidates), existing, kFolder, AsciiKey);
}

std::vector<std::string> Offered(const ImportChoice& choice, bool checkedOnly = false) {
  std::vector<std::string> names;
  for (const ImportOffer& offer : choice.offers) {
    if (!checkedOnly || offer.checked) names.push_back(offer.name);
  }
  return names;
}

using Names = std::vector<std::string>;

TEST(ImportChoice, OffersInNameOrderAndChecksOnlyProgramsThatAreNoUninstallers) {
  ImportCandidate folder = Link("Downloads", "C:\\Users\\u\\Downloads");
  folder.targetIsFolder = true;
  ImportChoice choice = Choose({
      Link("zip", "C:\\Tools\\Zip.EXE"), Link("Manual", "C:\\Tools\\manual.pdf"), Url("Site", "https://x.example/"),
      Link("Uninstall Zip", "C:\\Tools\\remove.exe"), Link("Zip アンインストール", "C:\\Tools\\remove1.exe"),
      Link("Zip の削除", "C:\\Tools\\remove2.exe"), Link("Remove", "C:\\Tools\\unins000.exe"),
      Link("Cleaner", "C:\\Tools\\Uninstall-Helper.exe"), Link("Unlisted", "C:\\Tools\\uninsx.exe.txt"),
      Link("Snagit", ""),  // an advertised shortcut: no target can be read
      folder, Link("a/b:c", "C:\\Tools\\ab.exe")});
  EXPECT_EQ(Offered(choice), (Names{"a／b：c", "Cleaner", "Manual", "Remove", "Site", "Snagit", "Uninstall Zip",
                                    "Unlisted", "Zip の削除", "Zip アンインストール", "zip"}));
  // A target that only holds ".exe" is a program, as the lists decide, and no uninstaller.
  EXPECT_EQ(Offered(choice, true), (Names{"a／b：c", "Unlisted", "zip"}));
  EXPECT_EQ(choice.CheckedCount(), 3u);
  EXPECT_EQ(choice.leftOut, 0u);
  EXPECT_TRUE(choice.offers[4].candidate.isUrl);
}

TEST(ImportChoice, LeavesOutWhatAnItemOrAnEarlierCandidateHasAlready) {
  ExistingItems existing;
  existing.names = {"Notepad", "News"};
  existing.shortcuts = {{"C:\\Apps\\Editor.exe", ""}, {"C:\\Windows\\mmc.exe", "compmgmt.msc"}};
  existing.ownProgram = "C:\\hdtest\\app\\Hopdeck.exe";
  ImportCandidate eventViewer = Link("Event Viewer", "C:\\WINDOWS\\MMC.EXE");
  eventViewer.arguments = "eventvwr.msc";
  ImportCandidate management = Link("Computer Management", "C:\\Windows\\mmc.exe");
  management.arguments = "compmgmt.msc";
  ImportChoice choice = Choose({
      Link("NOTEPAD", "C:\\Windows\\notepad.exe"),       // an item's name, in other case
      Url("news", "https://news.example/"),              // a name of another kind of item counts too
      Link("My Editor", "c:\\apps\\editor.EXE"),         // a shortcut item's target
      management,                                        // same target and arguments
      eventViewer,                                       // same target, other arguments
      Link("Hopdeck", "C:\\HDTEST\\app\\hopdeck.exe"),  // the program itself
      Link("Paint", "C:\\Apps\\paint.exe", "Programs\\Accessories"),
      Link("Paint", "C:\\Apps\\paint2.exe", "デスクトップ"),  // the same name found later
      Link("Zed", "C:\\Apps\\zed.exe"),
      Link("Alpha", "C:\\Apps\\zed.exe"),                // the same target: the first by name wins
  }, existing);
  EXPECT_EQ(Offered(choice), (Names{"Alpha", "Event Viewer", "Paint"}));
  EXPECT_EQ(choice.offers[2].candidate.location, "Programs\\Accessories");
  EXPECT_EQ(choice.leftOut, 0u);
}

// A name made from one the code page cannot carry ("Café" as "Cafe") takes
// a number where it is empty or names another item; an ordinary name that
// clashes is left out, as before.
TEST(ImportChoice, AMadeNameTakesTheFirstFreeNumber) {
  auto made = [](const std::string& stem, const std::string& target) {
    ImportCandidate candidate = Link(stem, target);
    candidate.stemMade = true;
    return candidate;
  };
  ExistingItems existing;
  existing.names = {"Cafe", "Cafe (2)"};
  ImportChoice choice = Choose({made("Cafe", "C:\\a.exe"), made("CAFE", "C:\\b.exe"), made("", "C:\\c.exe"),
                                made("Tool", "C:\\d.exe"), Link("cafe", "C:\\e.exe"), made("", "C:\\f.exe")},
                               existing);
  EXPECT_EQ(Offered(choice), (Names{" (2)", " (3)", "Cafe (3)", "CAFE (4)", "Tool"}));
  EXPECT_EQ(Offered(choice, true), Offered(choice)) << "a made name is checked like any other";
}

TEST(ImportChoice, EachListsCapLeavesOutWhatWouldPassIt) {
  ExistingItems existing;
  existing.shortcutCount = 498;
  existing.urlCount = 500;
  ImportChoice choice = Choose({Link("C", "C:\\c.exe"), Link("A", "C:\\a.exe"), Url("Web", "https://w.example/"),
                                Link("B", "C:\\b.txt"), Url("Blog", "https://b.example/")},
                               existing);
  EXPECT_EQ(Offered(choice), (Names{"A", "B"}));
  EXPECT_EQ(choice.leftOut, 3u);

  existing.shortcutCount = 600;  // more than a list shows
  existing.urlCount = 0;
  choice = Choose({Link("A", "C:\\a.exe"), Url("Web", "https://w.example/")}, existing);
  EXPECT_EQ(Offered(choice), (Names{"Web"}));
  EXPECT_EQ(choice.leftOut, 1u);
}

}  // namespace
