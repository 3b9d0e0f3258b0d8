// The main window procedure's guard against exceptions: a message whose
// handling throws is answered, the user is told, and the next one is handled.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "app/app_texts.h"
#include "app/main_window_win.h"

TEST(MainWindowGuard, StopsAnExceptionTellsTheUserAndGoesOn) {
  int reports = 0;
  auto report = [&] { ++reports; };
  EXPECT_EQ(StopExceptions([] { return LRESULT{7}; }, report), 7);
  EXPECT_EQ(reports, 0) << "nothing to tell";

  EXPECT_EQ(StopExceptions([]() -> LRESULT { throw std::bad_alloc(); }, report), 0);
  EXPECT_EQ(StopExceptions([]() -> LRESULT { throw 42; }, report), 0);
  EXPECT_EQ(reports, 2);

  // A report that throws in turn is stopped too.
  EXPECT_EQ(StopExceptions([]() -> LRESULT { throw std::runtime_error("x"); },
                           []() { throw std::bad_alloc(); }),
            0);

  // "エラーが発生しました", byte for byte.
  EXPECT_STREQ(kErrorText, "\x83\x47\x83\x89\x81\x5b\x82\xaa\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd");
}
