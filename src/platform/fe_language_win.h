// The Japanese input method's language service, a COM object under the
// ProgID "MSIME.Japan" with the interface IFELanguage, which gives the
// reading of a text by reverse conversion. No SDK header of MinGW declares
// it, so it is declared here from its published description.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <optional>
#include <string>

#include "platform/win_handles.h"

constexpr wchar_t kFeLanguageProgId[] = L"MSIME.Japan";
constexpr DWORD kFeRequestReverse = 0x00030000;  // FELANG_REQ_REV: the reading of a written text
constexpr DWORD kFeModeHiraganaOut = 0;          // FELANG_CMODE_HIRAGANAOUT

// The result block of GetJMorphResult (MORRSLT): byte-packed, allocated by
// the service as one block and freed by the caller with CoTaskMemFree.
// Hopdeck reads only output and outputLength.
#pragma pack(push, 1)
struct FeMorphResult {
  DWORD size;                 // of the whole block, in bytes
  WCHAR* output;              // the reading, outputLength units, not terminated
  WORD outputLength;
  WCHAR* read;                // pwchRead / pwchComp
  WORD readLength;            // cchRead / cchComp
  WORD* inputPos;
  WORD* outputIndexWdd;
  WORD* readIndexWdd;
  WORD* monoRubyPos;
  void* wdd;
  INT wddCount;
  void* privateData;
  WCHAR buffer[1];            // where the texts above point
};
#pragma pack(pop)

// The methods in their order after IUnknown.
struct IFELanguage : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Open() = 0;
  virtual HRESULT STDMETHODCALLTYPE Close() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetJMorphResult(DWORD request, DWORD mode, INT inputLength, const WCHAR* input,
                                                    DWORD* characterInfo, FeMorphResult** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetConversionModeCaps(DWORD* caps) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPhonetic(BSTR text, LONG start, LONG length, BSTR* phonetic) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetConversion(BSTR text, LONG start, LONG length, BSTR* conversion) = 0;
};

constexpr IID kFeLanguageIid = {0x019f7152, 0xe6db, 0x11d0, {0x83, 0xc3, 0x00, 0xc0, 0x4f, 0xdd, 0xb8, 0x2e}};
#ifdef __MINGW32__
__CRT_UUID_DECL(IFELanguage, 0x019f7152, 0xe6db, 0x11d0, 0x83, 0xc3, 0x00, 0xc0, 0x4f, 0xdd, 0xb8, 0x2e)
#endif

// The service opened on the calling thread, whose COM must be initialised;
// closed and released with this object, on the same thread.
class FeLanguage {
 public:
  FeLanguage() = default;
  FeLanguage(const FeLanguage&) = delete;
  FeLanguage& operator=(const FeLanguage&) = delete;
  ~FeLanguage();

  // Creates the object registered under progId and opens it. False when the
  // ProgID is not registered, the object cannot be made or will not open.
  [[nodiscard]] bool Open(const wchar_t* progId = kFeLanguageProgId);
  // The reading of text in hiragana; nothing when the call fails. Empty
  // when the service read nothing.
  std::optional<std::wstring> Reading(const std::wstring& text);

 private:
  ComPtr<IFELanguage> language_;
  bool open_ = false;
};
