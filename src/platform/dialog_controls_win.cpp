#include "platform/dialog_controls_win.h"

#include <vector>

#include "platform/sjis.h"

// The edits limit typing with EM_LIMITTEXT, but Wine counts that limit in
// characters, so a field may hold twice the bytes: the cut is made here.
std::string DialogItemText(HWND dialog, int id, std::size_t maxBytes) {
  HWND control = GetDlgItem(dialog, id);
  int length = GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(control, text.data(), length + 1);
  return SjisCut(FieldText(text.data(), text.size()), maxBytes);
}

void FocusDialogControl(HWND dialog, int id) {
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}
