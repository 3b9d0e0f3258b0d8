#include "settings/update_check_win.h"

#include "platform/internet_win.h"
#include "records/launch_win.h"
#include "platform/modal_dialog_win.h"
#include "settings/help_texts.h"
#include "settings/update_check.h"

namespace {

// The check runs on the window's thread: a server that accepts but never
// answers must not freeze the program for WinINet's default minutes. One
// connection attempt and these limits keep a check within about 10 s.
constexpr DWORD kConnectAttempts = 1;
constexpr DWORD kConnectTimeoutMs = 4000;
constexpr DWORD kSendTimeoutMs = 2000;
constexpr DWORD kReceiveTimeoutMs = 4000;

void LimitWaits(const WinInet& wininet, HINTERNET internet) {
  struct Limit {
    DWORD option;
    DWORD value;
  };
  const Limit limits[] = {{INTERNET_OPTION_CONNECT_RETRIES, kConnectAttempts},
                          {INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs},
                          {INTERNET_OPTION_SEND_TIMEOUT, kSendTimeoutMs},
                          {INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveTimeoutMs}};
  for (Limit limit : limits) {
    // Refused: WinINet's own default applies, which is slower but still ends.
    wininet.setOption(internet, limit.option, &limit.value, sizeof(limit.value));
  }
}

}  // namespace

std::optional<std::string> ReadVersionFile(const std::string& address) {
  const WinInet& wininet = WinInet::Instance();
  if (!wininet.Loaded()) return std::nullopt;  // as without a connection
  // The system's connection settings, so a check behind a proxy reaches the server.
  UniqueHinternet internet(wininet.open(kUpdateAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!internet) return std::nullopt;
  LimitWaits(wininet, internet.get());
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
  if (!wininet.readFile(file.get(), bytes, sizeof(bytes), &read)) return std::nullopt;  // the connection broke
  return std::string(bytes, read < sizeof(bytes) ? read : sizeof(bytes));
}

int RunUpdateCheck(HWND owner) {
  std::optional<std::string> bytes = ReadVersionFile(SiteAddress(kVersionFilePath));
  switch (AnswerFor(bytes)) {
    case UpdateAnswer::kNewer:
      if (ShowMessageBox(owner, kUpdateQuestionText, kUpdateQuestionCaption, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        ShellOpen(owner, nullptr, SiteAddress(kProgramPagePath));
      }
      break;
    case UpdateAnswer::kUpToDate:
      ShowMessageBox(owner, kUpToDateText, kUpToDateCaption, MB_OK | MB_ICONINFORMATION);
      break;
    case UpdateAnswer::kUnknown:
      // Never "up to date" for a check that did not happen.
      ShowMessageBox(owner, kUncheckedText, kUpToDateCaption, MB_OK | MB_ICONINFORMATION);
      break;
  }
  return bytes ? 1 : 0;
}
