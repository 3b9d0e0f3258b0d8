// The readings asked of the input method's language service on a thread of
// its own, against the stand-in the test prefix registers under its ProgID.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "items/item_lists_win.h"
#include "items/name_readings_win.h"
#include "support/support.h"

namespace {

using Lines = std::vector<std::string>;

class NameReadingService_ : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("HD_IME_LOG", log_.c_str());
    SetEnvironmentVariableA("HD_IME_OPEN_FAILS", nullptr);
    SetEnvironmentVariableA("HD_IME_CALL_MS", nullptr);
  }
  void TearDown() override {
    SetEnvironmentVariableA("HD_IME_LOG", nullptr);
    SetEnvironmentVariableA("HD_IME_OPEN_FAILS", nullptr);
    SetEnvironmentVariableA("HD_IME_CALL_MS", nullptr);
  }

  // The calls the stand-in logged, as "<function>\t<text>" in UTF-8.
  Lines Calls() const {
    Lines lines;
    std::string bytes = test_support::ReadWholeFile(log_);
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
  }

  std::vector<std::pair<std::string, std::string>> Learnt() const {
    std::vector<std::pair<std::string, std::string>> learnt;
    readings_->KnownSince(0, learnt);
    return learnt;
  }

  test_support::ScratchFolder scratch_;
  std::string log_ = scratch_.File("ime.log");
  std::shared_ptr<NameReadings> readings_ = std::make_shared<NameReadings>();
  const std::vector<std::string> names_ = {"電卓", "議事録メモ"};
};

TEST_F(NameReadingService_, ReadsEachNameOnItsOwnThreadThenClosesTheService) {
  SetEnvironmentVariableA("HD_IME_CALL_MS", "200");
  {
    NameReadingService service(readings_);
    service.Ask(readings_->ToAsk(names_));
    EXPECT_TRUE(Learnt().empty()) << "Ask returned before the slow service answered";
    ASSERT_TRUE(service.WaitUntilIdle(20000));
  }
  using Learned = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(Learnt(), (Learned{{"電卓", "でんたく"}, {"議事録メモ", "ぎじろくめも"}}));
  EXPECT_TRUE(readings_->ToAsk(names_).empty());
  EXPECT_EQ(Calls(), (Lines{"Open\t", "GetJMorphResult\t\xE9\x9B\xBB\xE5\x8D\x93",
                            "GetJMorphResult\t\xE8\xAD\xB0\xE4\xBA\x8B\xE9\x8C\xB2\xE3\x83\xA1\xE3\x83\xA2",
                            "Close\t"}));
}

TEST_F(NameReadingService_, WithoutAServiceThatOpensNothingIsLearntAndAllIsAskedAgain) {
  SetEnvironmentVariableA("HD_IME_OPEN_FAILS", "1");
  for (const wchar_t* progId : {kFeLanguageProgId, L"Hopdeck.NoSuchService"}) {
    {
      NameReadingService service(readings_, progId);
      service.Ask(readings_->ToAsk(names_));
      ASSERT_TRUE(service.WaitUntilIdle(20000));
    }
    EXPECT_TRUE(Learnt().empty());
    EXPECT_EQ(readings_->ToAsk(names_).fresh, names_) << "nothing remembered as unreadable";
    EXPECT_FALSE(readings_->TableFor(names_).serviceWorked);
  }
  EXPECT_EQ(Calls(), Lines{"Open\t"}) << "only the stand-in's own ProgID reached it, and it was not asked";
}

// Through the list loads: a load asks only for the names it does not know,
// and a start from the cache they were saved in asks for none.
TEST_F(NameReadingService_, ALoadAsksOnlyForNewNamesAndTheNextStartForNone) {
  const std::string itemFolder = scratch_.File("Lnk");
  CreateDirectoryA(itemFolder.c_str(), nullptr);
  auto item = [&](const std::string& name) { return itemFolder + "\\" + name + ".url"; };
  for (const char* name : {"電卓", "家計簿", "memo"}) ASSERT_TRUE(test_support::WriteWholeFile(item(name), ""));
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ItemLists lists;
  for (HWND& box : lists.boxes) box = CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
  auto load = [&] {
    LoadItemLists(lists, itemFolder, 0);
    return !lists.readingService || lists.readingService->WaitUntilIdle(20000);
  };
  auto asked = [&] {
    Lines calls;
    for (const std::string& line : Calls()) {
      if (line.rfind("GetJMorphResult\t", 0) == 0) calls.push_back(line.substr(16));
    }
    return calls;
  };
  ASSERT_TRUE(load());
  EXPECT_EQ(asked(), (Lines{"\xE5\xAE\xB6\xE8\xA8\x88\xE7\xB0\xBF", "\xE9\x9B\xBB\xE5\x8D\x93"}));  // 家計簿, 電卓
  DeleteFileA(log_.c_str());
  ASSERT_TRUE(MoveFileA(item("家計簿").c_str(), item("家計").c_str()));
  ASSERT_TRUE(load());
  EXPECT_EQ(asked(), Lines{"\xE5\xAE\xB6\xE8\xA8\x88"}) << "only the renamed one";
  SaveShortcutCacheIfChanged(lists, scratch_.path());
  std::string cache = test_support::ReadWholeFile(scratch_.File("itemcache.dat"));
  EXPECT_NE(cache.find("R 電卓\tでんたく\r\n"), std::string::npos) << cache;
  EXPECT_EQ(cache.find("家計簿"), std::string::npos) << "a name gone leaves the cache";

  DeleteFileA(log_.c_str());
  ItemLists started;
  started.boxes = lists.boxes;
  lists = {};
  ShowItemFolder(started, StartItemFolderRead(itemFolder, scratch_.path()).get(), 0);
  EXPECT_FALSE(started.readingService) << "nothing to ask";
  EXPECT_TRUE(Calls().empty());
  DestroyWindow(owner);
}

}  // namespace
