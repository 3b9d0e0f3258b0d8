// The screen readers' client libraries and objects. Each library is loaded
// the first time it is needed, from the program's own folder or the system
// folder only (PC-Talker's also from the Windows folder), and stays loaded until the process ends; the COM objects are
// created through their registration. A missing library, export or object
// makes only the calls that need it do nothing.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include "platform/system_library_win.h"
#include "platform/win_handles.h"

struct IRawElementProviderSimple;
struct ISpVoice;

// The automation library's strings and values, for the readers that take
// them (JAWS, UI Automation). The library is loaded from the system folder at
// the first call, so a start never pays for it. Without it a string cannot be
// made (nullptr) and freeing or clearing does nothing.
BSTR AllocAutomationString(const wchar_t* text);
void FreeAutomationString(BSTR text);
void ClearAutomationValue(VARIANT* value);

// PC-Talker's user library, "PCTKUSR.dll", from the program's folder, the
// system folder or the Windows folder: status by ordinal 8, speech by ordinal 69.
class PcTalkerLibrary {
 public:
  // Resolves the exports of an already loaded module (nullptr: none).
  explicit PcTalkerLibrary(HMODULE module);
  // The process-wide instance, loaded on first use.
  static const PcTalkerLibrary& Instance();

  // Whether PC-Talker is ready to speak; false without library or export.
  bool IsReady() const;
  // Speaks an ANSI text; does nothing without library or export.
  void Speak(const char* text) const;

 private:
  using StatusFunction = int(WINAPI*)();
  using SpeakFunction = int(__cdecl*)(const char* text, int, int, int);
  StatusFunction status_ = nullptr;
  SpeakFunction speak_ = nullptr;
};

// NVDA's controller client, "nvdaControllerClient.dll", else the older
// "nvdaControllerClient32.dll". Each call does nothing when its export is
// missing.
class NvdaControllerLibrary {
 public:
  explicit NvdaControllerLibrary(HMODULE module);
  static const NvdaControllerLibrary& Instance();

  // Whether a client was loaded (it speaks).
  bool HasClient() const { return speak_ != nullptr; }
  // Whether NVDA answers (testIfRunning returns 0); false without the export.
  bool IsRunning() const;
  void BrailleMessage(const wchar_t* text) const;
  void CancelSpeech() const;
  void SpeakText(const wchar_t* text) const;
  // Whether the library can tell that NVDA is still speaking: only a client
  // with the zero-argument "nvdaController_isSpeakingJp" can.
  bool HasIsSpeaking() const;
  // False without the export.
  bool IsSpeaking() const;

 private:
  using TextFunction = unsigned long(__stdcall*)(const wchar_t* text);
  using PlainFunction = unsigned long(__stdcall*)();
  PlainFunction testIfRunning_ = nullptr;
  TextFunction braille_ = nullptr;
  PlainFunction cancel_ = nullptr;
  TextFunction speak_ = nullptr;
  PlainFunction isSpeaking_ = nullptr;
};

// UI Automation, whose notification event Narrator reads out (and current
// NVDA and JAWS too): "uiautomationcore.dll" from the system folder, its
// exports looked up at run time since Windows before 10 1709 lacks
// UiaRaiseNotificationEvent (and the compiler's headers lack several).
class UiAutomationLibrary {
 public:
  explicit UiAutomationLibrary(HMODULE module);
  static const UiAutomationLibrary& Instance();

  // Raises a notification of kind "other", "important most recent"
  // processing, on provider. False without the export or when it fails.
  [[nodiscard]] bool Notify(IRawElementProviderSimple* provider, const wchar_t* text) const;
  // Whether any UI Automation client listens for events; false without the export.
  bool ClientsAreListening() const;
  // window's host provider; E_NOTIMPL without the export.
  HRESULT HostProvider(HWND window, IRawElementProviderSimple** host) const;
  // The answer to WM_GETOBJECT; 0 without the export.
  LRESULT ReturnProvider(HWND window, WPARAM wParam, LPARAM lParam, IRawElementProviderSimple* provider) const;
  // Tells the clients that provider is gone (Windows 8 on); nothing without the export.
  void Disconnect(IRawElementProviderSimple* provider) const;

 private:
  using NotifyFunction = HRESULT(WINAPI*)(IRawElementProviderSimple* provider, int kind, int processing, BSTR text,
                                          BSTR activity);
  using HostFunction = HRESULT(WINAPI*)(HWND window, IRawElementProviderSimple** host);
  using ReturnFunction = LRESULT(WINAPI*)(HWND window, WPARAM wParam, LPARAM lParam,
                                          IRawElementProviderSimple* provider);
  using DisconnectFunction = HRESULT(WINAPI*)(IRawElementProviderSimple* provider);
  NotifyFunction notify_ = nullptr;
  HostFunction hostFromWindow_ = nullptr;
  using ListeningFunction = BOOL(WINAPI*)();
  ListeningFunction listening_ = nullptr;
  ReturnFunction returnProvider_ = nullptr;
  DisconnectFunction disconnect_ = nullptr;
};

// Whether Narrator runs: it holds the mutex "NarratorRunning" while it does,
// and sets RunningState under HKCU\Software\Microsoft\Narrator\NoRoam.
bool NarratorIsRunning();

// The JAWS API object (ProgID "FreedomSci.JawsApi"), driven through IDispatch
// by name. Use on one COM thread only; the object is created by the first
// call and made again after a call fails or SayString answers FALSE.
class JawsApi {
 public:
  // Whether JAWS runs: its main window exists. Any thread.
  static bool IsRunning();
  [[nodiscard]] bool SayString(const wchar_t* text, bool flush);
  [[nodiscard]] bool StopSpeech();

 private:
  // answeredFalse (may be null): set when the method returned FALSE.
  [[nodiscard]] bool Call(const wchar_t* method, VARIANT* arguments, UINT argumentCount, bool* answeredFalse);
  ComPtr<IDispatch> api_;
};

// A SAPI 5 voice (CLSID_SpVoice). Use on one COM thread only; the voice is
// created by the first call and given the first Japanese voice installed.
class SapiVoice {
 public:
  SapiVoice();
  ~SapiVoice();
  SapiVoice(const SapiVoice&) = delete;
  SapiVoice& operator=(const SapiVoice&) = delete;
  // Speaks asynchronously, purging what the voice was saying.
  [[nodiscard]] bool Speak(const wchar_t* text);

 private:
  ComPtr<ISpVoice> voice_;
};
