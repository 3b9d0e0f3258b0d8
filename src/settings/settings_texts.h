// What the settings say about the hot key and about storing them (Shift-JIS
// once compiled).
#pragma once

// Spoken at start when another program holds the hot key: Hopdeck then
// cannot be brought forward from elsewhere.
constexpr char kHotKeyNotRegisteredText[] = "ホットキーを登録できませんでした";
// The general dialog's input error (caption kInputErrorCaption) for such a key.
constexpr char kHotKeyTakenText[] = "このホットキーは他のプログラムが使用しているため設定できません。";
// A settings dialog's OK when the registry refused a value (caption
// kWriteFailedCaption): nothing changes and the dialog stays open.
constexpr char kSettingsNotSavedText[] = "設定を保存できませんでした";
