// WinINet, loaded from the system folder at the first use rather than
// imported: only the update check needs it, so a start does not pay for it
// and its dependencies.
#pragma once
#include <windows.h>
#include <wininet.h>

#include "platform/win_handles.h"

// The functions the update check uses; all nullptr when the library or one
// of them is missing (Loaded() tells).
struct WinInet {
  decltype(&InternetOpenA) open = nullptr;
  decltype(&InternetSetOptionA) setOption = nullptr;
  decltype(&InternetOpenUrlA) openUrl = nullptr;
  decltype(&HttpQueryInfoA) queryInfo = nullptr;
  decltype(&InternetReadFile) readFile = nullptr;
  decltype(&InternetCloseHandle) close = nullptr;

  bool Loaded() const {
    return open != nullptr && setOption != nullptr && openUrl != nullptr && queryInfo != nullptr &&
           readFile != nullptr && close != nullptr;
  }

  // The process-wide instance, loaded on first use and kept to the end.
  static const WinInet& Instance();
};

struct InternetHandleTraits {
  using Type = HINTERNET;
  static Type Invalid() { return nullptr; }
  static void Close(Type value) { WinInet::Instance().close(value); }
};
using UniqueHinternet = UniqueAny<InternetHandleTraits>;
