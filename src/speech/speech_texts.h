// What the time and date announcements and the speech settings dialog say and
// show (Shift-JIS once compiled).
#pragma once

// Time: "午前<h>時<m>分<s>秒" and so on; the numbers go between these parts.
constexpr char kMorning[] = "午前";
constexpr char kAfternoon[] = "午後";
constexpr char kHourUnit[] = "時";
constexpr char kMinuteUnit[] = "分";
constexpr char kSecondUnit[] = "秒";

// Date: "<y>年<m>月<d>日", the era form starting with "令和".
constexpr char kEraName[] = "令和";
constexpr char kYearUnit[] = "年";
constexpr char kMonthUnit[] = "月";
constexpr char kDayUnit[] = "日";

// Indexed by the day of the week, 0 = Sunday.
constexpr const char* kWeekdayTexts[7] = {"（日曜日）", "（月曜日）", "（火曜日）", "（水曜日）",
                                          "（木曜日）", "（金曜日）", "（土曜日）"};

// Speech settings dialog: the entries' index is the setting's value.
constexpr const char* kSpeechEngineEntries[7] = {"音声なし", "PCTalker", "NVDA", "JAWS",
                                                "ナレーター", "SAPI音声", "自動"};
constexpr const char* kDateFormatEntries[4] = {"西暦曜日（無し）", "西暦曜日（在り）", "和暦曜日（無し）",
                                               "和暦曜日（在り）"};
constexpr const char* kTimeFormatEntries[2] = {"12時間", "24時間"};

// The speech dialog's test button: said through the chosen engine; under
// "自動" the found reader is named instead, indexed by its engine value.
constexpr char kSpeechTestText[] = "音声のテストです";
constexpr const char* kFoundReaderTexts[5] = {nullptr, "PC-Talkerで読み上げています", "NVDAで読み上げています",
                                              "JAWSで読み上げています", "ナレーターで読み上げています"};
constexpr char kNoReaderFoundText[] = "起動中のスクリーンリーダーが見つかりません。";
constexpr char kSpeechTestCaption[] = "音声のテスト";
