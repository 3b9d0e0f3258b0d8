// The menu and accelerator resources against the command table, read back
// from the resources linked into this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

TEST(MenuResource, ContextAndTrayPopups) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "HDRMenu");
  ASSERT_NE(menu, nullptr);
  const std::vector<std::pair<int, const char*>> popups[] = {
      {{IDM_RUN, "実行(&R)"}, {IDM_RUN_SPECIAL, "管理者として実行(&Y)"}, {IDM_OPEN_FOLDER, "ファイルの場所を開く(&I)"}, {IDM_EDIT_ITEM, "項目の編集(&E)"},
       {IDM_COPY_PATH, "パスをコピー(&C)"}, {IDM_DELETE_ITEM, "選択項目を削除(&D)"}},
      {{IDM_RUN, "URLを開く(&R)"}, {IDM_RUN_SPECIAL, "ブラウザを指定してURLを開く(&Y)"}, {IDM_EDIT_ITEM, "項目の編集(&E)"},
       {IDM_COPY_PATH, "URLをコピー(&C)"}, {IDM_DELETE_ITEM, "選択項目を削除(&D)"}},
      {{IDM_RUN, "メーラーを起動(&R)"}, {IDM_EDIT_ITEM, "項目の編集(&E)"}, {IDM_COPY_PATH, "メールアドレスをコピー(&C)"}, {IDM_DELETE_ITEM, "選択項目を削除(&D)"}},
      {{IDM_SHOW_MAIN_WINDOW, "メインウィンドウを表示する(&W)"}, {IDM_CLOSE_MAIN_WINDOW, "Hopdeckの終了(&X)"}},
  };
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  for (int p = 0; p < 4; ++p) {
    HMENU popup = GetSubMenu(menu, p);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(popups[p].size())) << "popup " << p;
    for (UINT i = 0; i < popups[p].size(); ++i) {
      EXPECT_EQ(GetMenuItemID(popup, i), static_cast<UINT>(popups[p][i].first));
      EXPECT_EQ(MenuText(popup, i), popups[p][i].second);
      EXPECT_TRUE(HasCommandHandler(popups[p][i].first));
    }
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
