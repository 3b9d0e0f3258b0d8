// How long one keystroke's search takes over 5,000 entries of the four
// lists' kinds and of the other sources (1,250 programs, files, URLs and mail
// addresses, their sources told apart) with Japanese and ASCII names and
// targets, searched for the terms a user types on the way to
// "memo" and a few others. Prints the median of each term and of all of
// them; the goal is under 1 ms.
//
// Usage: quick_find_bench [rounds, at least 1; 201 by default]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "items/quick_find.h"

namespace {

constexpr int kItemsPerList = 1250;

// <chrono> does not build with a Shift-JIS execution character set.
double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

template <std::size_t N>
const char* Pick(const char* const (&pool)[N], int i) {
  return pool[static_cast<std::size_t>(i) % N];
}

// Names and targets of the kinds people keep: a mix of kanji, katakana,
// hiragana, half-width kana, full-width and ASCII letters.
void Fill(QuickFindIndex& index) {
  const char* const programs[] = {"メモ帳", "ペイント", "電卓", "表計算", "ワープロ", "ｴｸｽﾌﾟﾛｰﾗｰ",
                                  "Text Editor", "Media Player", "画像ビューア", "辞書引き", "PDF閲覧",
                                  "ＦＴＰクライアント", "音声録音", "きろくちょう", "Zip圧縮"};
  const char* const files[] = {"議事録", "見積書", "請求書", "ｷﾞｼﾞﾛｸ", "会議メモ", "旅行の計画",
                               "家計簿", "Readme", "年賀状の住所録", "レシピ集", "Report", "ぎじろく",
                               "点字の練習", "Minutes", "説明書"};
  const char* const extensions[] = {".docx", ".xlsx", ".pdf", ".txt", ".csv"};
  const char* const sites[] = {"天気予報", "ニュース", "ラジオ", "図書館", "ネットバンク", "地図",
                               "Weather", "辞書", "時刻表", "ﾆｭｰｽ速報", "お知らせ", "Blog", "点字図書館",
                               "メモの書き方", "Online Shop"};
  const char* const people[] = {"山田 太郎", "鈴木 花子", "佐藤 一郎", "たなか ゆみ", "ｲﾄｳ ｹﾝ",
                                "高橋 真理子", "John Smith", "渡辺 直樹", "中村 めぐみ", "小林 修",
                                "加藤 さくら", "Support", "吉田 誠", "山本 恵", "松本 翔"};
  const char* const mailUsers[] = {"taro.yamada", "hanako", "ichiro.sato", "yumi-t", "ken.ito",
                                   "mariko", "john", "naoki.w", "megumi", "osamu.k"};
  char number[16];
  for (int i = 0; i < kItemsPerList; ++i) {
    std::snprintf(number, sizeof(number), "%d", i);
    std::string n = number;
    index.Add({std::string(Pick(programs, i)) + " " + n,
               "C:\\Program Files\\Tools" + n + "\\" + "app" + n + ".exe", 0, i % 7 == 0 ? i / 7 : -1, i % 2});
    index.Add({std::string(Pick(files, i)) + "_" + n,
               "C:\\Users\\yamada\\Documents\\仕事\\" + std::string(Pick(files, i + 3)) + n + Pick(extensions, i),
               1, -1, i % 3 == 0 ? 2 : 0});
    index.Add({std::string(Pick(sites, i)) + n, "https://www.example" + n + ".jp/news/index.html?page=" + n, 2,
               -1, i % 5 == 0 ? 3 : 0});
    index.Add({std::string(Pick(people, i)) + n,
               std::string(Pick(mailUsers, i)) + n + "@mail.example.co.jp", 3, -1});
  }
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 201;
  if (rounds < 1) {
    std::fprintf(stderr, "usage: quick_find_bench [rounds, at least 1]\n");
    return 1;
  }
  QuickFindIndex index;
  double addStart = NowMs();
  Fill(index);
  double addMs = NowMs() - addStart;

  const char* const terms[] = {"m", "me", "mem", "memo", "メモ", "pdf", "ｷﾞｼﾞ", "gijiroku", "yamada taro"};
  const char* const labels[] = {"m", "me", "mem", "memo", "(katakana memo)", "pdf", "(half-width giji)",
                                "gijiroku", "yamada taro"};
  std::vector<double> all;
  std::printf("%zu items, folded in %.2f ms\n", index.size(), addMs);
  for (std::size_t t = 0; t < sizeof(terms) / sizeof(terms[0]); ++t) {
    std::vector<double> times;
    std::size_t found = 0;
    for (int round = 0; round < rounds; ++round) {
      double start = NowMs();
      found = index.Search(terms[t]).size();
      times.push_back(NowMs() - start);
    }
    all.insert(all.end(), times.begin(), times.end());
    std::printf("%-20s %5zu found  median %.3f ms\n", labels[t], found, Median(times));
  }
  double median = Median(all);
  std::printf("all terms            median %.3f ms (goal under 1 ms)\n", median);
  return 0;
}
