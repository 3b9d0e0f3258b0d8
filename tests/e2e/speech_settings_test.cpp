// The speech settings dialog and the time and date announcements, driven
// through the menu commands; what is spoken is read from the stand-ins' log.
#include <regex>

#include "speech_scenario.h"

using namespace e2e;
using namespace speech_e2e;

namespace {

using Texts = std::vector<std::wstring>;


std::optional<DWORD> Stored(const std::wstring& name) { return ReadDword(name); }

// Runs a command and returns the next text NVDA is given; "" when none comes.
std::wstring NvdaSays(int command, int timeoutMs = 3000) {
  std::size_t before = CallsOf(L"speakText").size();
  PostCommand(command);
  if (!WaitForCalls(L"speakText", before + 1, timeoutMs)) return L"";
  return CallsOf(L"speakText")[before].text;
}

std::wstring PcTalkerSays(int command, int timeoutMs = 3000) {
  std::size_t before = CallsOf(L"69").size();
  PostCommand(command);
  if (!WaitForCalls(L"69", before + 1, timeoutMs)) return L"";
  return CallsOf(L"69")[before].text;
}

// The date as the program should speak it now, in DateFormat 0..3.
std::wstring ExpectedDate(int format) {
  static const wchar_t* const kWeekdays[7] = {L"（日曜日）", L"（月曜日）", L"（火曜日）", L"（水曜日）",
                                             L"（木曜日）", L"（金曜日）", L"（土曜日）"};
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::wstring text = format >= 2 ? L"令和" + std::to_wstring(now.wYear - 2018) : std::to_wstring(now.wYear);
  text += L"年" + std::to_wstring(now.wMonth) + L"月" + std::to_wstring(now.wDay) + L"日";
  if (format == 1 || format == 3) text += kWeekdays[now.wDayOfWeek];
  return text;
}

// Numbers without leading zeros; hours 0..11 in 12-hour form.
const std::wregex kTwelveHourTime(L"午[前後](0|[1-9]|1[01])時(0|[1-5]?[0-9])分(0|[1-5]?[0-9])秒");
const std::wregex kTwentyFourHourTime(L"(0|[1-9]|1[0-9]|2[0-3])時(0|[1-5]?[0-9])分(0|[1-5]?[0-9])秒");

}  // namespace

class SpeechSettingsScenario : public SpeechScenario {};

TEST_F(SpeechSettingsScenario, DialogShowsItsEntriesAndTheSettingsInForce) {
  WriteDword(setting_value::kDateFormat, 3);
  WriteDword(setting_value::kTimeFormat, 0);
  StartWith(1, true, Nvda::kNone);
  HWND dialog = OpenSpeechDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ControlOutline(dialog), (Texts{
                                        L"Static -1 音声エンジン (zero size)",
                                        OutlineEntry(L"ComboBox", IDC_SPEECH_ENGINE),
                                        L"Static -1 日付読み上げの形式 (zero size)",
                                        OutlineEntry(L"ComboBox", IDC_SPEECH_DATE),
                                        L"Static -1 時刻読み上げの形式 (zero size)",
                                        OutlineEntry(L"ComboBox", IDC_SPEECH_TIME),
                                        OutlineEntry(L"Button", IDC_SPEECH_TEST, L"テスト(&T)"),
                                        L"Button 1 OK",
                                        L"Button 2 CANCEL",
                                    }));
  EXPECT_EQ(ComboItems(GetDlgItem(dialog, IDC_SPEECH_ENGINE)),
            (Texts{L"音声なし", L"PCTalker", L"NVDA", L"JAWS", L"ナレーター", L"SAPI音声", L"自動"}));
  EXPECT_EQ(ComboItems(GetDlgItem(dialog, IDC_SPEECH_DATE)),
            (Texts{L"西暦曜日（無し）", L"西暦曜日（在り）", L"和暦曜日（無し）", L"和暦曜日（在り）"}));
  EXPECT_EQ(ComboItems(GetDlgItem(dialog, IDC_SPEECH_TIME)), (Texts{L"12時間", L"24時間"}));
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_SPEECH_ENGINE)), 1);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_SPEECH_DATE)), 3);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_SPEECH_TIME)), 0);
  EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, IDC_SPEECH_ENGINE));
  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForDialogGone(dialog));
}

TEST_F(SpeechSettingsScenario, OkWithoutChangeRewritesTheThreeValuesAndSaysNothing) {
  WriteDword(setting_value::kDateFormat, 2);
  WriteDword(setting_value::kTimeFormat, 0);
  StartWith(1, true, Nvda::kFull);
  // Behind the program's back: OK stores what is in force, not what is stored.
  using namespace setting_value;
  for (const std::wstring& name : {kSpeechEngine, kDateFormat, kTimeFormat}) WriteDword(name, 9);
  ASSERT_TRUE(ChooseInSpeechDialog(-1, -1, -1, IDOK));
  EXPECT_EQ(Stored(setting_value::kSpeechEngine), std::optional<DWORD>(1));
  EXPECT_EQ(Stored(setting_value::kDateFormat), std::optional<DWORD>(2));
  EXPECT_EQ(Stored(setting_value::kTimeFormat), std::optional<DWORD>(0));
  // PC-Talker is in force and told on the window's thread: whatever OK said
  // is in the log once the dialog has gone.
  EXPECT_EQ(SpeechLog().size(), 0u) << "the dialog itself says nothing";
}

TEST_F(SpeechSettingsScenario, CancelKeepsTheOldEngineAndFormatsInForceAndStored) {
  WriteDword(setting_value::kDateFormat, 1);
  WriteDword(setting_value::kTimeFormat, 1);
  StartWith(1, true, Nvda::kFull);
  ASSERT_TRUE(ChooseInSpeechDialog(2, 2, 0, IDCANCEL));
  EXPECT_EQ(Stored(setting_value::kSpeechEngine), std::optional<DWORD>(1));
  EXPECT_EQ(Stored(setting_value::kDateFormat), std::optional<DWORD>(1));
  EXPECT_EQ(Stored(setting_value::kTimeFormat), std::optional<DWORD>(1));

  // The close box cancels too.
  HWND dialog = OpenSpeechDialog();
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, IDC_SPEECH_ENGINE), CB_SETCURSEL, 0, 0);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitForDialogGone(dialog));

  EXPECT_EQ(PcTalkerSays(kShowUrlsCommand), L"URL一覧");
  EXPECT_EQ(PcTalkerSays(kSpeakDateCommand), ExpectedDate(1));
  std::wstring time = PcTalkerSays(kSpeakTimeCommand);
  EXPECT_TRUE(std::regex_match(time, kTwentyFourHourTime)) << ToSjis(time);
  EXPECT_EQ(CallsOf(L"speakText").size(), 0u);
}

TEST_F(SpeechSettingsScenario, OkThatCannotStoreSaysSoAndChangesNothing) {
  StartWith(1, true, Nvda::kFull);
  HWND dialog = OpenSpeechDialog();
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, IDC_SPEECH_ENGINE), CB_SETCURSEL, 2, 0);  // NVDA
  ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey), ERROR_SUCCESS);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(ExpectMessageBox(L"保存エラー", L"設定を保存できませんでした", IDOK));
  EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_FALSE(KeyExists());
  // PC-Talker is still in force.
  EXPECT_EQ(PcTalkerSays(kShowUrlsCommand), L"URL一覧");
  EXPECT_EQ(CallsOf(L"speakText").size(), 0u);
}

TEST_F(SpeechSettingsScenario, SwitchingTheEngineTakesEffectWithTheNextAnnouncement) {
  StartWith(1, true, Nvda::kFull);
  EXPECT_EQ(PcTalkerSays(kShowUrlsCommand), L"URL一覧");

  ASSERT_TRUE(ChooseInSpeechDialog(2, -1, -1));
  EXPECT_EQ(Stored(setting_value::kSpeechEngine), std::optional<DWORD>(2));
  EXPECT_EQ(NvdaSays(kShowProgramsCommand), L"プログラム一覧");
  EXPECT_EQ(CallsOf(L"69").size(), 1u);

  ASSERT_TRUE(ChooseInSpeechDialog(0, -1, -1));
  EXPECT_EQ(Stored(setting_value::kSpeechEngine), std::optional<DWORD>(0));
  std::size_t calls = SpeechLog().size();
  PostCommand(kShowUrlsCommand);
  PostCommand(kSpeakTimeCommand);
  ASSERT_TRUE(PostedCommandsHandled());
  EXPECT_EQ(SpeechLog().size(), calls) << "no speech still spoke";
  EXPECT_TRUE(hopdeck_.running());
}

TEST_F(SpeechSettingsScenario, TimeAndDateAreSpokenInTheChosenFormats) {
  WriteDword(setting_value::kDateFormat, 3);
  WriteDword(setting_value::kTimeFormat, 0);
  StartWith(2, false, Nvda::kFull);
  std::wstring time = NvdaSays(kSpeakTimeCommand);
  EXPECT_TRUE(std::regex_match(time, kTwelveHourTime)) << ToSjis(time);
  EXPECT_EQ(NvdaSays(kSpeakDateCommand), ExpectedDate(3));

  struct Case {
    int dateFormat;
    int timeFormat;
  };
  for (Case c : {Case{0, 1}, Case{1, 0}, Case{2, 1}}) {
    ASSERT_TRUE(ChooseInSpeechDialog(-1, c.dateFormat, c.timeFormat));
    EXPECT_EQ(NvdaSays(kSpeakDateCommand), ExpectedDate(c.dateFormat)) << "date format " << c.dateFormat;
    time = NvdaSays(kSpeakTimeCommand);
    EXPECT_TRUE(std::regex_match(time, c.timeFormat == 0 ? kTwelveHourTime : kTwentyFourHourTime))
        << "time format " << c.timeFormat << ": " << ToSjis(time);
  }
}

TEST_F(SpeechSettingsScenario, FormatsOutOfRangeInTheRegistrySayNothing) {
  WriteDword(setting_value::kDateFormat, 4);
  WriteDword(setting_value::kTimeFormat, 2);
  StartWith(2, false, Nvda::kFull);
  PostCommand(kSpeakTimeCommand);
  PostCommand(kSpeakDateCommand);
  ASSERT_TRUE(PostedCommandsHandled());  // NVDA's braille would come at once
  EXPECT_EQ(SpeechLog().size(), 0u);

  // The dialog selects nothing for them, and OK keeps them as they were.
  HWND dialog = OpenSpeechDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_SPEECH_DATE)), -1);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, IDC_SPEECH_TIME)), -1);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForDialogGone(dialog));
  EXPECT_EQ(Stored(setting_value::kDateFormat), std::optional<DWORD>(4));
  EXPECT_EQ(Stored(setting_value::kTimeFormat), std::optional<DWORD>(2));
}
