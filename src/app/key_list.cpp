#include "app/key_list.h"

#include <map>
#include <string_view>

#include "app/command_table.h"
#include "resources/command_ids.h"

namespace {

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

}  // namespace

std::string PlainMenuText(std::string_view text, char* access) {
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

// The menu texts and these literals both are Shift-JIS.
std::string RenderKeyList(std::string* problem) {
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\r\n"; };
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
        if (problem != nullptr) {
          *problem = "command " + std::to_string(row.id) + " stands on no menu and has no description in the key list";
        }
        return {};
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
