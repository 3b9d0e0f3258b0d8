// The net-radio menu's pages: each id opens one constant address. Read from
// the menu table (menu_bar.def), which also makes the menu, so an item and
// its address cannot drift apart.
#pragma once
#include <cstddef>

struct RadioPage {
  int id;
  const char* address;
};
extern const RadioPage kRadioPages[];
extern const std::size_t kRadioPageCount;

// Address of a radio id, or nullptr for ids outside the radio menu.
const char* RadioAddress(int id);
