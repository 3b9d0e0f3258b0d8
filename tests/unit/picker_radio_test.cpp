// The net-radio menu's addresses: every id with the one address it opens,
// written out station by station.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "pickers/radio_pages.h"

namespace {

std::map<int, std::string> ExpectedRadioPages() {
  std::map<int, std::string> pages;
  const char* channels[] = {"r1", "r2", "fm"};
  const char* areas[] = {"sapporo", "sendai", "tokyo", "nagoya", "osaka", "hiroshima", "matsuyama", "fukuoka"};
  for (int channel = 0; channel < 3; ++channel) {
    for (int area = 0; area < 8; ++area) {
      pages[601 + 8 * channel + area] = std::string("http://www3.nhk.or.jp/netradio/player/index.html?ch=") +
                                        channels[channel] + "&area=" + areas[area];
    }
  }
  pages[625] = "http://radiko.jp/reader/";
  pages[626] = "http://radiko.jp/";
  const std::pair<int, const char*> stations[] = {
      {701, "HBC"}, {702, "STV"}, {703, "AIR-G"}, {704, "NORTHWAVE"},
      {705, "RAB"}, {706, "AFB"}, {707, "IBC"}, {708, "FMI"},
      {709, "TBC"}, {710, "DATEFM"}, {711, "ABS"}, {712, "YBC"},
      {713, "RFC"}, {714, "FMF"}, {715, "TBS"}, {716, "QRR"},
      {717, "LFR"}, {718, "INT"}, {719, "FMT"}, {720, "FMJ"},
      {721, "JORF"}, {722, "BAYFM78"}, {723, "NACK5"}, {724, "YFM"},
      {725, "IBS"}, {726, "CRT"}, {727, "RADIOBERRY"}, {728, "FMGUNMA"},
      {729, "BSN"}, {730, "FMNIIGATA"}, {731, "FMPORT"}, {732, "KNB"},
      {733, "FMTOYAMA"}, {734, "MRO"}, {735, "HELLOFIVE"}, {736, "FBC"},
      {737, "FMFUKUI"}, {738, "YBS"}, {739, "FM-FUJI"}, {740, "SBC"},
      {741, "FMN"}, {742, "CBC"}, {743, "TOKAIRADIO"}, {744, "GBS"},
      {745, "ZIP-FM"}, {746, "RADIONEO"}, {747, "FMAICHI"}, {748, "FMGIFU"},
      {749, "SBS"}, {750, "K-MIX"}, {751, "FMMIE"}, {752, "ABC"},
      {753, "MBS"}, {754, "OBC"}, {755, "CCL"}, {756, "802"},
      {757, "FMO"}, {758, "CRK"}, {759, "KISSFMKOBE"}, {760, "E-RADIO"},
      {761, "KBS"}, {762, "ALPHA-STATION"}, {763, "WBS"}, {764, "BSS"},
      {765, "RSK"}, {766, "RCC"}, {767, "HFM"}, {768, "KRY"},
      {769, "FMY"}, {770, "JRT"}, {771, "RNC"}, {772, "FMKAGAWA"},
      {773, "RNB"}, {774, "JOEU-FM"}, {775, "RKC"}, {776, "RKB"},
      {777, "KBC"}, {778, "LOVEFM"}, {779, "CROSSFM"}, {780, "FMFUKUOKA"},
      {781, "NBC"}, {782, "FMNAGASAKI"}, {783, "RKK"}, {784, "FMK"},
      {785, "OBS"}, {786, "FM_OITA"}, {787, "MRT"}, {788, "MBC"},
      {789, "MYUFM"}, {790, "RBC"}, {791, "ROK"}, {792, "FM_OKINAWA"},
  };
  for (const auto& [id, code] : stations) pages[id] = std::string("http://radiko.jp/#!/live/") + code;
  return pages;
}

TEST(RadioPages, EveryIdOpensExactlyItsAddress) {
  const std::map<int, std::string> expected = ExpectedRadioPages();
  ASSERT_EQ(expected.size(), 26u + 92u);
  EXPECT_EQ(expected.at(614), "http://www3.nhk.or.jp/netradio/player/index.html?ch=r2&area=hiroshima");

  // The table holds each id with its address, and nothing else.
  std::map<int, int> rows;
  for (std::size_t i = 0; i < kRadioPageCount; ++i) {
    const RadioPage& page = kRadioPages[i];
    ASSERT_EQ(expected.count(page.id), 1u) << "unexpected id " << page.id;
    EXPECT_EQ(page.address, expected.at(page.id)) << page.id;
    ++rows[page.id];
  }
  for (const auto& [id, address] : expected) {
    ASSERT_NE(RadioAddress(id), nullptr) << id;
    EXPECT_EQ(RadioAddress(id), address) << id;
    // The public broadcaster's pages stand in the menu by channel and by area.
    EXPECT_EQ(rows[id], id <= 624 ? 2 : 1) << id;
  }
  EXPECT_EQ(rows.size(), expected.size());
  for (int id : {0, 600, 627, 700, 793, 524}) EXPECT_EQ(RadioAddress(id), nullptr) << id;
}

}  // namespace
