// Stands in for the JAWS API object: an in-process COM server whose IDispatch
// knows SayString(text, flush) and StopSpeech(). The test prefix registers it
// under the ProgID "FreedomSci.JawsApi" with the class id below. Arguments
// of the wrong type are refused, as a type library would refuse them.
// HD_JAWS_REFUSE_FIRST=1: the first object made answers SayString with FALSE
// (logged with "refused"), as an object left over from an earlier JAWS does;
// objects made after it speak.
#include "com_double.h"
#include "speech_double_log.h"

#include <oleauto.h>

#include <string>

namespace {

// {7A3D5C2E-4B1F-4E8A-9C6D-2F0B8E1A5D34}, also in scripts/wine-prefix.sh.
constexpr CLSID kJawsApiDoubleClass = {0x7a3d5c2e, 0x4b1f, 0x4e8a, {0x9c, 0x6d, 0x2f, 0x0b, 0x8e, 0x1a, 0x5d, 0x34}};

constexpr DISPID kSayString = 1;
constexpr DISPID kStopSpeech = 2;

LONG gObjectsMade = 0;

class JawsApiDouble final : public com_double::Counted<IDispatch> {
 public:
  JawsApiDouble()
      : refuses_(InterlockedIncrement(&gObjectsMade) == 1 &&
                 speech_double::Environment(L"HD_JAWS_REFUSE_FIRST", L"0") == L"1") {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (names == nullptr || ids == nullptr || count != 1) return E_INVALIDARG;
    if (lstrcmpiW(names[0], L"SayString") == 0) {
      ids[0] = kSayString;
    } else if (lstrcmpiW(names[0], L"StopSpeech") == 0) {
      ids[0] = kStopSpeech;
    } else {
      ids[0] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (parameters == nullptr || (flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
    if (id == kSayString) {
      // The arguments come last one first: flush, then the text.
      if (parameters->cArgs != 2) return DISP_E_BADPARAMCOUNT;
      const VARIANT& flush = parameters->rgvarg[0];
      const VARIANT& text = parameters->rgvarg[1];
      if (text.vt != VT_BSTR || flush.vt != VT_BOOL) return DISP_E_TYPEMISMATCH;
      std::string detail = flush.boolVal ? "flush" : "queue";
      if (refuses_) detail += " refused";
      speech_double::Log("SayString", speech_double::Utf8(text.bstrVal), detail);
      speech_double::AnswerSlowly("SayString");
      if (result != nullptr) {
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = refuses_ ? VARIANT_FALSE : VARIANT_TRUE;
      }
      return S_OK;
    }
    if (id == kStopSpeech) {
      if (parameters->cArgs != 0) return DISP_E_BADPARAMCOUNT;
      speech_double::Log("StopSpeech", "");
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  const bool refuses_;
};

}  // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID requested, REFIID iid, void** object) {
  return com_double::GetClassObject<JawsApiDouble>(requested, kJawsApiDoubleClass, iid, object);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }
