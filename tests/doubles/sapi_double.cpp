// Stands in for a SAPI 5 voice: an in-process COM server that the test
// prefix registers under CLSID_SpVoice and CLSID_SpObjectTokenCategory. Two
// voices are installed: "English" (Language=409, the default) and "Japanese"
// (Language=411). Of ISpVoice only Speak and SetVoice work; Speak logs the
// text, the flags ("async", "purge", "notxml") and the voice ("voice=...")
// and does not speak. Of the category only SetId (the voices' category only)
// and EnumTokens work, of a token GetId, GetStringValue and MatchesAttributes.
#include "com_double.h"
#include "speech_double_log.h"

#include <sapi.h>

#include <new>
#include <string>
#include <utility>
#include <vector>

namespace {

// CLSID_SpVoice and CLSID_SpObjectTokenCategory.
constexpr CLSID kSpVoiceClass = {0x96749377, 0x3391, 0x11d2, {0x9e, 0xe3, 0x00, 0xc0, 0x4f, 0x79, 0x73, 0x96}};
constexpr CLSID kTokenCategoryClass = {0xa910187f, 0x0c7a, 0x45ac, {0x92, 0xcc, 0x59, 0xed, 0xaf, 0xb7, 0x7b, 0x53}};
// SPERR_NOT_FOUND.
constexpr HRESULT kNotFound = static_cast<HRESULT>(0x8004503AL);
constexpr wchar_t kVoicesCategory[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";

struct InstalledVoice {
  const wchar_t* id;
  const wchar_t* name;
  const wchar_t* language;  // hexadecimal language ids, ";" between them
};
const InstalledVoice kVoices[] = {
    {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\HdEnglish", L"English", L"409"},
    {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\HdJapanese", L"Japanese", L"411"},
};

void CoMemCopy(const wchar_t* text, LPWSTR* out) {
  std::size_t bytes = (static_cast<std::size_t>(lstrlenW(text)) + 1) * sizeof(wchar_t);
  *out = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (*out != nullptr) CopyMemory(*out, text, bytes);
}

// Whether voice has every "Name=Value" of attributes (";" between them); of
// the attributes only Language is known, and any other never matches.
bool Matches(const InstalledVoice& voice, const wchar_t* attributes) {
  if (attributes == nullptr || *attributes == L'\0') return true;
  std::wstring all = attributes;
  std::size_t start = 0;
  while (start <= all.size()) {
    std::size_t end = all.find(L';', start);
    if (end == std::wstring::npos) end = all.size();
    std::wstring one = all.substr(start, end - start);
    std::size_t equals = one.find(L'=');
    if (equals == std::wstring::npos || lstrcmpiW(one.substr(0, equals).c_str(), L"Language") != 0) return false;
    std::wstring wanted = one.substr(equals + 1);
    std::wstring languages = std::wstring(L";") + voice.language + L";";
    if (languages.find(L";" + wanted + L";") == std::wstring::npos) return false;
    start = end + 1;
  }
  return true;
}

#define HD_NOT_IMPLEMENTED_DATA_KEY                                                                              \
  HRESULT STDMETHODCALLTYPE SetData(LPCWSTR, ULONG, const BYTE*) override { return E_NOTIMPL; }                  \
  HRESULT STDMETHODCALLTYPE GetData(LPCWSTR, ULONG*, BYTE*) override { return E_NOTIMPL; }                       \
  HRESULT STDMETHODCALLTYPE SetStringValue(LPCWSTR, LPCWSTR) override { return E_NOTIMPL; }                      \
  HRESULT STDMETHODCALLTYPE SetDWORD(LPCWSTR, DWORD) override { return E_NOTIMPL; }                              \
  HRESULT STDMETHODCALLTYPE GetDWORD(LPCWSTR, DWORD*) override { return E_NOTIMPL; }                             \
  HRESULT STDMETHODCALLTYPE OpenKey(LPCWSTR, ISpDataKey**) override { return E_NOTIMPL; }                        \
  HRESULT STDMETHODCALLTYPE CreateKey(LPCWSTR, ISpDataKey**) override { return E_NOTIMPL; }                      \
  HRESULT STDMETHODCALLTYPE DeleteKey(LPCWSTR) override { return E_NOTIMPL; }                                    \
  HRESULT STDMETHODCALLTYPE DeleteValue(LPCWSTR) override { return E_NOTIMPL; }                                  \
  HRESULT STDMETHODCALLTYPE EnumKeys(ULONG, LPWSTR*) override { return E_NOTIMPL; }                              \
  HRESULT STDMETHODCALLTYPE EnumValues(ULONG, LPWSTR*) override { return E_NOTIMPL; }

class TokenDouble final : public com_double::Counted<ISpObjectToken> {
 public:
  explicit TokenDouble(const InstalledVoice& voice) : voice_(voice) {}
  const InstalledVoice& voice() const { return voice_; }

  // The default value is the voice's name.
  HRESULT STDMETHODCALLTYPE GetStringValue(LPCWSTR name, LPWSTR* value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (name != nullptr && *name != L'\0') return kNotFound;
    CoMemCopy(voice_.name, value);
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HD_NOT_IMPLEMENTED_DATA_KEY
  HRESULT STDMETHODCALLTYPE SetId(LPCWSTR, LPCWSTR, WINBOOL) override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE GetId(LPWSTR* id) override {
    if (id == nullptr) return E_POINTER;
    CoMemCopy(voice_.id, id);
    return *id != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(ISpObjectTokenCategory**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, DWORD, REFIID, void**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetStorageFileName(REFCLSID, LPCWSTR, LPCWSTR, ULONG, LPWSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE RemoveStorageFileName(REFCLSID, LPCWSTR, WINBOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Remove(const CLSID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR, void*, ULONG, IUnknown*, WINBOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG, IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE MatchesAttributes(LPCWSTR attributes, WINBOOL* matches) override {
    if (matches == nullptr) return E_POINTER;
    *matches = Matches(voice_, attributes) ? TRUE : FALSE;
    return S_OK;
  }

 private:
  const InstalledVoice& voice_;
};

class TokenEnumDouble final : public com_double::Counted<IEnumSpObjectTokens> {
 public:
  explicit TokenEnumDouble(std::vector<const InstalledVoice*> voices) : voices_(std::move(voices)) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, ISpObjectToken** tokens, ULONG* fetched) override {
    if (tokens == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG given = 0;
    for (; given < count && next_ < voices_.size(); ++given, ++next_) {
      tokens[given] = new (std::nothrow) TokenDouble(*voices_[next_]);
      if (tokens[given] == nullptr) return E_OUTOFMEMORY;
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ += count;
    return next_ <= voices_.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumSpObjectTokens**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Item(ULONG, ISpObjectToken**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCount(ULONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<ULONG>(voices_.size());
    return S_OK;
  }

 private:
  std::vector<const InstalledVoice*> voices_;
  std::size_t next_ = 0;
};

class CategoryDouble final : public com_double::Counted<ISpObjectTokenCategory> {
 public:
  HRESULT STDMETHODCALLTYPE GetStringValue(LPCWSTR, LPWSTR*) override { return E_NOTIMPL; }
  HD_NOT_IMPLEMENTED_DATA_KEY
  HRESULT STDMETHODCALLTYPE SetId(LPCWSTR id, WINBOOL) override {
    speech_double::Log("SetCategoryId", speech_double::Utf8(id));
    if (set_) return E_UNEXPECTED;
    if (id == nullptr || lstrcmpiW(id, kVoicesCategory) != 0) return kNotFound;
    set_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetId(LPWSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDataKey(SPDATAKEYLOCATION, ISpDataKey**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumTokens(LPCWSTR required, LPCWSTR, IEnumSpObjectTokens** tokens) override {
    speech_double::Log("EnumTokens", required == nullptr ? std::string() : speech_double::Utf8(required));
    if (tokens == nullptr) return E_POINTER;
    *tokens = nullptr;
    if (!set_) return E_UNEXPECTED;
    std::vector<const InstalledVoice*> found;
    for (const InstalledVoice& voice : kVoices) {
      if (Matches(voice, required)) found.push_back(&voice);
    }
    *tokens = new (std::nothrow) TokenEnumDouble(std::move(found));
    return *tokens != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE SetDefaultTokenId(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDefaultTokenId(LPWSTR*) override { return E_NOTIMPL; }

 private:
  bool set_ = false;
};

class VoiceDouble final : public com_double::Counted<ISpVoice> {
 public:
  HRESULT STDMETHODCALLTYPE Speak(LPCWSTR text, DWORD flags, ULONG* streamNumber) override {
    std::string detail;
    if (flags & SPF_ASYNC) detail += "async";
    if (flags & SPF_PURGEBEFORESPEAK) detail += detail.empty() ? "purge" : " purge";
    if (flags & SPF_IS_NOT_XML) detail += detail.empty() ? "notxml" : " notxml";
    detail += std::string(detail.empty() ? "" : " ") + "voice=" + speech_double::Utf8(voice_->name);
    speech_double::Log("Speak", speech_double::Utf8(text), detail);
    speech_double::AnswerSlowly("Speak");
    if (streamNumber != nullptr) *streamNumber = 1;
    return S_OK;
  }

  // ISpNotifySource
  HRESULT STDMETHODCALLTYPE SetNotifySink(ISpNotifySink*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetNotifyWindowMessage(HWND, UINT, WPARAM, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetNotifyCallbackFunction(SPNOTIFYCALLBACK*, WPARAM, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetNotifyCallbackInterface(ISpNotifyCallback*, WPARAM, LPARAM) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetNotifyWin32Event() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE WaitForNotifyEvent(DWORD) override { return E_NOTIMPL; }
  HANDLE STDMETHODCALLTYPE GetNotifyEventHandle() override { return nullptr; }
  // ISpEventSource
  HRESULT STDMETHODCALLTYPE SetInterest(ULONGLONG, ULONGLONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetEvents(ULONG, SPEVENT*, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetInfo(SPEVENTSOURCEINFO*) override { return E_NOTIMPL; }
  // ISpVoice, apart from Speak
  HRESULT STDMETHODCALLTYPE SetOutput(IUnknown*, WINBOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetOutputObjectToken(ISpObjectToken**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetOutputStream(ISpStreamFormat**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Pause() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Resume() override { return E_NOTIMPL; }
  // Only a voice of this stand-in's own; null: the default voice again.
  HRESULT STDMETHODCALLTYPE SetVoice(ISpObjectToken* token) override {
    if (token == nullptr) {
      voice_ = &kVoices[0];
      return S_OK;
    }
    LPWSTR id = nullptr;
    if (FAILED(token->GetId(&id)) || id == nullptr) return E_INVALIDARG;
    const InstalledVoice* chosen = nullptr;
    for (const InstalledVoice& voice : kVoices) {
      if (lstrcmpiW(voice.id, id) == 0) chosen = &voice;
    }
    speech_double::Log("SetVoice", speech_double::Utf8(id));
    CoTaskMemFree(id);
    if (chosen == nullptr) return kNotFound;
    voice_ = chosen;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetVoice(ISpObjectToken**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SpeakStream(IStream*, DWORD, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetStatus(SPVOICESTATUS*, LPWSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Skip(LPCWSTR, LONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetPriority(SPVPRIORITY) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPriority(SPVPRIORITY*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetAlertBoundary(SPEVENTENUM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetAlertBoundary(SPEVENTENUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetRate(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRate(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetVolume(USHORT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVolume(USHORT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE WaitUntilDone(ULONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSyncSpeakTimeout(ULONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSyncSpeakTimeout(ULONG*) override { return E_NOTIMPL; }
  HANDLE STDMETHODCALLTYPE SpeakCompleteEvent() override { return nullptr; }
  HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR, void*, ULONG, WINBOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) override { return E_NOTIMPL; }

 private:
  const InstalledVoice* voice_ = &kVoices[0];  // the default voice
};

}  // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID requested, REFIID iid, void** object) {
  if (requested == kTokenCategoryClass) {
    return com_double::GetClassObject<CategoryDouble>(requested, kTokenCategoryClass, iid, object);
  }
  return com_double::GetClassObject<VoiceDouble>(requested, kSpVoiceClass, iid, object);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }
