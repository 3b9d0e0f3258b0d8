#include "app/selected_item_win.h"

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/main_window_win.h"
#include "items/item_store_win.h"
#include "platform/sjis.h"

std::string ListEntryText(HWND list, int index) {
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR || length <= 0) return {};
  // The length asked for first is an upper bound only: an ANSI list box may
  // count the double-byte text of its UTF-16 store generously, and the bytes
  // beyond the copy stay zero. What the copy returns is the true length.
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  LRESULT copied = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  if (copied == LB_ERR || copied <= 0) return {};
  return std::string(text.data(), std::min(static_cast<std::size_t>(copied), static_cast<std::size_t>(length)));
}

SelectedItem GetSelectedItem(const AppState& app) {
  SelectedItem item;
  item.listKind = ListIndexOf(app, GetFocus());
  if (item.listKind < 0) return item;
  HWND list = app.items.boxes[item.listKind];
  item.count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  item.index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  if (item.index < 0 || item.index >= item.count) {
    item.index = -1;
    return item;
  }
  item.name = SjisCut(ListEntryText(list, item.index), kPathTextBytes);
  return item;
}

std::string ItemFilePath(const AppState& app, int listKind, const std::string& name) {
  return ItemFilePath(app.itemFolder, listKind, name);
}
