// The two screen-reader bindings that are COM objects: the JAWS API, driven
// late-bound through IDispatch as its makers document it, and a SAPI 5 voice.
#include "platform/screen_readers_win.h"

#include <oleauto.h>
#include <sapi.h>

namespace {

// JAWS runs while its main window, of this class, exists.
constexpr char kJawsWindowClass[] = "JFWUI2";
constexpr wchar_t kJawsProgId[] = L"FreedomSci.JawsApi";

// CLSID_SpVoice and IID_ISpVoice, written out so no import library is needed.
constexpr CLSID kSpVoiceClass = {0x96749377, 0x3391, 0x11d2, {0x9e, 0xe3, 0x00, 0xc0, 0x4f, 0x79, 0x73, 0x96}};
constexpr IID kSpVoiceInterface = {0x6c44df74, 0x72b9, 0x4992, {0xa1, 0xec, 0xef, 0x99, 0x6e, 0x04, 0x22, 0xd4}};

}  // namespace

bool JawsApi::IsRunning() { return FindWindowA(kJawsWindowClass, nullptr) != nullptr; }

bool JawsApi::SayString(const wchar_t* text, bool flush) {
  // IDispatch takes the arguments last one first: flush, then the text.
  VARIANT arguments[2] = {};
  arguments[0].vt = VT_BOOL;
  arguments[0].boolVal = flush ? VARIANT_TRUE : VARIANT_FALSE;
  arguments[1].vt = VT_BSTR;
  arguments[1].bstrVal = AllocAutomationString(text);
  if (arguments[1].bstrVal == nullptr) return false;
  bool said = Call(L"SayString", arguments, 2);
  FreeAutomationString(arguments[1].bstrVal);
  return said;
}

bool JawsApi::StopSpeech() { return Call(L"StopSpeech", nullptr, 0); }

bool JawsApi::Call(const wchar_t* method, VARIANT* arguments, UINT argumentCount) {
  if (!api_) {
    CLSID classId{};
    if (FAILED(CLSIDFromProgID(kJawsProgId, &classId))) return false;  // JAWS not installed
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                api_.putVoid()))) {
      return false;
    }
  }
  LPOLESTR name = const_cast<LPOLESTR>(method);
  DISPID id = 0;
  HRESULT result = api_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(result)) {
    DISPPARAMS parameters{arguments, nullptr, argumentCount, 0};
    VARIANT answer = {};  // VT_EMPTY
    result = api_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &answer, nullptr, nullptr);
    ClearAutomationValue(&answer);  // whether JAWS spoke changes nothing here
  }
  // JAWS restarted or gone: the next text makes the object afresh.
  if (FAILED(result)) api_.reset();
  return SUCCEEDED(result);
}

SapiVoice::SapiVoice() = default;
SapiVoice::~SapiVoice() = default;

bool SapiVoice::Speak(const wchar_t* text) {
  if (!voice_ && FAILED(CoCreateInstance(kSpVoiceClass, nullptr, CLSCTX_ALL, kSpVoiceInterface, voice_.putVoid()))) {
    return false;  // no SAPI, or no voice installed
  }
  return SUCCEEDED(voice_->Speak(text, SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr));
}
