#include "platform/screen_readers_win.h"

#include <oleauto.h>
#include <shlwapi.h>
#include <uiautomationcore.h>

#include "platform/system_library_win.h"

namespace {

constexpr char kPcTalkerFile[] = "PCTKUSR.dll";
// NVDA's controller client: the current name first, then the name clients
// before 2024.1 shipped under.
constexpr const char* kNvdaFiles[] = {"nvdaControllerClient.dll", "nvdaControllerClient32.dll"};
constexpr char kUiAutomationFile[] = "uiautomationcore.dll";
constexpr char kNarratorMutex[] = "NarratorRunning";
constexpr char kNarratorKey[] = "Software\\Microsoft\\Narrator\\NoRoam";
constexpr char kNarratorRunningValue[] = "RunningState";

// NotificationKind_Other and NotificationProcessing_ImportantMostRecent: the
// header shipped with the compiler predates them. "Important" cuts in on what
// the reader is saying, as the other engines' cancel, flush and purge do.
constexpr int kNotificationKindOther = 4;
constexpr int kNotificationProcessingImportantMostRecent = 1;
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
  // PC-Talker installs its library system-wide, in the Windows folder.
  static const PcTalkerLibrary library([] {
    HMODULE module = LoadFromTrustedFolders(kPcTalkerFile);
    return module != nullptr ? module : LoadFromWindowsFolder(kPcTalkerFile);
  }());
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
      // Only the export whose form is known: "nvdaController_isSpeaking" takes no
      // argument in some clients and a pointer to the answer in others, and the
      // file does not tell which; a call in the wrong form corrupts the stack.
      isSpeaking_(LibraryFunction<PlainFunction>(module, "nvdaController_isSpeakingJp")) {}

namespace {

HMODULE LoadNvdaClient() {
  for (const char* file : kNvdaFiles) {
    if (HMODULE module = LoadFromTrustedFolders(file)) return module;
  }
  return nullptr;
}

}  // namespace

const NvdaControllerLibrary& NvdaControllerLibrary::Instance() {
  static const NvdaControllerLibrary library(LoadNvdaClient());
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

UiAutomationLibrary::UiAutomationLibrary(HMODULE module)
    : notify_(LibraryFunction<NotifyFunction>(module, "UiaRaiseNotificationEvent")),
      hostFromWindow_(LibraryFunction<HostFunction>(module, "UiaHostProviderFromHwnd")),
      listening_(LibraryFunction<ListeningFunction>(module, "UiaClientsAreListening")),
      returnProvider_(LibraryFunction<ReturnFunction>(module, "UiaReturnRawElementProvider")),
      disconnect_(LibraryFunction<DisconnectFunction>(module, "UiaDisconnectProvider")) {}

bool UiAutomationLibrary::ClientsAreListening() const { return listening_ != nullptr && listening_() != FALSE; }

// A system library: a copy beside the program has no business being loaded.
const UiAutomationLibrary& UiAutomationLibrary::Instance() {
  static const UiAutomationLibrary library(LoadFromSystemFolder(kUiAutomationFile));
  return library;
}

bool UiAutomationLibrary::Notify(IRawElementProviderSimple* provider, const wchar_t* text) const {
  if (notify_ == nullptr || hostFromWindow_ == nullptr || provider == nullptr) return false;
  BSTR message = AllocAutomationString(text);
  BSTR activity = AllocAutomationString(kNotificationActivity);
  HRESULT result = E_OUTOFMEMORY;
  if (message != nullptr && activity != nullptr) {
    result = notify_(provider, kNotificationKindOther, kNotificationProcessingImportantMostRecent, message, activity);
  }
  FreeAutomationString(message);  // either may be null, which it ignores
  FreeAutomationString(activity);
  return SUCCEEDED(result);
}

HRESULT UiAutomationLibrary::HostProvider(HWND window, IRawElementProviderSimple** host) const {
  if (hostFromWindow_ == nullptr) return E_NOTIMPL;
  return hostFromWindow_(window, host);
}

LRESULT UiAutomationLibrary::ReturnProvider(HWND window, WPARAM wParam, LPARAM lParam,
                                            IRawElementProviderSimple* provider) const {
  return returnProvider_ != nullptr ? returnProvider_(window, wParam, lParam, provider) : 0;
}

void UiAutomationLibrary::Disconnect(IRawElementProviderSimple* provider) const {
  if (disconnect_ != nullptr) disconnect_(provider);  // failed: the clients find out at their next call
}

bool NarratorIsRunning() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kNarratorMutex);
  if (mutex != nullptr) {
    CloseHandle(mutex);
    return true;
  }
  // A mutex we may not open still exists.
  if (GetLastError() == ERROR_ACCESS_DENIED) return true;
  DWORD running = 0;
  DWORD size = sizeof(running);
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kNarratorKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  LONG result = RegQueryValueExA(key, kNarratorRunningValue, nullptr, &type, reinterpret_cast<BYTE*>(&running), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(running) && running != 0;
}
