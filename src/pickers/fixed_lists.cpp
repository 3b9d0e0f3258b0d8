#include "pickers/fixed_lists.h"

#include <iterator>

#include "platform/sjis.h"

// The build sets the maker's site; a string literal, so the pages below are
// constants whose length the compiler checks against their fields.
#ifndef HD_SITE_BASE
#define HD_SITE_BASE "https://www.velmora.example"
#endif

#define HD_MAKER_ROW(name, slug, folder, exe)                                        \
  {name, HD_SITE_BASE "/" slug "/", "C:\\Program Files\\Velmora\\" folder "\\" exe, \
   "C:\\Program Files (x86)\\Velmora\\" folder "\\" exe}

const MakerRow kMakerRows[10] = {
    HD_MAKER_ROW("Hopdeck", "hopdeck", "Hopdeck", "Hopdeck.exe"),
    HD_MAKER_ROW("Quillpad テキストエディタ", "quillpad", "Quillpad", "Quillpad.exe"),
    HD_MAKER_ROW("Ledgerly 家計簿", "ledgerly", "Ledgerly", "Ledgerly.exe"),
    HD_MAKER_ROW("Murmur メール", "murmur", "Murmur", "Murmur.exe"),
    HD_MAKER_ROW("Lanternview 画面拡大", "lanternview", "Lanternview", "Lanternview.exe"),
    HD_MAKER_ROW("Echoline 録音", "echoline", "Echoline", "Echoline.exe"),
    HD_MAKER_ROW("Wayfarer 乗換案内", "wayfarer", "Wayfarer", "Wayfarer.exe"),
    HD_MAKER_ROW("Tidewatch 天気予報", "tidewatch", "Tidewatch", "Tidewatch.exe"),
    HD_MAKER_ROW("Pagewise 点字エディタ", "pagewise", "Pagewise", "Pagewise.exe"),
    HD_MAKER_ROW("Castwell ポッドキャスト", "castwell", "Castwell", "Castwell.exe"),
};

#undef HD_MAKER_ROW

const FixedRow kUtilityRows[10] = {
    {"Microsoft Edge", "msedge"},
    {"メモ帳", "notepad"},
    {"ワードパッド", "wordpad"},
    {"エクスプローラ", "explorer"},
    {"Windows Media Player", "wmplayer"},
    {"ナレーター", "narrator"},
    {"拡大鏡", "magnify"},
    {"Word（Microsoft Office）", "winword"},
    {"Excel（Microsoft Office）", "excel"},
    {"ファイル名を指定して実行", "Shell:::{2559a1f3-21d7-11d4-bdaf-00c04f60b9f0}"},
};

const FixedRow kControlPanelRows[11] = {
    {"コントロールパネル", "control"},
    {"プログラムの追加と削除", "appwiz.cpl"},
    {"ディスククリーンアップ", "cleanmgr"},
    {"インターネットオプション", "inetcpl.cpl"},
    {"マウスのプロパティ", "main.cpl"},
    {"サウンドとオーディオデバイスのプロパティ", "mmsys.cpl"},
    {"ボリュームコントロール", "sndvol"},
    {"レジストリエディタ", "regedit"},
    {"地域と言語のオプション", "intl.cpl"},
    {"日付と時刻", "timedate.cpl"},
    {"電源オプション", "powercfg.cpl"},
};

const FixedRow kPcSettingsRows[11] = {
    {"設定", "ms-settings:"},
    {"アプリと機能", "ms-settings:appsfeatures"},
    {"Web サイト用のアプリ", "ms-settings:appsforwebsites"},
    {"既定のアプリ", "ms-settings:defaultapps"},
    {"ハイコントラスト", "ms-settings:easeofaccess-highcontrast"},
    {"拡大鏡", "ms-settings:easeofaccess-magnifier"},
    {"ナレーター", "ms-settings:easeofaccess-narrator"},
    {"電源とスリープ", "ms-settings:powersleep"},
    {"音声認識", "ms-settings:speech"},
    {"Windows Defender", "ms-settings:windowsdefender"},
    {"Windows Update・更新プログラムのチェック", "ms-settings:windowsupdate-action"},
};

const FolderRow kFolderRows[12] = {
    {"PC", "shell:MyComputerFolder"},
    {"ユーザーフォルダ", "shell:UserProfiles"},
    {"マイドキュメント", "shell:Personal"},
    {"デスクトップ", "shell:Desktop"},
    {"マイピクチャー", "shell:My Pictures"},
    {"マイビデオ", "shell:My Video"},
    {"マイミュージック", "shell:My Music"},
    {"ダウンロード", "shell:Downloads"},
    {"お気に入り", "shell:Favorites"},
    {"スタートメニュー", "shell:Start Menu"},
    {"スタートアップ", "shell:Startup"},
    {"ごみ箱", "shell:RecycleBinFolder"},
};

namespace {

// The name and command of a row, read as the shell will read them.
template <typename Row>
std::string_view NameOf(const Row& row) {
  return FieldText(row.name, sizeof(row.name));
}
template <typename Row>
std::string_view CommandOf(const Row& row) {
  return FieldText(row.command, sizeof(row.command));
}

template <typename Row, std::size_t N>
std::vector<std::string_view> NamesOf(const Row (&rows)[N]) {
  std::vector<std::string_view> names;
  names.reserve(N);
  for (const Row& row : rows) names.push_back(NameOf(row));
  return names;
}

template <typename Row, std::size_t N>
FixedLaunch CommandLaunch(const Row (&rows)[N], std::size_t row) {
  if (row >= N) return {};
  return {std::string(CommandOf(rows[row])), std::string(NameOf(rows[row]))};
}

FixedLaunch MakerLaunch(std::size_t index, const std::function<bool(const std::string&)>& fileExists) {
  if (index >= std::size(kMakerRows)) return {};
  const MakerRow& row = kMakerRows[index];
  std::string name(NameOf(row));
  for (const auto& field : {row.programFiles, row.programFilesX86}) {
    std::string path(FieldText(field, kMakerPathBytes));
    if (fileExists(path)) return {path, name};
  }
  return {std::string(FieldText(row.page, sizeof(row.page))), name};
}

}  // namespace

const char* FixedListDialogName(int commandId) {
  switch (commandId) {
    case IDM_FIXED_MAKER: return "HDDialog";
    case IDM_FIXED_UTILITIES: return "UDialog";
    case IDM_FIXED_CONTROL_PANEL: return "WDialog";
    case IDM_FIXED_PC_SETTINGS: return "W10Dialog";
    case IDM_FIXED_FOLDERS: return "FDialog";
    default: return nullptr;
  }
}

std::vector<std::string_view> FixedListNames(int commandId) {
  switch (commandId) {
    case IDM_FIXED_MAKER: return NamesOf(kMakerRows);
    case IDM_FIXED_UTILITIES: return NamesOf(kUtilityRows);
    case IDM_FIXED_CONTROL_PANEL: return NamesOf(kControlPanelRows);
    case IDM_FIXED_PC_SETTINGS: return NamesOf(kPcSettingsRows);
    case IDM_FIXED_FOLDERS: return NamesOf(kFolderRows);
    default: return {};
  }
}

FixedLaunch ResolveFixedLaunch(int commandId, std::size_t row,
                               const std::function<bool(const std::string&)>& fileExists) {
  switch (commandId) {
    case IDM_FIXED_MAKER: return MakerLaunch(row, fileExists);
    case IDM_FIXED_UTILITIES: return CommandLaunch(kUtilityRows, row);
    case IDM_FIXED_CONTROL_PANEL: return CommandLaunch(kControlPanelRows, row);
    case IDM_FIXED_PC_SETTINGS: return CommandLaunch(kPcSettingsRows, row);
    case IDM_FIXED_FOLDERS: return CommandLaunch(kFolderRows, row);
    default: return {};
  }
}
