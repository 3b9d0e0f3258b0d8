#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "items/item_order.h"

namespace {

// The name order key as the file system would make it, for ASCII names.
std::u16string AsciiKey(const std::string& fileName) {
  std::u16string key;
  for (char c : fileName) key.push_back(static_cast<char16_t>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c));
  return key;
}

ScanEntry Entry(const std::string& name, std::uint64_t time = 0, const std::string& extension = ".lnk") {
  return ScanEntry{name, AsciiKey(name + extension), time};
}

std::vector<std::string> Names(const std::vector<ScanEntry>& scan) {
  std::vector<std::string> names;
  for (const ScanEntry& entry : scan) names.push_back(entry.name);
  return names;
}

using NameList = std::vector<std::string>;

TEST(ItemOrder, ItemNameStripsOnlyTheExtension) {
  struct Case {
    std::string fileName, extension;
    std::optional<std::string> name;
  };
  const Case cases[] = {
      {"Report.final.lnk", ".lnk", "Report.final"}, {"x.exe.d.lnk", ".lnk", "x.exe.d"}, {".lnk", ".lnk", ""},
      {"News.URL", ".url", "News"}, {"Taro.mail", ".mail", "Taro"},
      // ソ is 83 5C and ア is 83 41: trail bytes that look like '\' and 'A'.
      {"\x83\x5C\x83\x41.lnk", ".lnk", "\x83\x5C\x83\x41"},
      // What an 8.3 alias lets a "*.lnk" listing deliver.
      {"Old.lnk2", ".lnk", std::nullopt}, {"Taro.mailbox", ".mail", std::nullopt}, {"lnk", ".lnk", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ItemNameOf(c.fileName, c.extension), c.name) << c.fileName;
}

TEST(ItemOrder, FinishScanSortsByUpperCasedWholeFileNameThenCaps) {
  // The whole file name counts: "Alpha b.lnk" stands before "Alpha.lnk" as
  // ' ' (0x20) sorts before '.' (0x2E). '[' and '_' come after the letters
  // because the comparison is of upper-case forms.
  std::vector<ScanEntry> scan = {Entry("_zeta"), Entry("Zed"), Entry("beta"), Entry("[b]"),
                                 Entry("a~"),    Entry("Alpha"), Entry("Alpha b")};
  FinishScan(scan);
  EXPECT_EQ(Names(scan), (NameList{"Alpha b", "Alpha", "a~", "beta", "Zed", "[b]", "_zeta"}));

  // Names differing only in case (a case-sensitive file system) keep a fixed order.
  std::vector<ScanEntry> twins = {Entry("abc"), Entry("ABC"), Entry("Abc")};
  FinishScan(twins);
  EXPECT_EQ(Names(twins), (NameList{"ABC", "Abc", "abc"}));
}

TEST(ItemOrder, CapKeepsTheFirst500ByNameWhateverTheListingOrder) {
  std::vector<ScanEntry> scan;
  for (int i = 500; i >= 0; --i) {  // 501 names, listed backwards
    char name[16];
    std::snprintf(name, sizeof(name), "u%03d", i);
    scan.push_back(Entry(name, 0, ".url"));
  }
  FinishScan(scan);
  ASSERT_EQ(scan.size(), kScanCapacity);
  EXPECT_EQ(scan.front().name, "u000");
  EXPECT_EQ(scan.back().name, "u499");

  // Reversed orders reverse the same 500: the 501st never takes part.
  std::vector<std::string> reversed = NamesInOrder(scan, 1);
  EXPECT_EQ(reversed.front(), "u499");
  EXPECT_EQ(reversed.back(), "u000");
}

TEST(ItemOrder, CreationTimeSortIsStable) {
  struct Case {
    std::vector<ScanEntry> scan;
    NameList expected;
  };
  const Case cases[] = {
      {{}, {}},
      {{Entry("a", 5)}, {"a"}},
      {{Entry("a", 3), Entry("b", 1), Entry("c", 2)}, {"b", "c", "a"}},
      // Equal times keep the name order they came in.
      {{Entry("a", 7), Entry("b", 7), Entry("c", 7)}, {"a", "b", "c"}},
      {{Entry("a", 9), Entry("b", 1), Entry("c", 9), Entry("d", 1), Entry("e", 5)}, {"b", "d", "e", "a", "c"}},
      // Times beyond 32 bits compare as 64-bit values.
      {{Entry("a", 0x100000000ull), Entry("b", 0xFFFFFFFFull)}, {"b", "a"}},
  };
  for (const Case& c : cases) {
    std::vector<ScanEntry> scan = c.scan;
    SortByCreationTime(scan);
    EXPECT_EQ(Names(scan), c.expected);
  }
}

TEST(ItemOrder, FourSortOrdersAndOthersGiveNothing) {
  // In name order, as a finished scan is; b and c were created at the same time.
  const std::vector<ScanEntry> scan = {Entry("Alpha", 30), Entry("b", 20), Entry("c", 20), Entry("Delta", 10)};
  struct Case {
    int sortOrder;
    NameList expected;
  };
  const Case cases[] = {
      {0, {"Alpha", "b", "c", "Delta"}},
      {1, {"Delta", "c", "b", "Alpha"}},
      {2, {"Delta", "b", "c", "Alpha"}},
      {3, {"Alpha", "c", "b", "Delta"}},
      {4, {}},
      {-1, {}},
      {12, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(NamesInOrder(scan, c.sortOrder), c.expected) << c.sortOrder;
}

// One entry put into a list in its place gives the list a whole load would
// give: each entry of each scan in turn is left out of the list and put back.
TEST(ItemOrder, InsertPositionIsWhereTheWholeSortPutsTheEntry) {
  struct Case {
    const char* what;
    std::vector<ScanEntry> scan;  // in name order, as a finished scan is
  };
  const Case cases[] = {
      {"one entry", {Entry("a", 5)}},
      {"distinct times", {Entry("a", 3), Entry("b", 1), Entry("c", 2), Entry("d", 4)}},
      {"equal times decide by name", {Entry("Alpha", 30), Entry("b", 20), Entry("c", 20), Entry("Delta", 10)}},
      {"all times equal", {Entry("a", 7), Entry("b", 7), Entry("c", 7)}},
      {"names differing in case", {Entry("ABC", 2), Entry("Abc", 1), Entry("abc", 2), Entry("abd", 1)}},
      {"upper-cased order, not bytes", {Entry("Alpha b", 1), Entry("Alpha", 1), Entry("a~", 2), Entry("[b]", 1), Entry("_z", 0)}},
      {"64-bit times", {Entry("a", 0x100000000ull), Entry("b", 0xFFFFFFFFull), Entry("c", 0x100000000ull)}},
  };
  for (const Case& c : cases) {
    for (int sortOrder = kByName; sortOrder <= kNewestFirst; ++sortOrder) {
      const std::vector<std::string> whole = NamesInOrder(c.scan, sortOrder);
      for (std::size_t left = 0; left < c.scan.size(); ++left) {
        std::vector<ScanEntry> rest = c.scan;
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(left));
        std::optional<std::size_t> at = InsertPosition(EntriesInOrder(rest, sortOrder), c.scan[left], sortOrder);
        ASSERT_TRUE(at.has_value()) << c.what;
        std::vector<std::string> names = NamesInOrder(rest, sortOrder);
        names.insert(names.begin() + static_cast<std::ptrdiff_t>(*at), c.scan[left].name);
        EXPECT_EQ(names, whole) << c.what << ", order " << sortOrder << ", " << c.scan[left].name;
      }
    }
  }
  EXPECT_EQ(InsertPosition({}, Entry("a"), kNewestFirst), std::optional<std::size_t>(0));
  EXPECT_EQ(InsertPosition({Entry("a")}, Entry("b"), 4), std::nullopt);
  EXPECT_EQ(InsertPosition({Entry("a")}, Entry("b"), -1), std::nullopt);
}

TEST(ItemOrder, ProgramTargetNeedsExeAfterTheFirstByte) {
  struct Case {
    const char* target;
    bool program;
  };
  const Case cases[] = {
      {"D:\\Tools\\App.EXE", true},
      {"C:\\Windows\\notepad.exe", true},
      {"D:\\x.exe.d\\readme.txt", true},  // ".exe" inside a folder name still counts
      {"a.Exe", true},
      {".exe", false},
      {".exe\\tool.exe", false},  // the first ".exe" is at position 0
      {"", false},
      {"C:\\Docs\\Report.pdf", false},
      {"C:\\Docs\\file.ex", false},
      // 表 is 95 5C: the search never starts inside a double-byte character.
      {"\x95\x5C.exe", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsProgramTarget(c.target), c.program) << c.target;
}

}  // namespace
