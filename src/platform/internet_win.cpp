#include "platform/internet_win.h"

#include "platform/system_library_win.h"

const WinInet& WinInet::Instance() {
  static const WinInet library = [] {
    WinInet loaded;
    HMODULE module = LoadFromSystemFolder("wininet.dll");
    loaded.open = LibraryFunction<decltype(open)>(module, "InternetOpenA");
    loaded.setOption = LibraryFunction<decltype(setOption)>(module, "InternetSetOptionA");
    loaded.openUrl = LibraryFunction<decltype(openUrl)>(module, "InternetOpenUrlA");
    loaded.queryInfo = LibraryFunction<decltype(queryInfo)>(module, "HttpQueryInfoA");
    loaded.readFile = LibraryFunction<decltype(readFile)>(module, "InternetReadFile");
    loaded.close = LibraryFunction<decltype(close)>(module, "InternetCloseHandle");
    return loaded;
  }();
  return library;
}
