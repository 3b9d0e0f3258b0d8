// What the help menu shows (Shift-JIS once compiled).
#pragma once

constexpr char kVersionCaption[] = "バージョン情報";
constexpr char kVersionText[] = "Hopdeck Ver1.17\n2025年11月16日公開";

constexpr char kUpdateQuestionCaption[] = "更新通知";
constexpr char kUpdateQuestionText[] =
    "Hopdeckの新しいバージョンが作者のWebサイトで公開されています。"
    "今すぐ、作者のWebサイトを開いて確認しますか？";

constexpr char kUpToDateCaption[] = "更新チェック";
constexpr char kUpToDateText[] = "お使いのHopdeckは最新版です。";
// No version file could be read, or it named no version (same caption).
constexpr char kUncheckedText[] = "更新を確認できませんでした。インターネットへの接続を確認してください。";

// The agent name the update check introduces itself with.
constexpr char kUpdateAgent[] = "Hopdeck";
