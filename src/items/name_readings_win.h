// Asking the input method's language service for the readings of item
// names, on a thread of its own: it may take milliseconds a name on a slow
// PC, and a first start may hold 1,500 names. The thread creates the service,
// asks it, releases it when nothing is left to ask and ends; the next request
// starts another. Without the service (no Japanese input method, an object
// that cannot be made or opened, calls that fail) nothing is learnt and
// nothing is said: the search finds what it finds without readings.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "items/name_readings.h"
#include "platform/fe_language_win.h"

class NameReadingService {
 public:
  // What the service reads goes to readings.
  explicit NameReadingService(std::shared_ptr<NameReadings> readings, std::wstring progId = kFeLanguageProgId);
  // Lets the thread finish the call it is in (a second at most) and ask no more.
  ~NameReadingService();
  NameReadingService(const NameReadingService&) = delete;
  NameReadingService& operator=(const NameReadingService&) = delete;

  // Has the names of request asked after those asked already; returns at once.
  void Ask(ReadingRequest request);
  // Waits until nothing is left to ask, or timeoutMs passes; whether it is so.
  [[nodiscard]] bool WaitUntilIdle(DWORD timeoutMs) const;

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};
