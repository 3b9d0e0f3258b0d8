// Stands in for the Japanese input method's language service: an in-process
// COM server that the test prefix registers under the ProgID "MSIME.Japan".
// It reads a text by a small table of words (the longest first), katakana as
// hiragana, and leaves every other character as it is. Only the reverse
// conversion to hiragana is served, and only between Open and Close, as the
// real one refuses a call on a service that is not open.
//
// Each call appends a UTF-8 line "<function>\t<text>\r\n" to the file named
// by HD_IME_LOG (default C:\hdtest\ime.log; "-" logs nothing, for a
// benchmark that times the caller). HD_IME_OPEN_FAILS=1 makes Open
// fail; HD_IME_CALL_MS=n makes every call take n milliseconds more.
#include "com_double.h"
#include "platform/fe_language_win.h"
#include "speech_double_log.h"

#include <oleauto.h>

#include <cstddef>
#include <cstring>
#include <string>

namespace {

constexpr CLSID kDoubleClass = {0x6a91029e, 0xaa49, 0x471b, {0xae, 0xe7, 0x7d, 0x33, 0x27, 0x85, 0x66, 0x0d}};

struct Word {
  const wchar_t* written;
  const wchar_t* reading;
};
constexpr Word kWords[] = {
    {L"電卓", L"でんたく"}, {L"議事録", L"ぎじろく"}, {L"天気", L"てんき"},   {L"予報", L"よほう"},
    {L"郵便", L"ゆうびん"}, {L"番号", L"ばんごう"},   {L"検索", L"けんさく"}, {L"家計簿", L"かけいぼ"},
    {L"帳", L"ちょう"},     {L"会議", L"かいぎ"},     {L"電話", L"でんわ"},
};

void Log(const char* function, const std::wstring& text) {
  std::wstring path = speech_double::Environment(L"HD_IME_LOG", L"C:\\hdtest\\ime.log");
  if (path == L"-") return;
  std::string line = std::string(function) + "\t" + speech_double::Utf8(text.c_str()) + "\r\n";
  speech_double::AppendLine(path, line, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 10);
}

void Slowly() {
  int ms = _wtoi(speech_double::Environment(L"HD_IME_CALL_MS", L"0").c_str());
  if (ms > 0) Sleep(static_cast<DWORD>(ms));
}

std::wstring Read(const wchar_t* text, std::size_t length) {
  std::wstring reading;
  std::size_t pos = 0;
  while (pos < length) {
    std::size_t best = 0;
    const wchar_t* bestReading = nullptr;
    for (const Word& word : kWords) {
      std::size_t size = wcslen(word.written);
      if (size > best && size <= length - pos && wmemcmp(text + pos, word.written, size) == 0) {
        best = size;
        bestReading = word.reading;
      }
    }
    if (bestReading != nullptr) {
      reading += bestReading;
      pos += best;
      continue;
    }
    wchar_t c = text[pos++];
    if (c >= 0x30A1 && c <= 0x30F6) c = static_cast<wchar_t>(c - 0x60);  // katakana to hiragana
    reading += c;
  }
  return reading;
}

class LanguageDouble final : public com_double::Counted<IFELanguage> {
 public:
  HRESULT STDMETHODCALLTYPE Open() override {
    Log("Open", L"");
    Slowly();
    if (speech_double::Environment(L"HD_IME_OPEN_FAILS", L"0") == L"1") return E_FAIL;
    open_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Close() override {
    Log("Close", L"");
    if (!open_) return E_FAIL;
    open_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetJMorphResult(DWORD request, DWORD mode, INT inputLength, const WCHAR* input,
                                            DWORD*, FeMorphResult** result) override {
    std::wstring text = input != nullptr && inputLength > 0 ? std::wstring(input, static_cast<std::size_t>(inputLength))
                                                           : std::wstring();
    Log("GetJMorphResult", text);
    Slowly();
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    if (!open_) return E_FAIL;
    if (request != kFeRequestReverse) return E_NOTIMPL;
    if (mode != kFeModeHiraganaOut || text.empty()) return E_INVALIDARG;
    std::wstring reading = Read(text.data(), text.size());
    // One block: the head, then the reading in its buffer, as the service lays it out.
    std::size_t bytes = offsetof(FeMorphResult, buffer) + (reading.size() + 1) * sizeof(WCHAR);
    auto* block = static_cast<FeMorphResult*>(CoTaskMemAlloc(bytes));
    if (block == nullptr) return E_OUTOFMEMORY;
    std::memset(block, 0, bytes);
    block->size = static_cast<DWORD>(bytes);
    WCHAR* buffer = reinterpret_cast<WCHAR*>(reinterpret_cast<char*>(block) + offsetof(FeMorphResult, buffer));
    std::memcpy(buffer, reading.data(), reading.size() * sizeof(WCHAR));
    block->output = buffer;
    block->outputLength = static_cast<WORD>(reading.size());
    *result = block;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConversionModeCaps(DWORD* caps) override {
    Log("GetConversionModeCaps", L"");
    if (caps == nullptr) return E_POINTER;
    *caps = 0;
    return open_ ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE GetPhonetic(BSTR text, LONG start, LONG length, BSTR* phonetic) override {
    Log("GetPhonetic", text != nullptr ? std::wstring(text) : std::wstring());
    Slowly();
    if (phonetic == nullptr) return E_POINTER;
    *phonetic = nullptr;
    if (!open_) return E_FAIL;
    LONG size = text != nullptr ? static_cast<LONG>(SysStringLen(text)) : 0;
    // start counts from 1; a length of -1 takes the rest.
    if (start < 1 || start > size || length == 0 || length < -1) return E_INVALIDARG;
    if (length == -1 || length > size - start + 1) length = size - start + 1;
    std::wstring reading = Read(text + start - 1, static_cast<std::size_t>(length));
    *phonetic = SysAllocStringLen(reading.data(), static_cast<UINT>(reading.size()));
    return *phonetic != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetConversion(BSTR, LONG, LONG, BSTR* conversion) override {
    Log("GetConversion", L"");
    if (conversion != nullptr) *conversion = nullptr;
    return E_NOTIMPL;
  }

 private:
  ~LanguageDouble() override {
    if (open_) Log("ReleasedOpen", L"");  // a caller that never closed
  }
  bool open_ = false;
};

}  // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID requested, REFIID iid, void** object) {
  return com_double::GetClassObject<LanguageDouble>(requested, kDoubleClass, iid, object);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }
