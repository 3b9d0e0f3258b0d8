// Stands in for uiautomationcore.dll (the test prefix puts it in system32
// with a native override): the exports Hopdeck looks up.
// UiaClientsAreListening answers FALSE while HD_UIA_LISTENING is "0". The notification
// is logged with its kind, processing and the title of the window whose
// provider raised it, which the provider finds through
// UiaHostProviderFromHwnd, as Windows' own listeners would.
#include "speech_double_log.h"

#include <ole2.h>
#include <uiautomationcore.h>

#include <string>

namespace {

// The window the provider last asked a host provider for. Hopdeck raises
// notifications from one thread only.
HWND gHostWindow = nullptr;

std::string WindowTitle(HWND window) {
  if (window == nullptr) return "(none)";
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  return speech_double::Utf8(title);
}

}  // namespace

// No host object is made: the window is all a test needs to know.
extern "C" HRESULT __stdcall UiaHostProviderFromHwnd(HWND window, IRawElementProviderSimple** host) {
  if (host == nullptr) return E_INVALIDARG;
  *host = nullptr;
  gHostWindow = window;
  return E_NOTIMPL;
}

extern "C" HRESULT __stdcall UiaRaiseNotificationEvent(IRawElementProviderSimple* provider, int kind, int processing,
                                                       BSTR text, BSTR activity) {
  if (provider == nullptr) return E_INVALIDARG;
  gHostWindow = nullptr;
  ProviderOptions options{};
  provider->get_ProviderOptions(&options);
  IRawElementProviderSimple* host = nullptr;
  provider->get_HostRawElementProvider(&host);
  if (host != nullptr) host->Release();
  std::string detail = "kind=" + std::to_string(kind) + " processing=" + std::to_string(processing) +
                       " options=" + std::to_string(static_cast<int>(options)) +
                       " window=" + WindowTitle(gHostWindow) + " activity=" + speech_double::Utf8(activity);
  speech_double::Log("UiaRaiseNotificationEvent", speech_double::Utf8(text), detail);
  speech_double::AnswerSlowly("UiaRaiseNotificationEvent");
  return S_OK;
}

extern "C" BOOL __stdcall UiaClientsAreListening() {
  bool listening = speech_double::Environment(L"HD_UIA_LISTENING", L"1") != L"0";
  speech_double::Log("UiaClientsAreListening", listening ? "1" : "0");
  return listening ? TRUE : FALSE;
}
