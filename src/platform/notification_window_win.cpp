// The notification windows and the provider each of them hands to UI
// Automation.
#include "platform/notification_window_win.h"

#include <uiautomationcore.h>

#include <mutex>
#include <new>
#include <vector>

#include "platform/screen_readers_win.h"

namespace {

// UiaRootObjectId, as WM_GETOBJECT's lParam carries it.
constexpr LONG kUiaRootObjectId = -25;

constexpr char kNotificationClass[] = "HdNotification";

// The least a provider must do to carry a notification: it stands for one
// window, and everything else about it comes from the window's own host
// provider. Immutable apart from its count, so any thread UI Automation
// calls it on is safe.
class WindowProvider final : public IRawElementProviderSimple {
 public:
  explicit WindowProvider(HWND window) : window_(window) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IRawElementProviderSimple)) {
      *object = static_cast<IRawElementProviderSimple*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
    if (options == nullptr) return E_POINTER;
    *options = ProviderOptions_ServerSideProvider;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override {
    if (pattern == nullptr) return E_POINTER;
    *pattern = nullptr;  // no patterns of its own
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* value) override {
    if (value == nullptr) return E_POINTER;
    *value = VARIANT{};  // VT_EMPTY: the host provider answers instead
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
    if (host == nullptr) return E_POINTER;
    *host = nullptr;
    return UiAutomationLibrary::Instance().HostProvider(window_, host);
  }

 private:
  ~WindowProvider() = default;  // only Release deletes

  LONG references_ = 1;
  HWND window_;
};

// The notification windows there are, by parent: made and destroyed on the
// user-interface thread, looked up from the speech thread.
struct NotificationWindow {
  HWND parent;
  HWND window;
  WindowProvider* provider;  // one reference, held until the window goes
  bool handedOut;            // whether UI Automation ever saw the provider
};
std::mutex gNotificationLock;
std::vector<NotificationWindow> gNotificationWindows;

NotificationWindow* FindByWindow(HWND window) {
  for (NotificationWindow& entry : gNotificationWindows) {
    if (entry.window == window) return &entry;
  }
  return nullptr;
}

// The provider of parent's notification window with a reference for the
// caller, or nullptr.
WindowProvider* TakeProviderOf(HWND parent) {
  if (parent == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(gNotificationLock);
  for (NotificationWindow& entry : gNotificationWindows) {
    if (entry.parent == parent) {
      entry.handedOut = true;
      entry.provider->AddRef();
      return entry.provider;
    }
  }
  return nullptr;
}

LRESULT CALLBACK NotificationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == kUiaRootObjectId) {
        WindowProvider* provider = nullptr;
        {
          std::lock_guard<std::mutex> lock(gNotificationLock);
          if (NotificationWindow* entry = FindByWindow(window)) {
            entry->handedOut = true;
            provider = entry->provider;
            provider->AddRef();
          }
        }
        if (provider != nullptr) {
          LRESULT answer = UiAutomationLibrary::Instance().ReturnProvider(window, wParam, lParam, provider);
          provider->Release();
          return answer;
        }
      }
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCDESTROY: {
      NotificationWindow gone{};
      {
        std::lock_guard<std::mutex> lock(gNotificationLock);
        for (auto it = gNotificationWindows.begin(); it != gNotificationWindows.end(); ++it) {
          if (it->window == window) {
            gone = *it;
            gNotificationWindows.erase(it);
            break;
          }
        }
      }
      if (gone.provider != nullptr) {
        // A library never asked for is not loaded just to be told nothing.
        if (gone.handedOut) {
          const UiAutomationLibrary& library = UiAutomationLibrary::Instance();
          library.ReturnProvider(window, 0, 0, nullptr);  // the documented "provider gone"
          library.Disconnect(gone.provider);
        }
        gone.provider->Release();
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterNotificationClass(HINSTANCE instance) {
  static const bool registered = [instance] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = NotificationWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kNotificationClass;
    windowClass.hbrBackground = nullptr;  // draws nothing
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

void CreateNotificationWindow(HWND parent) {
  if (parent == nullptr) return;
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  if (!RegisterNotificationClass(instance)) return;
  // A group of its own, so that a dialog's arrow keys never wander into it.
  HWND window = CreateWindowExA(0, kNotificationClass, "", WS_CHILD | WS_VISIBLE | WS_GROUP, 0, 0, 1, 1, parent,
                                nullptr, instance, nullptr);
  if (window == nullptr) return;  // the main window's then carries parent's notifications
  auto* provider = new (std::nothrow) WindowProvider(window);
  if (provider == nullptr) {
    DestroyWindow(window);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(gNotificationLock);
    try {
      gNotificationWindows.push_back({parent, window, provider, false});
    } catch (...) {
      provider->Release();
      provider = nullptr;
    }
  }
  if (provider == nullptr) {
    DestroyWindow(window);
    return;
  }
  // Behind every control, and never in the tab order.
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool RaiseNotification(HWND window, HWND fallback, const wchar_t* text) {
  WindowProvider* provider = TakeProviderOf(window);
  if (provider == nullptr) provider = TakeProviderOf(fallback);
  if (provider == nullptr && window != nullptr) provider = new (std::nothrow) WindowProvider(window);
  if (provider == nullptr) return false;
  bool raised = UiAutomationLibrary::Instance().Notify(provider, text);
  provider->Release();  // UI Automation holds its own reference while it needs one
  return raised;
}
