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

// CLSID_SpObjectTokenCategory and IID_ISpObjectTokenCategory.
constexpr CLSID kTokenCategoryClass = {0xa910187f, 0x0c7a, 0x45ac, {0x92, 0xcc, 0x59, 0xed, 0xaf, 0xb7, 0x7b, 0x53}};
constexpr IID kTokenCategoryInterface = {0x2d3d3845, 0x39af, 0x4850, {0xbb, 0xf9, 0x40, 0xb4, 0x97, 0x80, 0x01, 0x1d}};
// The voices' category and the attribute of a Japanese voice (language 0x411).
constexpr wchar_t kVoicesCategory[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";
constexpr wchar_t kJapaneseVoiceAttributes[] = L"Language=411";

// Gives voice the first Japanese voice installed; where there is none, or
// the voices cannot be listed, the voice keeps the default one.
void ChooseJapaneseVoice(ISpVoice* voice) {
  ComPtr<ISpObjectTokenCategory> category;
  if (FAILED(CoCreateInstance(kTokenCategoryClass, nullptr, CLSCTX_INPROC_SERVER, kTokenCategoryInterface,
                              category.putVoid())) ||
      FAILED(category->SetId(kVoicesCategory, FALSE))) {
    return;
  }
  ComPtr<IEnumSpObjectTokens> tokens;
  if (FAILED(category->EnumTokens(kJapaneseVoiceAttributes, nullptr, tokens.put())) || !tokens) return;
  ComPtr<ISpObjectToken> token;
  ULONG fetched = 0;
  if (tokens->Next(1, token.put(), &fetched) != S_OK || fetched != 1 || !token) return;
  voice->SetVoice(token.get());  // failed: the default voice stays
}

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
  // FALSE: JAWS did not take the text, as when the object outlived the JAWS
  // it was made for; one made afresh gets one more try.
  bool refused = false;
  bool said = Call(L"SayString", arguments, 2, &refused) && !refused;
  if (refused) {
    api_.reset();
    said = Call(L"SayString", arguments, 2, &refused) && !refused;
  }
  FreeAutomationString(arguments[1].bstrVal);
  return said;
}

bool JawsApi::StopSpeech() { return Call(L"StopSpeech", nullptr, 0, nullptr); }

bool JawsApi::Call(const wchar_t* method, VARIANT* arguments, UINT argumentCount, bool* answeredFalse) {
  if (answeredFalse != nullptr) *answeredFalse = false;
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
    if (SUCCEEDED(result) && answeredFalse != nullptr && answer.vt == VT_BOOL && answer.boolVal == VARIANT_FALSE) {
      *answeredFalse = true;
    }
    ClearAutomationValue(&answer);
  }
  // JAWS restarted or gone: the next text makes the object afresh.
  if (FAILED(result)) api_.reset();
  return SUCCEEDED(result);
}

SapiVoice::SapiVoice() = default;
SapiVoice::~SapiVoice() = default;

bool SapiVoice::Speak(const wchar_t* text) {
  if (!voice_) {
    if (FAILED(CoCreateInstance(kSpVoiceClass, nullptr, CLSCTX_ALL, kSpVoiceInterface, voice_.putVoid()))) {
      voice_.reset();
      return false;  // no SAPI, or no voice installed
    }
    ChooseJapaneseVoice(voice_.get());
  }
  // Not XML: a name with "<" or "&" is said as it is written.
  return SUCCEEDED(voice_->Speak(text, SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr));
}
