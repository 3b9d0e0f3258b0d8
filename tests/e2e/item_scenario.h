// What the item dialog and item command scenarios share: reading and driving
// the list panes, the item dialog's fields, and waiting for speech.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace item_e2e {

using namespace e2e;

inline constexpr wchar_t kAddTitle[] = L"ファイルの追加";
inline constexpr wchar_t kEditTitle[] = L"項目の編集";
inline constexpr wchar_t kInputError[] = L"入力エラー";
inline constexpr wchar_t kOverwriteCaption[] = L"上書き確認";

inline std::vector<std::wstring> Entries(int listKind) { return ReadList(ListBox(listKind)).items; }
inline bool Holds(int listKind, const std::wstring& entry) { return ReadList(ListBox(listKind)).IndexOf(entry) != -1; }
inline int Selection(int listKind) { return ReadList(ListBox(listKind)).selection; }
inline void Select(int listKind, int index) { SendMessageW(ListBox(listKind), LB_SETCURSEL, index, 0); }
// Shows list kind as ShowList does and selects its entry index.
inline ::testing::AssertionResult ShowAndSelect(int listKind, int index) {
  ::testing::AssertionResult shown = ShowList(listKind);
  if (shown) Select(listKind, index);
  return shown;
}

// Waits until text is spoken after the first `from` spoken texts.
inline bool SpokenAfter(std::size_t from, const std::wstring& text, int timeoutMs = 3000) {
  return WaitUntil(
      [&] {
        std::vector<std::wstring> texts = SpokenTexts();
        return texts.size() > from && std::find(texts.begin() + from, texts.end(), text) != texts.end();
      },
      timeoutMs);
}

inline HWND Field(HWND dialog, int id) { return GetDlgItem(dialog, id); }
inline std::wstring FieldText(HWND dialog, int id) { return WindowText(Field(dialog, id)); }
inline bool FocusIn(HWND dialog, int id) {
  return WaitUntil([&] { return FocusOf(dialog) == Field(dialog, id); }, 3000);
}

// Fills the add or edit dialog and presses OK; true when it closed.
inline bool FillAndConfirm(HWND dialog, const std::wstring& name, const std::wstring& path) {
  SetWindowTextOf(Field(dialog, IDC_ITEM_NAME), name);
  SetWindowTextOf(Field(dialog, IDC_ITEM_PATH), path);
  ClickButton(dialog, IDOK);
  return WaitForDialogGone(dialog);
}

// IDM_ADD_ITEM and the dialog it opens.
inline HWND OpenAddDialog() { return OpenDialog(IDM_ADD_ITEM, kAddTitle); }

// 500 copies of one shortcut to target: as many as the programs and files
// lists hold together, so no shortcut can be added.
inline ::testing::AssertionResult PlantFullShortcutLists(const std::wstring& target) {
  PlantItem(ItemKind::kShortcut, L"Tool000", target);
  for (int i = 1; i < 500; ++i) {
    std::wstring copy = ItemFile(L"Tool" + std::to_wstring(1000 + i).substr(1) + L".lnk");
    if (!CopyFileW(ItemFile(L"Tool000.lnk").c_str(), copy.c_str(), FALSE)) {
      return ::testing::AssertionFailure() << "could not copy shortcut " << i;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace item_e2e
