#include "items/quick_find.h"

#include "items/name_readings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Bytes written out where a trail byte is the point of the case.
const std::string kPo = "\x83\x7C";   // ポ: trail byte "|"
const std::string kSo = "\x83\x5C";   // ソ: trail byte "\"
const std::string kA = "\x83\x41";    // ア: trail byte "A"
const std::string kUtage = "\x89\x83";  // 宴: trail byte 83, a kana's lead byte

bool Matches(const std::string& name, const std::string& term, const std::string& target = "") {
  QuickFindIndex index;
  index.Add({name, target, 0, -1});
  return index.Search(term).size() == 1;
}

std::vector<std::string> Names(const QuickFindIndex& index, const std::string& term) {
  std::vector<std::string> names;
  for (std::size_t found : index.Search(term)) names.push_back(index.item(found).name);
  return names;
}

TEST(FoldForFind, FoldsCaseWidthsAndKanaButNeverATrailByte) {
  struct Case {
    std::string text;
    std::string folded;
  };
  const Case cases[] = {
      {"Memo PDF", "memo pdf"},
      {"ＰＤＦ　ｆｉｌｅ１２３！＠～", "pdf file123!@~"},
      {"ﾒﾓﾁｮｳ", "メモチョウ"},
      {"ｶﾞｷﾞﾊﾞﾊﾟｳﾞｰ", "ガギバパヴー"},
      {"ｱﾞﾏﾟ", "ア゛マ゜"},  // no kana of their own: the marks stay
      {"めもちょうゝ", "メモチョウヽ"},
      {"ぁゐんミム", "ァヰンミム"},  // across the gap in the katakana row after ミ
      {kA + kPo + kSo, kA + kPo + kSo},
      {"A\x83", "a\x83"},  // a lone lead byte at the end stays as it is
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FoldForFind(c.text), c.folded) << c.text;
}

TEST(QuickFindSearch, MatchesEveryWordInTheNameOrTheTarget) {
  EXPECT_TRUE(Matches("ﾒﾓ帳", "めも"));
  EXPECT_TRUE(Matches("ＰＤＦ閲覧", "pdf"));
  EXPECT_TRUE(Matches("Memo", "ME\x81\x40mo"));  // split at the full-width space
  EXPECT_TRUE(Matches("議事録", "議事 docx", "d:\\Work\\minutes.docx"));
  EXPECT_FALSE(Matches("議事録", "議事 xlsx", "d:\\Work\\minutes.docx"));
  EXPECT_FALSE(Matches("Memo", "  "));
}

TEST(QuickFindSearch, NeverStartsOrEndsAMatchInsideADoubleByteCharacter) {
  EXPECT_FALSE(Matches(kPo, "|"));
  EXPECT_FALSE(Matches(kPo + kPo, "|" + kPo));
  EXPECT_FALSE(Matches(kSo + "x", "\\x"));
  EXPECT_FALSE(Matches(kPo, "\x83"));  // half a character is no word
  EXPECT_TRUE(Matches("a|" + kPo, "|"));
  // 宴 + "J" folds to 89 83 6A, whose last two bytes are ニ: no "ni" there.
  EXPECT_FALSE(Matches(kUtage + "J", "ni"));
  EXPECT_TRUE(Matches(kUtage + "\x83\x6A", "ni"));
}

TEST(QuickFindSearch, ReadsAsciiLettersAsRomaji) {
  using Pairs = std::vector<std::pair<std::string, std::string>>;  // name, term
  const Pairs found = {
      {"メモ帳", "memo"}, {"ギジロク", "gijiroku"}, {"ぎじろく", "GIJIROKU"}, {"ｷﾞｼﾞﾛｸ", "gizi"}, {"memo.txt", "memo"},
      // Either spelling of シ, チ, ツ, フ, ジ and of the palatal sounds.
      {"シチツフジ", "shichitsufuji"}, {"シチツフジ", "sitituhuzi"}, {"シャジャ", "shaja"}, {"シャジャ", "syazya"},
      {"ジャム", "jyamu"}, {"チャ", "cha"}, {"ファイル", "fairu"}, {"ヴァイオリン", "vaiorin"},
      // ン before a vowel or y needs an apostrophe; ッ doubles the consonant; ー is "-".
      {"カンナ", "kanna"}, {"カンナ", "kannna"}, {"コンニチハ", "konnichiha"}, {"カンジ", "kanji"}, {"ホンヤ", "hon'ya"},
      {"ホニャ", "honya"}, {"ンア", "n'a"}, {"キッテ", "kitte"}, {"マッチャ", "matcha"}, {"ラーメン", "ra-men"},
      // A term may end halfway through a syllable.
      {"メモ帳", "mem"}, {"メマイ", "mem"}, {"キョウ", "ky"}, {"マッテ", "mat"}, {"ホン", "hon"}, {"ホン", "honn"},
  };
  for (const auto& [name, term] : found) EXPECT_TRUE(Matches(name, term)) << name << " / " << term;
  const Pairs notFound = {
      {"ホンヤ", "honya"},  // "nya" is ニャ
      {"ンア", "na"}, {"ナ", "n'a"}, {"ラメン", "ra-men"}, {"メ", "mem"}, {"キ", "ky"},
      {"記録", "kiroku"},  // kanji are not guessed
      {"メモ", "memo2"},   // not all letters: literal only
  };
  for (const auto& [name, term] : notFound) EXPECT_FALSE(Matches(name, term)) << name << " / " << term;
}

// An index of names whose readings come as the language service gives them.
struct ReadIndex {
  std::shared_ptr<NameReadings> readings = std::make_shared<NameReadings>();
  QuickFindIndex index;
  explicit ReadIndex(std::initializer_list<const char*> names) {
    index.UseReadings(readings);
    for (const char* name : names) index.Add({name, "", 0, -1});
  }
};

TEST(QuickFindSearch, FindsANameByItsReadingAsByTheNameItself) {
  ReadIndex read({"電卓", "郵便番号検索", "議事録メモ", "天気予報"});
  EXPECT_TRUE(Names(read.index, "dentaku").empty()) << "no reading known yet";
  read.readings->Learn("電卓", "でんたく");
  read.readings->Learn("郵便番号検索", "ゆうびんばんごうけんさく");
  read.readings->Learn("議事録メモ", "ぎじろくめも");
  read.readings->Learn("天気予報", "てんきよほう");
  using Found = std::vector<std::string>;
  // Taken up at the next search: romaji, hiragana, katakana, full-width and half-width forms.
  for (const char* term : {"dentaku", "DENTAKU", "でんたく", "デンタク", "ｄｅｎｔａｋｕ", "ﾃﾞﾝﾀｸ", "dent", "denntaku"}) {
    EXPECT_EQ(Names(read.index, term), Found{"電卓"}) << term;
  }
  EXPECT_EQ(Names(read.index, "bangou"), Found{"郵便番号検索"}) << "a word inside the reading";
  EXPECT_EQ(Names(read.index, "gijiroku"), Found{"議事録メモ"});
  EXPECT_EQ(Names(read.index, "tenki yohou"), Found{"天気予報"}) << "every word in the reading";
  EXPECT_EQ(Names(read.index, "電卓"), Found{"電卓"}) << "the name is still found as written";
  EXPECT_TRUE(Names(read.index, "kiroku memo").empty()) << "ぎじろく holds no きろく";

  // A reading learnt later replaces the earlier one; an index made anew takes up all of them.
  read.readings->Learn("電卓", "けいさんき");
  EXPECT_EQ(Names(read.index, "keisanki"), Found{"電卓"});
  EXPECT_TRUE(Names(read.index, "dentaku").empty());
  read.index.Clear();
  read.index.Add({"電卓", "", 0, -1});
  EXPECT_EQ(Names(read.index, "keisanki"), Found{"電卓"});
}

TEST(QuickFindSearch, RanksAReadingMatchAsANameMatchAtTheSamePlace) {
  ReadIndex read({"会計簿", "家計簿", "ソフト家計", "Kakeibo tool", "かけいぼ"});
  read.readings->Learn("家計簿", "かけいぼ");                // starts with it
  read.readings->Learn("ソフト家計", "そふとかけい");        // holds it: its reading is one word
  read.readings->Learn("会計簿", "かいけいぼ");              // holds "keibo"
  EXPECT_EQ(Names(read.index, "kakei"),
            (std::vector<std::string>{"Kakeibo tool", "かけいぼ", "家計簿", "ソフト家計"}));
  EXPECT_EQ(Names(read.index, "keibo"), (std::vector<std::string>{"Kakeibo tool", "かけいぼ", "家計簿", "会計簿"}));
}

TEST(QuickFindSearch, AReadingNeverMatchesInsideADoubleByteCharacter) {
  // ソ (83 5C) and ポ (83 7C) in the reading; 表 (95 5C) in the name.
  ReadIndex read({"表ポ"});
  read.readings->Learn("表ポ", kSo + kPo);
  EXPECT_TRUE(Names(read.index, "\\").empty());
  EXPECT_TRUE(Names(read.index, "|").empty());
  EXPECT_EQ(Names(read.index, "sopo"), std::vector<std::string>{"表ポ"});
}

TEST(QuickFindSearch, OrdersByPlaceThenRecencyListAndName) {
  QuickFindIndex index;
  index.Add({"Old memo", "", 0, -1});                // a word starts with it
  index.Add({"Text", "c:\\memo\\text.txt", 1, 0});    // only the target: last
  index.Add({"ＭＥＭＯ帳", "", 3, -1});              // starts with it
  index.Add({"メモ帳", "", 2, -1});                  // starts with it (romaji)
  index.Add({"Notememo", "", 0, 1});                 // holds it
  index.Add({"memo", "", 2, 4});                     // starts with it, launched
  index.Add({"Memo", "", 2, -1});                    // ties with "ＭＥＭＯ帳"'s class
  index.Add({"NoteMemo", "", 0, -1});                // an upper-case letter starts a word
  index.Add({"議事メモ", "", 0, -1});                // a change of script starts a word
  EXPECT_EQ(Names(index, "memo"),
            (std::vector<std::string>{"memo", "Memo", "メモ帳", "ＭＥＭＯ帳", "NoteMemo", "Old memo",
                                      "議事メモ", "Notememo", "Text"}));

  index.SetRecency(3, 0);
  EXPECT_EQ(Names(index, "memo").front(), "メモ帳");

  // A term of several words is placed by its first word, as long as the name
  // holds them all.
  EXPECT_EQ(Names(index, "note memo"), (std::vector<std::string>{"Notememo", "NoteMemo"}));
  EXPECT_EQ(Names(index, "text memo"), (std::vector<std::string>{"Text"}));
  EXPECT_TRUE(index.Search("").empty());
}

}  // namespace

namespace {

TEST(QuickFindSearch, PutsTheSourcesInOrderWithinAKindOfMatch) {
  QuickFindIndex index;
  index.Add({"Memo window", "", 0, -1, 3});  // a running window
  index.Add({"メモ帳", "notepad", 0, 2, 2});   // a table row, launched
  index.Add({"memo", "", 0, -1, 1});          // a Start-menu shortcut
  index.Add({"Memo", "", 1, 5, 0});           // an item, launched long ago
  index.Add({"My memo", "", 0, 0, 0});        // an item, but only a word starts with it
  EXPECT_EQ(Names(index, "memo"),
            (std::vector<std::string>{"Memo", "memo", "メモ帳", "Memo window", "My memo"}));
}

}  // namespace
