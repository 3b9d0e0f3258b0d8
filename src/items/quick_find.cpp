#include "items/quick_find.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <map>
#include <optional>

#include "items/name_readings.h"
#include "platform/sjis.h"

namespace {

// ---------------------------------------------------------------------------
// Folding
//
// Every fold maps one character of the original (or a half-width kana and the
// voiced or semi-voiced mark after it) to one character of the folded text,
// and walks the text character by character, so that a trail byte such as the
// "A" of ア (83 41) is never lower-cased and a "|" that is the trail byte of
// ポ (83 7C) never becomes a character of its own.

// Full-width signs of the 0x81 row (and the two of the 0xFA row), each beside
// the ASCII sign it folds to. ￥ folds to the byte 5C, which Japanese Windows
// shows as a yen sign; the full-width space folds to the space so that a name
// splits into words at either.
constexpr char kWideSigns[] = "！＂＃＄％＆＇（）＊＋，－．／：；＜＝＞？＠［＼］＾＿｀｛｜｝～￥　";
constexpr char kAsciiSigns[] = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~\\ ";
static_assert(sizeof(kWideSigns) - 1 == 2 * (sizeof(kAsciiSigns) - 1));

// The full-width forms of the half-width characters A1-DF, two bytes each.
constexpr char kHalfWidthKana[] =
    "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(sizeof(kHalfWidthKana) - 1 == 2 * (0xDF - 0xA1 + 1));

constexpr unsigned char kHalfVoiced = 0xDE;      // ﾞ
constexpr unsigned char kHalfSemiVoiced = 0xDF;  // ﾟ

// The NEC-selected codes of ＂ and ＇, which some files hold instead of FA57 and FA56.
constexpr unsigned kNecQuote = 0xEEFC;
constexpr unsigned kNecApostrophe = 0xEEFB;

// The ASCII character a full-width one folds to, or 0.
char WideToAscii(unsigned lead, unsigned trail) {
  if (lead == 0x82) {
    if (trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));
    if (trail >= 0x60 && trail <= 0x79) return static_cast<char>('a' + (trail - 0x60));
    if (trail >= 0x81 && trail <= 0x9A) return static_cast<char>('a' + (trail - 0x81));
    return 0;
  }
  unsigned code = lead << 8 | trail;
  if (code == kNecQuote) return '"';
  if (code == kNecApostrophe) return '\'';
  if (lead != 0x81 && lead != 0xFA) return 0;
  for (std::size_t i = 0; kAsciiSigns[i] != '\0'; ++i) {
    if (static_cast<unsigned char>(kWideSigns[2 * i]) == lead &&
        static_cast<unsigned char>(kWideSigns[2 * i + 1]) == trail) {
      return kAsciiSigns[i];
    }
  }
  return 0;
}

void AppendCode(std::string& out, unsigned code) {
  out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

// Hiragana ぁ (829F) to ん (82F1) are in katakana order; the katakana row
// skips the trail byte 7F after ミ (837E).
unsigned HiraganaToKatakana(unsigned trail) {
  unsigned katakana = 0x40 + (trail - 0x9F);
  return 0x8300 | (katakana >= 0x7F ? katakana + 1 : katakana);
}

// The full-width form of a half-width kana, with the mark that follows it
// joined where the pair has a character of its own: ｶﾞ is ガ (voiced = +1),
// ﾊﾟ is パ (semi-voiced = +2), ｳﾞ is ヴ. Returns how many marks it took.
std::size_t FoldHalfWidthKana(unsigned char kana, unsigned char next, std::string& out) {
  std::size_t index = 2 * static_cast<std::size_t>(kana - 0xA1);
  unsigned code = static_cast<unsigned char>(kHalfWidthKana[index]) << 8 |
                  static_cast<unsigned char>(kHalfWidthKana[index + 1]);
  bool kaToTo = kana >= 0xB6 && kana <= 0xC4;  // ｶ..ﾄ
  bool haToHo = kana >= 0xCA && kana <= 0xCE;  // ﾊ..ﾎ
  if (next == kHalfVoiced && (kaToTo || haToHo)) {
    AppendCode(out, code + 1);
    return 1;
  }
  if (next == kHalfVoiced && kana == 0xB3) {  // ｳ
    AppendCode(out, 0x8394);                  // ヴ
    return 1;
  }
  if (next == kHalfSemiVoiced && haToHo) {
    AppendCode(out, code + 2);
    return 1;
  }
  AppendCode(out, code);
  return 0;
}

// The kinds of character a name's words are told apart by. A word starts at
// the first character of the name, after a space or a sign, where the script
// changes (ASCII letters, digits, hiragana, katakana, kanji, other letters),
// and at an upper-case letter after a lower-case one ("PowerPoint" holds the
// words "Power" and "Point"). Half-width and full-width forms are one script,
// and hiragana and katakana are two even though both fold to katakana, so
// "メモ帳" has a word "帳" and "ひらがなカタカナ" a word "カタカナ".
// ー, 々 and the repetition marks continue the word before them.
enum class Script { kBreak, kContinue, kDigit, kLatin, kHiragana, kKatakana, kKanji, kOther };

Script SingleByteScript(unsigned char byte) {
  if (byte >= '0' && byte <= '9') return Script::kDigit;
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')) return Script::kLatin;
  if (byte < 0x80 || (byte >= 0xA1 && byte <= 0xA5)) return Script::kBreak;  // signs, ｡｢｣､･
  if (byte == 0xB0 || byte == kHalfVoiced || byte == kHalfSemiVoiced) return Script::kContinue;
  if (byte >= 0xA6 && byte <= 0xDD) return Script::kKatakana;
  return Script::kOther;
}

Script DoubleByteScript(unsigned lead, unsigned trail) {
  switch (lead) {
    case 0x81:
      // ゛゜ (4A 4B), ヽヾゝゞ〃仝々〆 (52-59), ー (5B)
      if (trail == 0x4A || trail == 0x4B || (trail >= 0x52 && trail <= 0x59) || trail == 0x5B) {
        return Script::kContinue;
      }
      return Script::kBreak;
    case 0x82:
      if (trail >= 0x4F && trail <= 0x58) return Script::kDigit;
      if (trail >= 0x60 && trail <= 0x9A) return Script::kLatin;
      if (trail >= 0x9F && trail <= 0xF1) return Script::kHiragana;
      return Script::kBreak;
    case 0x83:
      return trail <= 0x96 ? Script::kKatakana : Script::kOther;  // then Greek
    case 0x84:
      return trail <= 0x91 ? Script::kOther : Script::kBreak;  // Cyrillic, then box drawing
    case 0x87:
      return Script::kBreak;  // circled numbers, units and other signs
    default:
      return (lead >= 0xF0 && lead <= 0xF9) ? Script::kOther : Script::kKanji;  // F0-F9: user-defined
  }
}

std::size_t CharWidth(std::string_view text, std::size_t pos) {
  return (IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

// Folds text; when wordStarts is given, also marks the offsets in the folded
// text where a word of the original starts (see Script).
std::string Fold(std::string_view text, std::vector<bool>* wordStarts) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  if (wordStarts) wordStarts->clear();
  Script previous = Script::kBreak;
  bool previousLower = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t width = CharWidth(text, pos);
    auto byte = static_cast<unsigned char>(text[pos]);
    std::size_t start = out.size();

    Script script;
    bool upper;
    if (width == 2) {
      auto trail = static_cast<unsigned char>(text[pos + 1]);
      script = DoubleByteScript(byte, trail);
      upper = byte == 0x82 && trail >= 0x60 && trail <= 0x79;
      if (char ascii = WideToAscii(byte, trail)) {
        out += ascii;
      } else if (byte == 0x82 && trail >= 0x9F && trail <= 0xF1) {
        AppendCode(out, HiraganaToKatakana(trail));
      } else if (byte == 0x81 && (trail == 0x54 || trail == 0x55)) {  // ゝゞ
        AppendCode(out, 0x8100 | (trail - 2));                        // ヽヾ
      } else {
        out.append(text.substr(pos, 2));
      }
    } else {
      script = SingleByteScript(byte);
      upper = byte >= 'A' && byte <= 'Z';
      if (byte >= 'A' && byte <= 'Z') {
        out += static_cast<char>(byte - 'A' + 'a');
      } else if (byte >= 0xA1 && byte <= 0xDF) {
        unsigned char next = pos + 1 < text.size() ? static_cast<unsigned char>(text[pos + 1]) : 0;
        width += FoldHalfWidthKana(byte, next, out);
      } else {
        out += static_cast<char>(byte);
      }
    }

    if (wordStarts) {
      bool starts = false;
      if (script == Script::kContinue) {
        // A mark after a sign (or at the start) begins a word of its own.
        starts = previous == Script::kBreak;
        script = starts ? Script::kOther : previous;
      } else if (script != Script::kBreak) {
        starts = script != previous || (script == Script::kLatin && upper && previousLower);
      }
      wordStarts->resize(out.size(), false);
      (*wordStarts)[start] = starts;
      previousLower = script == Script::kLatin && !upper;
      previous = script;
    }
    pos += width;
  }
  return out;
}

// ---------------------------------------------------------------------------
// Romaji
//
// A word of ASCII letters is also read as the kana it spells. The reading is
// not converted to one string: the rules are tried against the folded text
// itself, so that every spelling people type (Hepburn and kunrei, "n" and
// "nn", a doubled consonant for ッ) finds the same katakana.

struct RomajiRule {
  const char* romaji;
  const char* kana;  // katakana, as the folded text holds it
};

constexpr RomajiRule kRomajiRules[] = {
    {"a", "ア"}, {"i", "イ"}, {"u", "ウ"}, {"e", "エ"}, {"o", "オ"},
    {"ka", "カ"}, {"ki", "キ"}, {"ku", "ク"}, {"ke", "ケ"}, {"ko", "コ"},
    {"kya", "キャ"}, {"kyi", "キィ"}, {"kyu", "キュ"}, {"kye", "キェ"}, {"kyo", "キョ"},
    {"ca", "カ"}, {"ci", "シ"}, {"cu", "ク"}, {"ce", "セ"}, {"co", "コ"},
    {"ga", "ガ"}, {"gi", "ギ"}, {"gu", "グ"}, {"ge", "ゲ"}, {"go", "ゴ"},
    {"gya", "ギャ"}, {"gyi", "ギィ"}, {"gyu", "ギュ"}, {"gye", "ギェ"}, {"gyo", "ギョ"},
    {"sa", "サ"}, {"si", "シ"}, {"shi", "シ"}, {"su", "ス"}, {"se", "セ"}, {"so", "ソ"},
    {"sya", "シャ"}, {"sha", "シャ"}, {"syu", "シュ"}, {"shu", "シュ"},
    {"sye", "シェ"}, {"she", "シェ"}, {"syo", "ショ"}, {"sho", "ショ"},
    {"za", "ザ"}, {"zi", "ジ"}, {"zu", "ズ"}, {"ze", "ゼ"}, {"zo", "ゾ"},
    {"zya", "ジャ"}, {"zyu", "ジュ"}, {"zye", "ジェ"}, {"zyo", "ジョ"},
    {"ji", "ジ"}, {"ja", "ジャ"}, {"ju", "ジュ"}, {"je", "ジェ"}, {"jo", "ジョ"},
    {"jya", "ジャ"}, {"jyu", "ジュ"}, {"jye", "ジェ"}, {"jyo", "ジョ"},
    {"ta", "タ"}, {"ti", "チ"}, {"chi", "チ"}, {"tu", "ツ"}, {"tsu", "ツ"}, {"te", "テ"}, {"to", "ト"},
    {"tya", "チャ"}, {"cha", "チャ"}, {"cya", "チャ"}, {"tyu", "チュ"}, {"chu", "チュ"}, {"cyu", "チュ"},
    {"tye", "チェ"}, {"che", "チェ"}, {"cye", "チェ"}, {"tyo", "チョ"}, {"cho", "チョ"}, {"cyo", "チョ"},
    {"thi", "ティ"}, {"thu", "テュ"}, {"twu", "トゥ"},
    {"tsa", "ツァ"}, {"tsi", "ツィ"}, {"tse", "ツェ"}, {"tso", "ツォ"},
    {"da", "ダ"}, {"di", "ヂ"}, {"du", "ヅ"}, {"de", "デ"}, {"do", "ド"},
    {"dya", "ヂャ"}, {"dyu", "ヂュ"}, {"dyo", "ヂョ"}, {"dhi", "ディ"}, {"dhu", "デュ"}, {"dwu", "ドゥ"},
    {"ji", "ヂ"}, {"zu", "ヅ"},  // the Hepburn spellings of ぢ and づ
    {"na", "ナ"}, {"ni", "ニ"}, {"nu", "ヌ"}, {"ne", "ネ"}, {"no", "ノ"},
    {"nya", "ニャ"}, {"nyu", "ニュ"}, {"nye", "ニェ"}, {"nyo", "ニョ"},
    {"nn", "ン"}, {"n'", "ン"}, {"xn", "ン"},
    {"ha", "ハ"}, {"hi", "ヒ"}, {"hu", "フ"}, {"fu", "フ"}, {"he", "ヘ"}, {"ho", "ホ"},
    {"hya", "ヒャ"}, {"hyu", "ヒュ"}, {"hye", "ヒェ"}, {"hyo", "ヒョ"},
    {"fa", "ファ"}, {"fi", "フィ"}, {"fe", "フェ"}, {"fo", "フォ"}, {"fyu", "フュ"},
    {"ba", "バ"}, {"bi", "ビ"}, {"bu", "ブ"}, {"be", "ベ"}, {"bo", "ボ"},
    {"bya", "ビャ"}, {"byu", "ビュ"}, {"byo", "ビョ"},
    {"pa", "パ"}, {"pi", "ピ"}, {"pu", "プ"}, {"pe", "ペ"}, {"po", "ポ"},
    {"pya", "ピャ"}, {"pyu", "ピュ"}, {"pyo", "ピョ"},
    {"va", "ヴァ"}, {"vi", "ヴィ"}, {"vu", "ヴ"}, {"ve", "ヴェ"}, {"vo", "ヴォ"},
    {"ma", "マ"}, {"mi", "ミ"}, {"mu", "ム"}, {"me", "メ"}, {"mo", "モ"},
    {"mya", "ミャ"}, {"myu", "ミュ"}, {"myo", "ミョ"},
    {"ya", "ヤ"}, {"yu", "ユ"}, {"ye", "イェ"}, {"yo", "ヨ"},
    {"ra", "ラ"}, {"ri", "リ"}, {"ru", "ル"}, {"re", "レ"}, {"ro", "ロ"},
    {"rya", "リャ"}, {"ryu", "リュ"}, {"ryo", "リョ"},
    {"wa", "ワ"}, {"wi", "ウィ"}, {"we", "ウェ"}, {"wo", "ヲ"}, {"who", "ウォ"},
    {"xa", "ァ"}, {"xi", "ィ"}, {"xu", "ゥ"}, {"xe", "ェ"}, {"xo", "ォ"},
    {"xya", "ャ"}, {"xyu", "ュ"}, {"xyo", "ョ"}, {"xtu", "ッ"}, {"xtsu", "ッ"},
    {"xwa", "ヮ"}, {"xka", "ヵ"}, {"xke", "ヶ"},
    {"la", "ァ"}, {"li", "ィ"}, {"lu", "ゥ"}, {"le", "ェ"}, {"lo", "ォ"},
    {"lya", "ャ"}, {"lyu", "ュ"}, {"lyo", "ョ"}, {"ltu", "ッ"}, {"ltsu", "ッ"}, {"lwa", "ヮ"},
};

constexpr char kSmallTsu[] = "ッ";
constexpr char kLongVowel[] = "ー";
constexpr char kSyllabicN[] = "ン";

struct Rule {
  std::string_view romaji;
  std::string_view kana;
};

// The rules by the first letter of their romaji.
const std::array<std::vector<Rule>, 26>& RulesByLetter() {
  static const std::array<std::vector<Rule>, 26> rules = [] {
    std::array<std::vector<Rule>, 26> byLetter;
    for (const RomajiRule& rule : kRomajiRules) {
      byLetter[static_cast<std::size_t>(rule.romaji[0] - 'a')].push_back({rule.romaji, rule.kana});
    }
    return byLetter;
  }();
  return rules;
}

bool IsVowel(char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o'; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }

// Whether a folded word may be romaji: ASCII letters, "-" (ー) and "'" (after n).
bool IsRomajiWord(std::string_view word) {
  bool letter = false;
  for (char c : word) {
    if (IsLetter(c)) letter = true;
    else if (c != '-' && c != '\'') return false;
  }
  return letter;
}

// Matches one romaji word against one folded text. Every way of reading the
// romaji is tried, so the result of each (romaji offset, text offset) pair is
// remembered once it failed: without that, a run of n's read as "n" + "n" or
// as "nn" would take exponential time. The text offsets tried are always
// character boundaries, since each rule consumes whole double-byte kana.
class RomajiMatcher {
 public:
  RomajiMatcher(std::string_view romaji, std::string_view text, std::vector<std::uint32_t>& failed,
                std::uint32_t& generation)
      : romaji_(romaji), text_(text), failed_(failed), stride_(text.size() + 1) {
    std::size_t need = (romaji.size() + 1) * stride_;
    if (failed_.size() < need) failed_.assign(need, 0);
    generation_ = ++generation;
  }

  // Whether the whole romaji matches kana starting at pos (a character boundary).
  bool MatchesAt(std::size_t pos) {
    auto lead = static_cast<unsigned char>(text_[pos]);
    if (lead != 0x83 && lead != 0x81) return false;  // every kana and ー start so
    return From(0, pos);
  }

 private:
  bool KanaAt(std::size_t pos, std::string_view kana) const {
    return text_.size() - pos >= kana.size() && text_.compare(pos, kana.size(), kana) == 0;
  }

  // Whether the rest of the romaji is the beginning of a rule whose kana stands at pos.
  bool CompletesAt(std::size_t ri, std::size_t pos) const {
    std::string_view rest = romaji_.substr(ri);
    for (const Rule& rule : RulesByLetter()[static_cast<std::size_t>(rest[0] - 'a')]) {
      if (rule.romaji.size() > rest.size() && rule.romaji.substr(0, rest.size()) == rest &&
          KanaAt(pos, rule.kana)) {
        return true;
      }
    }
    return false;
  }

  bool From(std::size_t ri, std::size_t pos) {
    if (ri == romaji_.size()) return true;
    if (pos >= text_.size()) return false;
    std::uint32_t& failed = failed_[ri * stride_ + pos];
    if (failed == generation_) return false;
    if (Step(ri, pos)) return true;
    failed = generation_;
    return false;
  }

  bool Step(std::size_t ri, std::size_t pos) {
    char c = romaji_[ri];
    bool last = ri + 1 == romaji_.size();
    char next = last ? '\0' : romaji_[ri + 1];
    if (c == '-') return KanaAt(pos, kLongVowel) && From(ri + 1, pos + 2);
    if (!IsLetter(c)) return false;  // "'" counts only in "n'"

    std::string_view rest = romaji_.substr(ri);
    for (const Rule& rule : RulesByLetter()[static_cast<std::size_t>(c - 'a')]) {
      if (!KanaAt(pos, rule.kana)) continue;
      if (rest.substr(0, rule.romaji.size()) == rule.romaji) {
        if (From(ri + rule.romaji.size(), pos + rule.kana.size())) return true;
      } else if (rule.romaji.size() > rest.size() && rule.romaji.substr(0, rest.size()) == rest) {
        return true;  // the word ends inside this syllable: "mem" is on its way to メモ
      }
    }
    // "n" before a consonant is ン ("kanji", "konnichiha"); before a vowel or
    // "y" it begins a syllable ("na", "nya"), and "n'" or "nn" writes ン there.
    if (c == 'n' && !last && !IsVowel(next) && next != 'y' && next != '\'' &&
        KanaAt(pos, kSyllabicN) && From(ri + 1, pos + 2)) {
      return true;
    }
    // A doubled consonant (or "tch") writes ッ. A consonant at the end of the
    // word may be the first of such a pair: "mat" is on its way to マッテ.
    if (c != 'n' && !IsVowel(c) && KanaAt(pos, kSmallTsu)) {
      if (last) return CompletesAt(ri, pos + 2);
      if (next == c || (c == 't' && next == 'c')) return From(ri + 1, pos + 2);
    }
    return false;
  }

  std::string_view romaji_;
  std::string_view text_;
  std::vector<std::uint32_t>& failed_;
  std::size_t stride_;
  std::uint32_t generation_;
};

// ---------------------------------------------------------------------------
// Matching and order

struct Word {
  std::string text;  // folded
  bool romaji;
};

// The words of a folded term. A lone lead byte at the end of a word is half
// of a character and is dropped, so that no match ends inside one.
std::vector<Word> SplitTerm(std::string_view folded) {
  std::vector<Word> words;
  std::size_t pos = 0;
  std::size_t wordStart = 0;
  auto finish = [&](std::size_t end) {
    std::string_view word = folded.substr(wordStart, end - wordStart);
    if (!word.empty() && IsSjisLeadByte(static_cast<unsigned char>(word.back())) &&
        SjisCutLength(word, word.size() - 1) == word.size() - 1) {
      word.remove_suffix(1);
    }
    if (!word.empty()) words.push_back({std::string(word), IsRomajiWord(word)});
  };
  while (pos < folded.size()) {
    std::size_t width = CharWidth(folded, pos);
    if (width == 1 && folded[pos] == ' ') {
      finish(pos);
      wordStart = pos + 1;
    }
    pos += width;
  }
  finish(folded.size());
  return words;
}

// Where a word occurs in a text, best first.
enum class Place { kStart, kWordStart, kInside, kNowhere };

// Scratch space shared by the matches of one search.
struct MatchScratch {
  std::vector<std::uint32_t> failed;
  std::uint32_t generation = 0;
};

// The best place of word in text; with wordStarts null, whether it occurs at
// all (kStart standing for "somewhere"). Matches begin only on character
// boundaries, and a word of whole characters then also ends on one.
Place FindWord(std::string_view text, const std::vector<bool>* wordStarts, const Word& word,
               MatchScratch& scratch) {
  std::string_view literal = word.text;
  std::optional<RomajiMatcher> romaji;
  if (word.romaji) romaji.emplace(literal, text, scratch.failed, scratch.generation);
  Place best = Place::kNowhere;
  for (std::size_t pos = 0; pos < text.size(); pos += CharWidth(text, pos)) {
    bool found = (text.size() - pos >= literal.size() && text[pos] == literal[0] &&
                  text.compare(pos, literal.size(), literal) == 0) ||
                 (romaji && romaji->MatchesAt(pos));
    if (!found) continue;
    if (!wordStarts || pos == 0) return Place::kStart;
    if ((*wordStarts)[pos]) return Place::kWordStart;
    best = Place::kInside;
  }
  return best;
}

// The best place of word in the entry's name or in its reading; with
// places false, whether either holds it at all.
template <typename Entry>
Place FindInName(const Entry& entry, const Word& word, MatchScratch& scratch, bool places) {
  Place place = FindWord(entry.foldedName, places ? &entry.nameWordStarts : nullptr, word, scratch);
  if (place == Place::kStart || entry.foldedReading.empty()) return place;
  return std::min(place, FindWord(entry.foldedReading, places ? &entry.readingWordStarts : nullptr, word, scratch));
}

struct Ranked {
  std::size_t index;
  Place place;  // kNowhere: only the target holds the term
};

}  // namespace

std::string FoldForFind(std::string_view text) { return Fold(text, nullptr); }

void QuickFindIndex::UseReadings(std::shared_ptr<const NameReadings> readings) {
  readings_ = std::move(readings);
  readingsTaken_ = 0;
}

void QuickFindIndex::Clear() {
  items_.clear();
  readingsTaken_ = 0;
}

void QuickFindIndex::Add(FindItem item) {
  readingsTaken_ = 0;  // the new entry takes up every reading known
  Entry entry;
  entry.foldedName = Fold(item.name, &entry.nameWordStarts);
  entry.foldedTarget = Fold(item.target, nullptr);
  entry.item = std::move(item);
  items_.push_back(std::move(entry));
}

// The readings learnt since the last search, folded into the entries of
// their names.
void QuickFindIndex::TakeUpReadings() const {
  if (!readings_) return;
  std::vector<std::pair<std::string, std::string>> learnt;
  readingsTaken_ = readings_->KnownSince(readingsTaken_, learnt);
  if (learnt.empty()) return;
  std::map<std::string_view, std::string_view> byName;
  for (const auto& [name, reading] : learnt) byName[name] = reading;  // a later one replaces an earlier
  for (const Entry& entry : items_) {
    auto known = byName.find(entry.item.name);
    if (known != byName.end()) entry.foldedReading = Fold(known->second, &entry.readingWordStarts);
  }
}

// An item is found when each word occurs in its name or its target; the
// name's reading counts as the name. Its class is where the term's first
// word stands in the name or its reading, whichever is better (at the start,
// at the start of a word, inside), as long as the name holds every word; an
// item that needs its target for any word comes last, whatever its name
// holds. Within a class, the sources keep their order. So "google map" puts "Google Maps" first and "Maps by Google"
// second, while "メモ pdf" puts a "メモ" item whose target holds the "pdf"
// among those only the target finds.
std::vector<std::size_t> QuickFindIndex::Search(std::string_view term) const {
  TakeUpReadings();
  std::vector<Word> words = SplitTerm(FoldForFind(term));
  std::vector<std::size_t> found;
  if (words.empty()) return found;

  MatchScratch scratch;
  std::vector<Ranked> ranked;
  for (std::size_t index = 0; index < items_.size(); ++index) {
    const Entry& entry = items_[index];
    Place place = FindInName(entry, words[0], scratch, true);
    bool nameHoldsAll = place != Place::kNowhere;
    bool matches = nameHoldsAll || FindWord(entry.foldedTarget, nullptr, words[0], scratch) != Place::kNowhere;
    for (std::size_t w = 1; w < words.size() && matches; ++w) {
      if (FindInName(entry, words[w], scratch, false) != Place::kNowhere) continue;
      nameHoldsAll = false;
      matches = FindWord(entry.foldedTarget, nullptr, words[w], scratch) != Place::kNowhere;
    }
    if (matches) ranked.push_back({index, nameHoldsAll ? place : Place::kNowhere});
  }

  // Never launched (-1) after every launched item.
  auto recencyKey = [](int recency) { return recency < 0 ? INT_MAX : recency; };
  std::sort(ranked.begin(), ranked.end(), [&](const Ranked& a, const Ranked& b) {
    if (a.place != b.place) return a.place < b.place;
    const Entry& x = items_[a.index];
    const Entry& y = items_[b.index];
    if (x.item.source != y.item.source) return x.item.source < y.item.source;
    int rx = recencyKey(x.item.recency), ry = recencyKey(y.item.recency);
    if (rx != ry) return rx < ry;
    if (x.item.list != y.item.list) return x.item.list < y.item.list;
    if (int order = x.foldedName.compare(y.foldedName)) return order < 0;
    if (int order = x.item.name.compare(y.item.name)) return order < 0;
    return a.index < b.index;
  });
  found.reserve(ranked.size());
  for (const Ranked& r : ranked) found.push_back(r.index);
  return found;
}
