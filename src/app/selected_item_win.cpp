#include "app/selected_item_win.h"

#include "app/app_state.h"
#include "app/main_window_win.h"
#include "platform/sjis.h"

SelectedItem GetSelectedItem(const AppState& app) {
  SelectedItem item;
  item.listKind = ListIndexOf(app, GetFocus());
  if (item.listKind < 0) return item;
  HWND list = app.lists[item.listKind];
  item.count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  item.index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  if (item.index < 0 || item.index >= item.count) {
    item.index = -1;
    return item;
  }
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, item.index, 0);
  if (length == LB_ERR) return item;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, item.index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  item.name = SjisCut(text, kPathTextBytes);
  return item;
}
