// The key list "command.txt" is rendered from CommandTable and must equal the
// committed docs/command.txt, so the shipped list never drifts from the menus
// and accelerators. The manual must name every command of the menu bar.
//
// After a change of menus or keys, rewrite docs/command.txt with
//   HD_WRITE_KEY_LIST=1 ./unit_tests --gtest_filter='HelpDocuments.*'
// in a native build folder, and read the difference before committing it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include "app/command_table.h"
#include "resources/command_ids.h"

namespace {

// ---- the documents in the source tree (UTF-8, LF) ----

std::string SourceRoot() {
  std::string here = __FILE__;
  std::size_t cut = here.rfind("tests");
  return cut == std::string::npos ? std::string() : here.substr(0, cut);
}

std::optional<std::string> ReadText(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
#ifdef _WIN32
  if (file == nullptr && !path.empty() && path[0] == '/') file = std::fopen(("Z:" + path).c_str(), "rb");
#endif
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

// ---- UTF-8 <-> Shift-JIS: the program's texts are Shift-JIS, the sources UTF-8 ----

#ifdef _WIN32
std::optional<std::string> Convert(const std::string& text, UINT from, UINT to) {
  if (text.empty()) return std::string();
  int units = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
  BOOL lost = FALSE;
  int bytes = WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, to == CP_UTF8 ? nullptr : &lost);
  if (bytes <= 0 || lost) return std::nullopt;
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(to, 0, wide.data(), units, out.data(), bytes, nullptr, nullptr);
  return out;
}
std::optional<std::string> Utf8ToSjis(const std::string& text) { return Convert(text, CP_UTF8, 932); }
std::optional<std::string> SjisToUtf8(const std::string& text) { return Convert(text, 932, CP_UTF8); }
#else
std::optional<std::string> Convert(const std::string& text, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = text;
  std::string out(text.size() * 2 + 16, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}
std::optional<std::string> Utf8ToSjis(const std::string& text) { return Convert(text, "UTF-8", "CP932"); }
std::optional<std::string> SjisToUtf8(const std::string& text) { return Convert(text, "CP932", "UTF-8"); }
#endif

// ---- the key list ----

// "ファイルの追加(&A)\tF4" -> "ファイルの追加"; the access letter goes to *access.
std::string PlainMenuText(std::string_view text, char* access = nullptr) {
  std::size_t tab = text.find('\t');
  if (tab != std::string_view::npos) text = text.substr(0, tab);
  std::size_t amp = text.find("(&");
  if (amp != std::string_view::npos && amp + 3 < text.size() + 1) {
    if (access != nullptr && amp + 2 < text.size()) *access = text[amp + 2];
    text = text.substr(0, amp);
  }
  return std::string(text);
}

std::string KeyText(const std::string& key) { return key == "Apps" ? "アプリケーションキー" : key; }

// Commands that stand on no menu of the menu bar.
const std::map<int, const char*> kKeyOnlyCommands = {
    {IDM_RUN, "選んだ項目を実行する（URLは開く、メールアドレスはメーラーを起動する）"},
    {IDM_RUN_SPECIAL, "管理者として実行する（URLはブラウザを選んで開く）"},
    {IDM_SHOW_MAIN_WINDOW, "メインウィンドウを表示する（通知領域のアイコンのメニュー）"},
    {IDM_CONTEXT_MENU, "リストのメニューを開く"},
    {IDM_NEXT_LIST, "次のリストへ移る"},
    {IDM_PREVIOUS_LIST, "前のリストへ移る"},
};

constexpr const char* kHeader[] = {
    "Hopdeck キーボードコマンド一覧",
    "",
    "メインウィンドウで使うキーを、メニューの並びの順に挙げます。",
    "各行は「コマンド名（メニューで選ぶときの文字）: キー」の形です。",
    "キーのないコマンドは、Altキーでメニューバーに移り、メニューの文字、コマンドの文字の順に押して選びます。",
    "",
    "■どこからでも使えるキー",
    "Hopdeckを呼び出す: Control+Shift+M（文字は全般設定で変えられます）",
};

constexpr const char* kFooter[] = {
    "",
    "■ネットラジオURLメニュー（Alt+N）",
    "ラジオ局のページを開くコマンドだけのメニューで、キーはありません。矢印キーで局を選び、Enterで開きます。",
    "",
    "■ダイアログの中で使うキー",
    "実行履歴とお気に入り一覧: Enterで実行、Shift+Enterで管理者として実行（URLはブラウザを選んで開く）、Deleteで選んだ行を削除",
    "Velmora、Windows標準ユーティリティ、Windowsの設定項目、Windows 10のPC設定、特殊フォルダ: Enterで起動してダイアログはそのまま、Control+Enterで起動してダイアログを閉じる",
    "起動中ソフトの一覧: Enterで選んだソフトに切り替える",
    "すべてのリストから検索: Enterで実行、Shift+Enterで管理者として実行（URLはブラウザを選んで開く）、Alt+Dでスタートメニューやデスクトップのショートカットをリストに追加",
    "送るメニューの整理: Deleteで選んだショートカットを削除",
    "どのダイアログも: Escapeで閉じる",
};

// The key list in Shift-JIS (the menu texts and these literals both are)
// with LF line ends; nullopt (and a failure) when a command cannot be rendered.
std::optional<std::string> RenderKeyList() {
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\n"; };
  for (const char* text : kHeader) line(text);

  std::string popup;
  bool keyOnlyStarted = false;
  for (const CommandRow& row : CommandTable()) {
    std::string keys;
    for (const std::string& key : row.keys) keys += (keys.empty() ? "" : " または ") + KeyText(key);
    if (keys.empty()) keys = "キーなし";

    if (row.popup.empty()) {
      auto description = kKeyOnlyCommands.find(row.id);
      if (description == kKeyOnlyCommands.end()) {
        ADD_FAILURE() << "command " << row.id << " stands on no menu and has no description in the key list";
        return std::nullopt;
      }
      if (!keyOnlyStarted) {
        line("");
        line("■リストの上で使うキー（メニューバーにないもの）");
        keyOnlyStarted = true;
      }
      line(std::string(description->second) + ": " + keys);
      continue;
    }

    if (row.popup != popup) {
      popup = row.popup;
      char access = 0;
      std::string name = PlainMenuText(popup, &access);
      line("");
      line("■" + name + "メニュー" + (access ? std::string("（Alt+") + access + "）" : std::string()));
    }
    char access = 0;
    std::string name = PlainMenuText(row.text, &access);
    line(name + (access ? std::string("（") + access + "）" : std::string()) + ": " + keys);
  }
  for (const char* text : kFooter) line(text);
  return out;
}

TEST(HelpDocuments, KeyListMatchesTheCommandTable) {
  std::optional<std::string> sjis = RenderKeyList();
  ASSERT_TRUE(sjis.has_value());
  std::optional<std::string> rendered = SjisToUtf8(*sjis);
  ASSERT_TRUE(rendered.has_value()) << "a menu text is not Shift-JIS";
  const std::string path = SourceRoot() + "docs/command.txt";

  if (const char* write = std::getenv("HD_WRITE_KEY_LIST"); write != nullptr && write[0] == '1') {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(rendered->data(), 1, rendered->size(), file);
    std::fclose(file);
  }

  std::optional<std::string> committed = ReadText(path);
  ASSERT_TRUE(committed.has_value()) << "cannot read " << path;
  EXPECT_EQ(*committed, *rendered) << "docs/command.txt is out of date; see the top of " << __FILE__;
}

TEST(HelpDocuments, ManualExplainsEveryMenuCommandAndShipsAsShiftJis) {
  std::optional<std::string> source = ReadText(SourceRoot() + "docs/manual.txt");
  ASSERT_TRUE(source.has_value());
  EXPECT_EQ(source->find('\r'), std::string::npos) << "the source keeps LF; the build writes CR LF";
  std::optional<std::string> manual = Utf8ToSjis(*source);
  ASSERT_TRUE(manual.has_value()) << "the manual holds a character Shift-JIS cannot carry";

  std::string lastPopup;
  for (const CommandRow& row : CommandTable()) {
    if (row.popup.empty()) continue;
    std::string name = PlainMenuText(row.text);
    EXPECT_NE(manual->find(name), std::string::npos)
        << "the manual does not name command " << row.id << " " << SjisToUtf8(name).value_or("?");
    for (const std::string& key : row.keys) {
      EXPECT_NE(manual->find(KeyText(key)), std::string::npos) << "the manual never names the key " << key;
    }
    if (row.popup != lastPopup) {
      lastPopup = row.popup;
      std::string popup = PlainMenuText(row.popup);
      EXPECT_NE(manual->find(popup), std::string::npos)
          << "the manual does not name the menu " << SjisToUtf8(popup).value_or("?");
    }
  }
}

}  // namespace
