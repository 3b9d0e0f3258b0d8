// Stands in for uiautomationcore.dll (the test prefix puts it in system32
// with a native override): the exports Hopdeck looks up.
// UiaClientsAreListening answers FALSE while HD_UIA_LISTENING is "0". The notification
// is logged with its kind, processing and the title of the window whose
// provider raised it, which the provider finds through
// UiaHostProviderFromHwnd, as Windows' own listeners would. As on Windows, a
// notification is heard only from a shown window with a size, and from a
// pop-up window (a dialog) only when it answers WM_GETOBJECT itself; any
// other is logged as "UiaNotificationUnheard".
#include "speech_double_log.h"

#include <ole2.h>
#include <uiautomationcore.h>

#include <string>

namespace {

// The window the provider last asked a host provider for. Hopdeck raises
// notifications from one thread only.
HWND gHostWindow = nullptr;

// UiaRootObjectId, which the compiler's headers do not all define.
constexpr LPARAM kUiaRootObjectId = -25;

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
  HWND hostWindow = gHostWindow;
  RECT client{};
  bool heard = hostWindow != nullptr && IsWindowVisible(hostWindow) && GetClientRect(hostWindow, &client) &&
               client.right > client.left && client.bottom > client.top;
  if (heard && (GetWindowLongW(hostWindow, GWL_STYLE) & WS_POPUP) != 0) {
    DWORD_PTR answer = 0;
    heard = SendMessageTimeoutW(hostWindow, WM_GETOBJECT, 0, kUiaRootObjectId, SMTO_ABORTIFHUNG, 2000, &answer) != 0 &&
            answer != 0;
  }
  // The title is the top-level window's: the one the user is in.
  std::string detail = "kind=" + std::to_string(kind) + " processing=" + std::to_string(processing) +
                       " options=" + std::to_string(static_cast<int>(options)) + " window=" +
                       WindowTitle(hostWindow != nullptr ? GetAncestor(hostWindow, GA_ROOT) : nullptr) +
                       " activity=" + speech_double::Utf8(activity);
  speech_double::Log(heard ? "UiaRaiseNotificationEvent" : "UiaNotificationUnheard", speech_double::Utf8(text), detail);
  speech_double::AnswerSlowly("UiaRaiseNotificationEvent");
  return S_OK;
}

extern "C" BOOL __stdcall UiaClientsAreListening() {
  bool listening = speech_double::Environment(L"HD_UIA_LISTENING", L"1") != L"0";
  speech_double::Log("UiaClientsAreListening", listening ? "1" : "0");
  return listening ? TRUE : FALSE;
}

// Answers WM_GETOBJECT: a provider handed out (nonzero), or, with all zero
// arguments, the provider going away; anything else is refused.
extern "C" LRESULT __stdcall UiaReturnRawElementProvider(HWND window, WPARAM wParam, LPARAM lParam,
                                                         IRawElementProviderSimple* provider) {
  if (window == nullptr || (provider == nullptr && (wParam != 0 || lParam != 0))) {
    speech_double::Log("UiaReturnRawElementProvider", WindowTitle(window), "refused");
    return 0;
  }
  speech_double::Log("UiaReturnRawElementProvider", WindowTitle(GetAncestor(window, GA_ROOT)),
                     provider == nullptr ? "gone" : "provider");
  return provider == nullptr ? 0 : 1;
}

extern "C" HRESULT __stdcall UiaDisconnectProvider(IRawElementProviderSimple* provider) {
  if (provider == nullptr) {
    speech_double::Log("UiaDisconnectProvider", "", "refused");
    return E_INVALIDARG;
  }
  speech_double::Log("UiaDisconnectProvider", "");
  return S_OK;
}
