// The pickers' Win32 side in-process: which windows the running-applications
// picker lists, which files the Send-to cleanup lists, and the radio menu as
// the resource holds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "resources/command_ids.h"
#include "pickers/running_apps_win.h"
#include "pickers/send_to_list.h"
#include "pickers/send_to_win.h"

namespace {

struct WindowCloser {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

OwnedWindow MakeWindow(const std::string& title, DWORD style) {
  return OwnedWindow(CreateWindowExA(0, "STATIC", title.c_str(), style, 0, 0, 120, 40, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
}

const RunningWindow* Listed(const std::vector<RunningWindow>& listed, HWND window) {
  auto found = std::find_if(listed.begin(), listed.end(), [&](const RunningWindow& w) { return w.window == window; });
  return found == listed.end() ? nullptr : &*found;
}

TEST(RunningWindows, ListsVisibleTitledNonPopupWindowsExceptTheSkippedOne) {
  // 254 bytes of 'a', then ア (83 41): 256 bytes in all, cut before the character.
  std::string longTitle = std::string(254, 'a') + "\x83\x41";
  OwnedWindow normal = MakeWindow("hd-normal", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  OwnedWindow minimised = MakeWindow("hd-minimised", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE);
  OwnedWindow tool = MakeWindow("hd-tool", WS_OVERLAPPED | WS_VISIBLE);
  OwnedWindow longOne = MakeWindow(longTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  OwnedWindow hidden = MakeWindow("hd-hidden", WS_OVERLAPPEDWINDOW);
  OwnedWindow untitled = MakeWindow("", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  OwnedWindow popup = MakeWindow("hd-popup", WS_POPUP | WS_CAPTION | WS_VISIBLE);
  OwnedWindow skipped = MakeWindow("hd-main", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  for (const OwnedWindow* w : {&normal, &minimised, &tool, &longOne, &hidden, &untitled, &popup, &skipped}) {
    ASSERT_NE(w->get(), nullptr);
  }

  std::vector<RunningWindow> listed = CollectRunningWindows(skipped.get());
  ASSERT_NE(Listed(listed, normal.get()), nullptr);
  EXPECT_EQ(Listed(listed, normal.get())->title, "hd-normal");
  EXPECT_NE(Listed(listed, minimised.get()), nullptr);
  EXPECT_NE(Listed(listed, tool.get()), nullptr);
  ASSERT_NE(Listed(listed, longOne.get()), nullptr);
  EXPECT_EQ(Listed(listed, longOne.get())->title, std::string(254, 'a'));
  EXPECT_EQ(Listed(listed, hidden.get()), nullptr);
  EXPECT_EQ(Listed(listed, untitled.get()), nullptr);
  EXPECT_EQ(Listed(listed, popup.get()), nullptr);
  EXPECT_EQ(Listed(listed, skipped.get()), nullptr);
}

class SendToFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "hd-sendto-test";
    Clear();
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override { Clear(); }
  void Touch(const std::string& name) {
    HANDLE file = CreateFileA((folder_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    CloseHandle(file);
  }
  void Clear() {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::string path = folder_ + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          if (found.cFileName[0] != '.') RemoveDirectoryA(path.c_str());
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
  }
  std::string folder_;
};

TEST_F(SendToFolderTest, ListsShortcutFilesOnlyByNameWithDotsKept) {
  Touch("Alpha.lnk");
  Touch("b.c.d.lnk");
  Touch("readme.txt");
  Touch("\x83\x5C\x95\x5C.lnk");  // ソ表: both trail bytes are backslashes
  CreateDirectoryA((folder_ + "\\folder.lnk").c_str(), nullptr);
  std::vector<std::string> names = ReadSendToNames(folder_);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "b.c.d", "\x83\x5C\x95\x5C"}));
  EXPECT_TRUE(ReadSendToNames(folder_ + "\\missing").empty());
}

TEST_F(SendToFolderTest, ListsAtMostFiveHundred) {
  for (int i = 0; i < 502; ++i) Touch("s" + std::to_string(i) + ".lnk");
  EXPECT_EQ(ReadSendToNames(folder_).size(), kSendToMaxEntries);
}

// The menu resource linked into this program, walked by position.
struct MenuPath {
  std::vector<std::string> popups;
  std::string text;
};

std::string MenuText(HMENU menu, int position) {
  char text[256] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
  return text;
}

void CollectItems(HMENU menu, std::vector<std::string>& popups, int id, std::vector<MenuPath>& found) {
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if (HMENU sub = GetSubMenu(menu, position)) {
      popups.push_back(MenuText(menu, position));
      CollectItems(sub, popups, id, found);
      popups.pop_back();
    } else if (GetMenuItemID(menu, position) == static_cast<UINT>(id)) {
      found.push_back({popups, MenuText(menu, position)});
    }
  }
}

std::vector<MenuPath> WhereInMenu(int id) {
  std::vector<MenuPath> found;
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "HDM");
  if (menu == nullptr) return found;
  std::vector<std::string> popups;
  CollectItems(menu, popups, id, found);
  DestroyMenu(menu);
  return found;
}

// The public broadcaster's pages stand in the menu by channel and by area:
// the two ways to one id cross, the channel's popup being the item under the
// area's popup and the other way round, so no page sits under a wrong name.
TEST(RadioMenu, EachPublicPageIsReachedByItsChannelAndByItsArea) {
  int crossed = 0;
  for (int id = IDM_RADIO_PUBLIC_FIRST; id <= IDM_RADIO_PUBLIC_LAST; ++id) {
    std::vector<MenuPath> paths = WhereInMenu(id);
    ASSERT_FALSE(paths.empty()) << id << " is in no menu";
    ASSERT_LE(paths.size(), 2u) << id;
    if (paths.size() < 2) continue;
    ++crossed;
    EXPECT_EQ(paths[0].popups.size(), paths[1].popups.size()) << id;
    EXPECT_EQ(paths[0].popups.back(), paths[1].text) << id;
    EXPECT_EQ(paths[0].text, paths[1].popups.back()) << id;
    EXPECT_NE(paths[0].popups.at(1), paths[1].popups.at(1)) << id << ": both ways under one popup";
  }
  EXPECT_GT(crossed, 0);
}

// Every radio item reads as whole Shift-JIS characters, and no two items of
// one popup read alike.
TEST(RadioMenu, ItemTextsAreWholeCharactersAndDistinctInTheirPopup) {
  std::vector<std::pair<std::vector<std::string>, std::string>> seen;
  for (int id = IDM_RADIO_PUBLIC_FIRST; id <= IDM_RADIO_STATION_LAST; ++id) {
    for (const MenuPath& path : WhereInMenu(id)) {
      EXPECT_GT(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path.text.data(), static_cast<int>(path.text.size()),
                                    nullptr, 0),
                0)
          << id;
      EXPECT_FALSE(path.text.empty()) << id;
      std::pair<std::vector<std::string>, std::string> entry{path.popups, path.text};
      EXPECT_EQ(std::count(seen.begin(), seen.end(), entry), 0) << id << " " << path.text;
      seen.push_back(entry);
    }
  }
  EXPECT_GT(seen.size(), 0u);
}

}  // namespace
