#include "items/item_name.h"

#include <gtest/gtest.h>

#include <string>

#include "items/item_dialog_texts.h"

namespace {

// Shift-JIS bytes written out, so the tests do not depend on how the
// compiler encodes a literal.
const std::string kPo = "\x83\x7C";         // ポ: trail byte "|"
const std::string kHyo = "\x95\x5C";        // 表: trail byte "\"
const std::string kSmallA = "\x83\x40";     // ァ: trail byte "@"
const std::string kWideSpace = "\x81\x40";  // full-width space: trail byte "@"
const std::string kA = "\x83\x41";          // ア
const std::string kItemFolder = "c:\\ProgramData\\Velmora\\Hopdeck\\Lnk";

TEST(CleanItemName, ReplacesTheEightCharactersWithTheirFullWidthForms) {
  struct Case {
    std::string name;
    std::string cleaned;
  };
  const Case cases[] = {
      {"Plan", "Plan"},
      {"", ""},
      {"!", "\x81\x49"},
      {"|", "\x81\x62"},
      {"+", "\x81\x7B"},
      {"/", "\x81\x5E"},
      {"%", "\x81\x93"},
      {"&", "\x81\x95"},
      {";", "\x81\x47"},
      {":", "\x81\x46"},
      {"a/b:c", "a\x81\x5E" "b\x81\x46" "c"},
      {"//", "\x81\x5E\x81\x5E"},
      {"!|+/%&;:", "\x81\x49\x81\x62\x81\x7B\x81\x5E\x81\x93\x81\x95\x81\x47\x81\x46"},
      // Characters the file system refuses but that are not on the list stay.
      {"a\\b*?\"<>", "a\\b*?\"<>"},
      // Trail bytes that look like "|" or "\" are parts of Japanese characters.
      {kPo, kPo},
      {kPo + "|" + kPo, kPo + "\x81\x62" + kPo},
      {kHyo + "/", kHyo + "\x81\x5E"},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanItemName(c.name), c.cleaned) << c.name;
}

TEST(ReplaceAll, ReplacesEveryMatchAndEndsWhenTheReplacementHoldsThePattern) {
  struct Case {
    std::string text, pattern, replacement, result;
  };
  const Case cases[] = {
      {"aXa", "a", "aa", "aaXaa"},
      {"abcabc", "bc", "", "aa"},
      {"xyz", "q", "r", "xyz"},
      {"ab", "ab", "c", "c"},
      {"", "a", "b", ""},
      {"abc", "", "z", "abc"},
      {kPo + "|", "|", "I", kPo + "I"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    ReplaceAll(text, c.pattern, c.replacement);
    EXPECT_EQ(text, c.result) << c.text << " / " << c.pattern;
  }
}

TEST(ProposeItemName, TakesTheLastComponentUpToItsFirstDot) {
  // A handed-over shortcut names the item, not its target.
  EXPECT_EQ(ProposeItemName("D:\\Links\\Editor.lnk", "D:\\Apps\\editor.exe"), "Editor");
  const std::pair<std::string, std::string> cases[] = {  // path, name
      {"D:\\Docs\\Plan.txt", "Plan"}, {"D:\\Apps\\tool.tar.gz", "tool"}, {"C:file.txt", "file"},
      {"README", ""}, {"D:\\home\\.profile", ""}, {"", ""}, {"https://example.com/docs/page.html", "page"},
      // A trailing separator does not end the component.
      {"D:\\dir.d\\", "dir"},
      // The trail byte of 表 is not a separator.
      {"D:\\" + kHyo + ".txt", kHyo}, {"D:\\" + kHyo + "\\memo.txt", "memo"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(ProposeItemName("", path), name) << path;
}

// A path, the facts the dialog finds about it, and the kind of item it becomes.
struct KindCase {
  std::string path;
  PathFacts facts;
  ItemKind kind;
};
constexpr bool kUrl = true, kExists = true;
constexpr ItemKind kShortcut = ItemKind::kShortcut, kMail = ItemKind::kMail, kCopy = ItemKind::kCopyShortcut;

TEST(DecideAddKind, TestsImportUrlCopyShortcutAndMailInThatOrder) {
  const KindCase cases[] = {
      {"D:\\Docs\\Plan.txt", {".txt", !kUrl, kExists}, kShortcut},
      {"D:\\Fav\\News.url", {".url", !kUrl, kExists}, ItemKind::kImportUrl},
      // Extensions compare with case.
      {"D:\\Fav\\News.URL", {".URL", !kUrl, kExists}, kShortcut},
      {"https://example.com/", {"", kUrl, !kExists}, ItemKind::kUrl},
      {"mailto:user@example.jp", {".jp", kUrl, !kExists}, ItemKind::kUrl},
      {"D:\\Links\\Editor.lnk", {".lnk", !kUrl, kExists}, kCopy}, {"D:\\Links\\Gone.lnk", {".lnk", !kUrl, !kExists}, kCopy},
      {"notepad", {"", !kUrl, !kExists}, kShortcut}, {"D:\\at@folder", {"", !kUrl, kExists}, kShortcut},
      {"user@example.jp", {".jp", !kUrl, !kExists}, kMail},
      // "@" only as the second byte of ァ or of a full-width space: no mail address.
      {"D:\\" + kSmallA + ".txt", {".txt", !kUrl, !kExists}, kShortcut}, {"x" + kWideSpace + "y", {"", !kUrl, !kExists}, kShortcut},
      {kSmallA + "@example.jp", {".jp", !kUrl, !kExists}, kMail},
  };
  for (const KindCase& c : cases) EXPECT_EQ(DecideAddKind(c.path, c.facts), c.kind) << c.path;
}

TEST(DecideEditKind, MakesShortcutsOfUrlAndLnkFiles) {
  const KindCase cases[] = {
      {"D:\\Fav\\News.url", {".url", !kUrl, kExists}, kShortcut}, {"D:\\Links\\Editor.lnk", {".lnk", !kUrl, kExists}, kShortcut},
      {"https://example.com/", {"", kUrl, !kExists}, ItemKind::kUrl},
      {"user@example.jp", {".jp", !kUrl, !kExists}, kMail}, {"user@example.jp", {".jp", !kUrl, kExists}, kShortcut},
      {"D:\\" + kSmallA, {"", !kUrl, !kExists}, kShortcut},
  };
  for (const KindCase& c : cases) EXPECT_EQ(DecideEditKind(c.path, c.facts), c.kind) << c.path;
  EXPECT_STREQ(ItemExtension(ItemKind::kImportUrl), ".url");
  EXPECT_STREQ(ItemExtension(ItemKind::kCopyShortcut), ".lnk");
  EXPECT_STREQ(ItemExtension(ItemKind::kMail), ".mail");
}

TEST(FitItemName, CutsOnACharacterBoundarySoThePathFits) {
  // 34 bytes of folder, "\" and ".lnk": 220 bytes are left for the name.
  const std::size_t room = kItemPathMaxBytes - kItemFolder.size() - 1 - 4;
  ASSERT_EQ(room, 220u);
  struct Case {
    std::string name;
    std::string fitted;
  };
  std::string doubles(110 * 2, '\0');
  for (std::size_t i = 0; i < 110; ++i) doubles.replace(i * 2, 2, kA);
  const Case cases[] = {
      {"Plan", "Plan"},
      {std::string(220, 'a'), std::string(220, 'a')},
      {std::string(221, 'a'), std::string(220, 'a')},
      {std::string(260, 'a'), std::string(220, 'a')},
      // One byte over, the last character double-byte: it goes whole.
      {"a" + doubles, "a" + doubles.substr(0, 218)},
      {doubles, doubles},
  };
  for (const Case& c : cases) {
    std::string fitted = FitItemName(c.name, kItemFolder, ".lnk");
    EXPECT_EQ(fitted, c.fitted) << c.name.size();
    EXPECT_LE(kItemFolder.size() + 1 + fitted.size() + 4, kItemPathMaxBytes);
  }
  // Cleaning doubles a name of 200 "/" to 400 bytes; the cut keeps 110 whole "／".
  std::string cleaned = FitItemName(CleanItemName(std::string(200, '/')), kItemFolder, ".lnk");
  ASSERT_EQ(cleaned.size(), 220u);
  EXPECT_EQ(cleaned.substr(218), "\x81\x5E");
  // A longer extension leaves less room.
  EXPECT_EQ(FitItemName(std::string(260, 'a'), kItemFolder, ".mail").size(), 219u);
  EXPECT_EQ(FitItemName("abc", std::string(258, 'f'), ".lnk"), "");
}

TEST(IsPlainItemName, RefusesEmptyNamesAndFolderSeparators) {
  EXPECT_TRUE(IsPlainItemName("Plan"));
  EXPECT_TRUE(IsPlainItemName(kHyo));  // trail byte "\" is part of the character
  EXPECT_FALSE(IsPlainItemName(""));
  EXPECT_FALSE(IsPlainItemName("..\\evil"));
}

TEST(ItemDialogTexts, AreShiftJisBytes) {
  EXPECT_EQ(std::string(kOverwriteCaption), "\x8f\xe3\x8f\x91\x82\xab\x8a\x6d\x94\x46");
  EXPECT_EQ(std::string(kUnreadableTarget),
            "\x8e\xe6\x93\xbe\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd");
  // The filter list: two pairs of zero-terminated parts, then an empty part.
  std::string filters(kBrowseFilters, sizeof(kBrowseFilters));
  EXPECT_EQ(filters.substr(filters.size() - 8), std::string("\0*.exe\0\0", 8));
  EXPECT_NE(filters.find(std::string("\0*.*\0", 5)), std::string::npos);
}

}  // namespace
