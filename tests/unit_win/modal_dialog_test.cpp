// The modal-dialog runner, driven by messages the dialog posts to itself: it
// records the open dialog while it is shown, clears it as the dialog ends,
// however it ends, and keeps an exception from the handlers inside.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>

#include "platform/modal_dialog_win.h"

namespace {

constexpr UINT kThrow = WM_APP;
constexpr UINT kEndByRunner = WM_APP + 1;
constexpr UINT kEndByHand = WM_APP + 2;

struct Probe {
  HWND* openDialog;
  UINT ending;               // kEndByRunner or kEndByHand
  HWND dialog = nullptr;     // as WM_INITDIALOG gave it
  HWND recorded = nullptr;   // *openDialog while the dialog was shown
  HWND leftAtEnd = nullptr;  // *openDialog just after the dialog was ended
};

BOOL OnInit(HWND dialog, Probe& probe) {
  probe.dialog = dialog;
  PostMessageA(dialog, kThrow, 0, 0);
  return TRUE;
}

BOOL OnMessage(HWND dialog, Probe& probe, UINT message, WPARAM, LPARAM) {
  if (message == kThrow) {
    if (probe.openDialog != nullptr) probe.recorded = *probe.openDialog;
    PostMessageA(dialog, probe.ending, 0, 0);
    throw std::bad_alloc();
  }
  if (message != kEndByRunner && message != kEndByHand) return FALSE;
  if (message == kEndByRunner) {
    EndModalDialog(dialog, IDOK);
  } else {
    EndDialog(dialog, IDOK);
  }
  if (probe.openDialog != nullptr) probe.leftAtEnd = *probe.openDialog;
  return TRUE;
}

constexpr DialogHandlers<Probe> kProbeDialog{OnInit, nullptr, OnMessage};

INT_PTR RunProbe(Probe& probe) {
  return RunModalDialog({GetModuleHandleA(nullptr), nullptr, probe.openDialog}, "WBDialog", kProbeDialog, probe);
}

TEST(ModalDialog, RecordsTheOpenDialogUntilItEndsAndSurvivesAThrowingHandler) {
  HWND open = nullptr;
  Probe byRunner{&open, kEndByRunner};
  EXPECT_EQ(RunProbe(byRunner), IDOK);
  EXPECT_NE(byRunner.dialog, nullptr);
  EXPECT_EQ(byRunner.recorded, byRunner.dialog);
  EXPECT_EQ(byRunner.leftAtEnd, nullptr);  // cleared before the owner comes back
  EXPECT_EQ(open, nullptr);

  Probe byHand{&open, kEndByHand};
  EXPECT_EQ(RunProbe(byHand), IDOK);
  EXPECT_EQ(byHand.leftAtEnd, byHand.dialog);  // EndDialog alone leaves it ...
  EXPECT_EQ(open, nullptr);                    // ... and the runner clears it once the dialog is gone

  Probe unrecorded{nullptr, kEndByRunner};
  EXPECT_EQ(RunProbe(unrecorded), IDOK);
  EXPECT_NE(unrecorded.dialog, nullptr);
}

}  // namespace
