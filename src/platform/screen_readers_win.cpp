#include "platform/screen_readers_win.h"

#include <oleauto.h>
#include <shlwapi.h>
#include <uiautomationcore.h>

#include <new>

#include "platform/system_library_win.h"

namespace {

constexpr char kPcTalkerFile[] = "PCTKUSR.dll";
constexpr char kNvdaFile[] = "nvdaControllerClient32.dll";
constexpr char kUiAutomationFile[] = "uiautomationcore.dll";

// NotificationKind_Other and NotificationProcessing_MostRecent: the header
// shipped with the compiler predates them.
constexpr int kNotificationKindOther = 4;
constexpr int kNotificationProcessingMostRecent = 3;
// Names where the notifications come from, for a reader that sorts them.
constexpr wchar_t kNotificationActivity[] = L"Hopdeck";

// PC-Talker's exports have no names, only ordinals.
constexpr WORD kPcTalkerStatusOrdinal = 8;
constexpr WORD kPcTalkerSpeakOrdinal = 69;

// Export 69 takes these after the text, always in this order.
constexpr int kPcTalkerSpeakArgs[3] = {5, 1, 0};

struct OleAutomation {
  using AllocFunction = BSTR(WINAPI*)(const OLECHAR*);
  using FreeFunction = void(WINAPI*)(BSTR);
  using ClearFunction = HRESULT(WINAPI*)(VARIANT*);
  AllocFunction alloc = nullptr;
  FreeFunction free = nullptr;
  ClearFunction clear = nullptr;

  static const OleAutomation& Instance() {
    static const OleAutomation library = [] {
      OleAutomation loaded;
      HMODULE module = LoadFromSystemFolder("oleaut32.dll");
      loaded.alloc = LibraryFunction<AllocFunction>(module, "SysAllocString");
      loaded.free = LibraryFunction<FreeFunction>(module, "SysFreeString");
      loaded.clear = LibraryFunction<ClearFunction>(module, "VariantClear");
      return loaded;
    }();
    return library;
  }
};

}  // namespace

BSTR AllocAutomationString(const wchar_t* text) {
  const OleAutomation& library = OleAutomation::Instance();
  return library.alloc != nullptr ? library.alloc(text) : nullptr;
}

void FreeAutomationString(BSTR text) {
  const OleAutomation& library = OleAutomation::Instance();
  if (library.free != nullptr) library.free(text);
}

void ClearAutomationValue(VARIANT* value) {
  const OleAutomation& library = OleAutomation::Instance();
  if (library.clear != nullptr) library.clear(value);
}

// The libraries are never freed: speech threads may still be inside them
// while the process exits, and nothing is gained by unloading earlier.

PcTalkerLibrary::PcTalkerLibrary(HMODULE module)
    : status_(LibraryFunction<StatusFunction>(module, MAKEINTRESOURCEA(kPcTalkerStatusOrdinal))),
      speak_(LibraryFunction<SpeakFunction>(module, MAKEINTRESOURCEA(kPcTalkerSpeakOrdinal))) {}

const PcTalkerLibrary& PcTalkerLibrary::Instance() {
  static const PcTalkerLibrary library(LoadFromTrustedFolders(kPcTalkerFile));
  return library;
}

bool PcTalkerLibrary::IsReady() const { return status_ != nullptr && status_() != 0; }

void PcTalkerLibrary::Speak(const char* text) const {
  if (speak_ != nullptr) speak_(text, kPcTalkerSpeakArgs[0], kPcTalkerSpeakArgs[1], kPcTalkerSpeakArgs[2]);
}

NvdaControllerLibrary::NvdaControllerLibrary(HMODULE module)
    : testIfRunning_(LibraryFunction<PlainFunction>(module, "nvdaController_testIfRunning")),
      braille_(LibraryFunction<TextFunction>(module, "nvdaController_brailleMessage")),
      cancel_(LibraryFunction<PlainFunction>(module, "nvdaController_cancelSpeech")),
      speak_(LibraryFunction<TextFunction>(module, "nvdaController_speakText")),
      isSpeaking_(LibraryFunction<PlainFunction>(module, "nvdaController_isSpeaking")) {}

const NvdaControllerLibrary& NvdaControllerLibrary::Instance() {
  static const NvdaControllerLibrary library(LoadFromTrustedFolders(kNvdaFile));
  return library;
}

bool NvdaControllerLibrary::IsRunning() const { return testIfRunning_ != nullptr && testIfRunning_() == 0; }

// The results of braille, cancel and speak change nothing: a failing reader is silent.
void NvdaControllerLibrary::BrailleMessage(const wchar_t* text) const {
  if (braille_ != nullptr) braille_(text);
}

void NvdaControllerLibrary::CancelSpeech() const {
  if (cancel_ != nullptr) cancel_();
}

void NvdaControllerLibrary::SpeakText(const wchar_t* text) const {
  if (speak_ != nullptr) speak_(text);
}

bool NvdaControllerLibrary::HasIsSpeaking() const { return isSpeaking_ != nullptr; }

bool NvdaControllerLibrary::IsSpeaking() const { return isSpeaking_ != nullptr && isSpeaking_() != 0; }

// The least a provider must do to carry a notification: it stands for the
// window, and everything else about it comes from the window's own host
// provider. Immutable, so any thread UI Automation calls it on is safe.
class UiAutomationLibrary::WindowProvider final : public IRawElementProviderSimple {
 public:
  WindowProvider(HWND window, HostFunction hostFromWindow) : window_(window), hostFromWindow_(hostFromWindow) {}

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
    return hostFromWindow_(window_, host);
  }

 private:
  ~WindowProvider() = default;  // only Release deletes

  LONG references_ = 1;
  HWND window_;
  HostFunction hostFromWindow_;
};

UiAutomationLibrary::UiAutomationLibrary(HMODULE module)
    : notify_(LibraryFunction<NotifyFunction>(module, "UiaRaiseNotificationEvent")),
      hostFromWindow_(LibraryFunction<HostFunction>(module, "UiaHostProviderFromHwnd")) {}

// A system library: a copy beside the program has no business being loaded.
const UiAutomationLibrary& UiAutomationLibrary::Instance() {
  static const UiAutomationLibrary library(LoadFromSystemFolder(kUiAutomationFile));
  return library;
}

bool UiAutomationLibrary::Notify(HWND window, const wchar_t* text) const {
  if (notify_ == nullptr || hostFromWindow_ == nullptr) return false;
  auto* provider = new (std::nothrow) WindowProvider(window, hostFromWindow_);
  if (provider == nullptr) return false;
  BSTR message = AllocAutomationString(text);
  BSTR activity = AllocAutomationString(kNotificationActivity);
  HRESULT result = E_OUTOFMEMORY;
  if (message != nullptr && activity != nullptr) {
    result = notify_(provider, kNotificationKindOther, kNotificationProcessingMostRecent, message, activity);
  }
  FreeAutomationString(message);  // either may be null, which it ignores
  FreeAutomationString(activity);
  provider->Release();  // UI Automation holds its own reference while it needs one
  return SUCCEEDED(result);
}
