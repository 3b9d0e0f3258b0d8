// The menu and accelerator resources against the command table, read back
// from the resources linked into this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/commands.h"
#include "platform/wide_text.h"
#include "resources/command_ids.h"

namespace {

std::string MenuText(HMENU menu, UINT position) {
  char text[512] = {};
  GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
  return text;
}

// Walks a resource menu in the order of kMenuBar, expecting node by node.
void ExpectMenuMatches(HMENU menu, std::size_t& node) {
  int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position, ++node) {
    ASSERT_LT(node, kMenuBarCount);
    const MenuNode& expected = kMenuBar[node];
    EXPECT_EQ(MenuText(menu, position), expected.text) << "node " << node;
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    EXPECT_EQ(info.fState & (MFS_GRAYED | MFS_CHECKED), 0u) << "no item is greyed or checked";
    if (expected.kind == MenuNodeKind::kPopup) {
      ASSERT_NE(info.hSubMenu, nullptr) << expected.text;
      ++node;
      ExpectMenuMatches(info.hSubMenu, node);
      ASSERT_EQ(kMenuBar[node].kind, MenuNodeKind::kEnd);
    } else {
      ASSERT_EQ(expected.kind, MenuNodeKind::kItem) << "node " << node;
      EXPECT_EQ(info.wID, static_cast<UINT>(expected.id));
      EXPECT_TRUE(HasCommandHandler(expected.id)) << expected.id;
    }
  }
}

TEST(MenuResource, MenuBarMatchesTheCommandTable) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "HDM");
  ASSERT_NE(menu, nullptr);
  std::size_t node = 0;
  ExpectMenuMatches(menu, node);
  EXPECT_EQ(node, kMenuBarCount);
  DestroyMenu(menu);
}

// The context menus of the three kinds of list and the tray icon's menu
// (popups 0..3, which the main window opens by position): each item runs a
// command, reads as whole Shift-JIS characters and has an access key no other
// item of its popup has; each list's menu runs and deletes its item, and the
// tray's ends the program.
TEST(MenuResource, ContextAndTrayPopupsDispatchEveryItem) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "HDRMenu");
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  const std::vector<int> needed[] = {{IDM_RUN, IDM_DELETE_ITEM},
                                     {IDM_RUN, IDM_DELETE_ITEM},
                                     {IDM_RUN, IDM_DELETE_ITEM},
                                     {IDM_CLOSE_MAIN_WINDOW}};
  for (int p = 0; p < 4; ++p) {
    SCOPED_TRACE(p);
    HMENU popup = GetSubMenu(menu, p);
    ASSERT_NE(popup, nullptr);
    const int count = GetMenuItemCount(popup);
    ASSERT_GT(count, 0);
    std::set<int> ids;
    std::set<std::string> accessKeys;
    for (int i = 0; i < count; ++i) {
      const int id = static_cast<int>(GetMenuItemID(popup, i));
      const std::string text = MenuText(popup, static_cast<UINT>(i));
      EXPECT_TRUE(HasCommandHandler(id)) << id << " " << text;
      EXPECT_TRUE(ids.insert(id).second) << id << " twice";
      const int wide = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
      EXPECT_GT(wide, 0) << id << ": not whole Shift-JIS characters";
      const std::size_t amp = text.find("(&");
      ASSERT_NE(amp, std::string::npos) << id << " " << text;
      EXPECT_TRUE(accessKeys.insert(text.substr(amp + 2, 1)).second) << text << ": its access key is taken";
    }
    for (int id : needed[p]) EXPECT_EQ(ids.count(id), 1u) << id;
  }
  DestroyMenu(menu);
}

TEST(MenuResource, AcceleratorsMatchTheCommandTable) {
  HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "HDA");
  ASSERT_NE(table, nullptr);
  ACCEL entries[128];
  int count = CopyAcceleratorTableA(table, entries, 128);
  ASSERT_EQ(static_cast<std::size_t>(count), kAcceleratorCount);
  for (int i = 0; i < count; ++i) {
    const AccelEntry& expected = kAccelerators[i];
    EXPECT_EQ(entries[i].cmd, expected.id);
    EXPECT_EQ(entries[i].key, expected.key);
    BYTE flags = expected.ascii ? 0 : FVIRTKEY;
    if (expected.modifiers & kModShift) flags |= FSHIFT;
    if (expected.modifiers & kModControl) flags |= FCONTROL;
    if (expected.modifiers & kModAlt) flags |= FALT;
    EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), flags) << expected.id;
    EXPECT_TRUE(HasCommandHandler(expected.id)) << expected.id;
  }
}

TEST(ConvertToUnicode, NeverWritesPastTheBuffer) {
  wchar_t buffer[6];
  for (wchar_t& unit : buffer) unit = L'#';
  ConvertToUnicode("ab\x83\x7C" "cdef", buffer, 5);  // "abポcdef"
  EXPECT_EQ(std::wstring(buffer), L"abポc");
  EXPECT_EQ(buffer[5], L'#');
  ConvertToUnicode("", buffer, 5);
  EXPECT_EQ(buffer[0], L'\0');
}

}  // namespace
