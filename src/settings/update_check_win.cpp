#include "settings/update_check_win.h"

#include <shellapi.h>

#include "platform/internet_win.h"
#include "platform/modal_dialog_win.h"
#include "settings/help_texts.h"
#include "settings/update_check.h"

std::optional<std::string> ReadVersionFile(const std::string& address) {
  const WinInet& wininet = WinInet::Instance();
  if (!wininet.Loaded()) return std::nullopt;  // as without a connection
  UniqueHinternet internet(wininet.open(kUpdateAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!internet) return std::nullopt;
  // The check runs on the window's thread: a server that accepts but never
  // answers must not freeze the program for WinINet's default minutes.
  DWORD timeoutMs = 15000;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    wininet.setOption(internet.get(), option, &timeoutMs, sizeof(timeoutMs));
  }
  UniqueHinternet file(wininet.openUrl(internet.get(), address.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
  if (!file) return std::nullopt;

  // An HTTP server answers a missing file with an error page that opens like
  // any file; only a success status means the version file is there.
  DWORD status = 0;
  DWORD statusSize = sizeof(status);
  if (wininet.queryInfo(file.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &statusSize, nullptr) &&
      (status < 200 || status > 299)) {
    return std::nullopt;
  }

  char bytes[kVersionReadBytes] = {};
  DWORD read = 0;
  if (!wininet.readFile(file.get(), bytes, sizeof(bytes), &read)) read = 0;  // unreadable counts as empty
  return std::string(bytes, read < sizeof(bytes) ? read : sizeof(bytes));
}

int RunUpdateCheck(HWND owner) {
  std::optional<std::string> bytes = ReadVersionFile(SiteAddress(kVersionFilePath));
  if (!bytes) return 0;
  if (IsNewerVersion(ParseVersion(*bytes))) {
    if (ShowMessageBox(owner, kUpdateQuestionText, kUpdateQuestionCaption, MB_YESNO | MB_ICONQUESTION) == IDYES) {
      ShellExecuteA(nullptr, nullptr, SiteAddress(kProgramPagePath).c_str(), nullptr, nullptr, SW_SHOW);
    }
  } else {
    ShowMessageBox(owner, kUpToDateText, kUpToDateCaption, MB_OK | MB_ICONINFORMATION);
  }
  return 1;
}
