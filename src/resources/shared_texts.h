// Texts that several subsystems show or speak in the same words, defined
// once (Shift-JIS once compiled).
#pragma once

constexpr char kDeleteCaption[] = "削除確認";
constexpr char kDeletedText[] = "削除しました";
// The file could not be removed or written: nothing changed.
constexpr char kNotDeletedText[] = "削除できませんでした";
constexpr char kInputErrorCaption[] = "入力エラー";
// The caption of a message that something could not be stored.
constexpr char kWriteFailedCaption[] = "保存エラー";
