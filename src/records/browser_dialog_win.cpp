#include "records/browser_dialog_win.h"

#include "platform/modal_dialog_win.h"
#include "platform/sjis.h"
#include "records/launch_target.h"
#include "records/launch_win.h"
#include "resources/resource.h"

namespace {

// The browsers offered by "WBDialog", indexed by the choice: what the dialog
// shows and the program name, which ShellOpen resolves through App Paths.
struct BrowserRow {
  char shown[32];
  char program[32];
};
constexpr BrowserRow kBrowsers[] = {
    {"Microsoft Edge", "msedge"},
    {"Firefox", "Firefox"},
    {"Google Chrome", "Chrome"},
};
constexpr int kBrowserCount = static_cast<int>(sizeof kBrowsers / sizeof kBrowsers[0]);

struct BrowserChoiceState {
  int browser = -1;  // the row OK chose
};

BOOL OnInit(HWND dialog, BrowserChoiceState& state) {
  HWND combo = GetDlgItem(dialog, IDC_BROWSER_COMBO);
  for (const BrowserRow& row : kBrowsers) {
    std::string shown(FieldText(row.shown, sizeof row.shown));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  state.browser = -1;
  return TRUE;
}

BOOL OnCommand(HWND dialog, BrowserChoiceState& state, int id, int) {
  switch (id) {
    case IDOK:
      state.browser = static_cast<int>(SendDlgItemMessageA(dialog, IDC_BROWSER_COMBO, CB_GETCURSEL, 0, 0));
      EndModalDialog(dialog, IDOK);
      return TRUE;
    default:
      return FALSE;
  }
}

constexpr DialogHandlers<BrowserChoiceState> kBrowserChoiceDialog{OnInit, OnCommand};

}  // namespace

bool RunBrowserChoiceDialog(const DialogOwner& owner, int& browser) {
  BrowserChoiceState state;
  bool chosen = RunModalDialog(owner, "WBDialog", kBrowserChoiceDialog, state) == IDOK;
  browser = state.browser;
  return chosen;
}

bool OpenUrlWithChosenBrowser(HWND owner, int browser, const std::string& url) {
  if (browser < 0 || browser >= kBrowserCount) {
    if (!UrlItemMayOpen(url)) return false;
    ShellOpen(owner, nullptr, url);
    return true;
  }
  // The browser gets the URL as its one argument: quoted, since a space
  // would split it. BrowserMayOpen refuses a quote inside, which would end
  // the argument early and hand the rest to the browser as arguments of its
  // own, and anything but http and https, which a browser might take for a
  // file or, beginning with "-", for a switch.
  if (!BrowserMayOpen(url)) return false;
  const BrowserRow& row = kBrowsers[browser];
  std::string argument = "\"" + url + "\"";
  ShellOpen(owner, nullptr, std::string(FieldText(row.program, sizeof row.program)), argument);
  return true;
}
