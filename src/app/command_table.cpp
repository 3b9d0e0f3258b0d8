#include "app/command_table.h"

#include "pickers/radio_pages.h"
#include "resources/command_ids.h"

#include <algorithm>

namespace {

// Virtual-key codes used by the accelerator table (winuser.h values), so the
// table builds without the Windows headers.
constexpr int VK_TAB = 0x09, VK_RETURN = 0x0D, VK_ESCAPE = 0x1B, VK_DELETE = 0x2E, VK_APPS = 0x5D;
constexpr int VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75,
              VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A;

constexpr int NONE_ = kModNone, SHIFT_ = kModShift, CONTROL_ = kModControl, ALT_ = kModAlt,
              ALT_SHIFT_ = kModAlt | kModShift;

}  // namespace

const MenuNode kMenuBar[] = {
#define HD_POPUP(text) {MenuNodeKind::kPopup, 0, text},
#define HD_END {MenuNodeKind::kEnd, 0, nullptr},
#define HD_ITEM(id, text) {MenuNodeKind::kItem, id, text},
#define HD_NHK(id, text, channel, area) {MenuNodeKind::kItem, id, text},
#define HD_RADIKO(id, text, path) {MenuNodeKind::kItem, id, text},
#define HD_STATION(id, text, code) {MenuNodeKind::kItem, id, text},
#include "resources/menu_bar.def"
};
const std::size_t kMenuBarCount = std::size(kMenuBar);

const AccelEntry kAccelerators[] = {
#define HD_ACCEL(key, id, mods) {key, id, mods, false},
#define HD_ACCEL_CHAR(code, id) {code, id, kModNone, true},
#include "resources/accelerators.def"
#undef HD_ACCEL
#undef HD_ACCEL_CHAR
};
const std::size_t kAcceleratorCount = std::size(kAccelerators);


std::string KeyName(const AccelEntry& entry) {
  std::string name;
  if (entry.ascii) {
    // Control characters 0x01..0x1A are Control+A..Control+Z.
    return "Control+" + std::string(1, static_cast<char>('A' + entry.key - 1));
  }
  if (entry.modifiers & kModControl) name += "Control+";
  if (entry.modifiers & kModAlt) name += "Alt+";
  if (entry.modifiers & kModShift) name += "Shift+";
  switch (entry.key) {
    case VK_TAB: return name + "Tab";
    case VK_RETURN: return name + "Enter";
    case VK_ESCAPE: return name + "Escape";
    case VK_DELETE: return name + "Delete";
    case VK_APPS: return name + "Apps";
    default: break;
  }
  if (entry.key >= VK_F1 && entry.key <= VK_F11) return name + "F" + std::to_string(entry.key - VK_F1 + 1);
  return name + std::string(1, static_cast<char>(entry.key));  // '0'..'9', 'A'..'Z'
}

std::vector<CommandRow> CommandTable() {
  std::vector<CommandRow> rows;
  auto keysOf = [](int id) {
    std::vector<std::string> keys;
    for (const AccelEntry& entry : kAccelerators) {
      if (entry.id == id) keys.push_back(KeyName(entry));
    }
    return keys;
  };
  int depth = 0;
  std::string topPopup;
  for (const MenuNode& node : kMenuBar) {
    switch (node.kind) {
      case MenuNodeKind::kPopup:
        if (depth++ == 0) topPopup = node.text;
        break;
      case MenuNodeKind::kEnd:
        --depth;
        break;
      case MenuNodeKind::kItem:
        if (RadioAddress(node.id) == nullptr) rows.push_back({node.id, topPopup, node.text, keysOf(node.id)});
        break;
    }
  }
  // Commands reached only from context menus, the tray menu or keys.
  for (int id : {IDM_RUN, IDM_RUN_SPECIAL, IDM_SHOW_MAIN_WINDOW, IDM_CONTEXT_MENU, IDM_NEXT_LIST, IDM_PREVIOUS_LIST}) {
    rows.push_back({id, "", "", keysOf(id)});
  }
  return rows;
}
