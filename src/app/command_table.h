// The commands of the menu bar, the context menus and the accelerator table,
// read from the same tables as the resource script (menu_bar.def,
// accelerators.def), so menus, keys and the key list never disagree.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

enum class MenuNodeKind { kPopup, kEnd, kItem };

struct MenuNode {
  MenuNodeKind kind;
  int id;            // 0 for popups and ends
  const char* text;  // Shift-JIS
};

// The menu bar "HDM" in resource order: a popup, its items, its end.
extern const MenuNode kMenuBar[];
extern const std::size_t kMenuBarCount;

enum AccelModifier : int { kModNone = 0, kModShift = 1, kModControl = 2, kModAlt = 4 };

struct AccelEntry {
  int key;  // virtual-key code, or the control character of an ASCII entry
  int id;
  int modifiers;
  bool ascii;
};

// The accelerator table "HDA".
extern const AccelEntry kAccelerators[];
extern const std::size_t kAcceleratorCount;


// The name of an accelerator's key as the key list shows it: "F4",
// "Shift+Enter", "Control+F", "Alt+Shift+F4", "Apps".
std::string KeyName(const AccelEntry& entry);

// One command: its id, the top-level popup that holds it (empty for
// commands that live only in context menus or on keys), its menu text and
// the names of its keys.
struct CommandRow {
  int id;
  std::string popup;
  std::string text;
  std::vector<std::string> keys;
};

// Every command in menu order, then the commands that have only keys.
// Radio pages are left out; kRadioPages (pickers/radio_pages.h) lists them.
std::vector<CommandRow> CommandTable();
