#include "platform/fe_language_win.h"

#include <climits>

FeLanguage::~FeLanguage() {
  if (open_) language_->Close();  // nothing to do about a failure here
}

bool FeLanguage::Open(const wchar_t* progId) {
  CLSID classId{};
  if (FAILED(CLSIDFromProgID(progId, &classId))) return false;  // no Japanese input method
  if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, kFeLanguageIid,
                              language_.putVoid())) ||
      !language_) {
    return false;
  }
  open_ = SUCCEEDED(language_->Open());
  if (!open_) language_.reset();
  return open_;
}

std::optional<std::wstring> FeLanguage::Reading(const std::wstring& text) {
  if (!open_ || text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  FeMorphResult* result = nullptr;
  HRESULT answer = language_->GetJMorphResult(kFeRequestReverse, kFeModeHiraganaOut, static_cast<INT>(text.size()),
                                              text.c_str(), nullptr, &result);
  if (FAILED(answer) || result == nullptr) {
    if (result != nullptr) CoTaskMemFree(result);
    return std::nullopt;
  }
  std::wstring reading;
  if (result->output != nullptr) reading.assign(result->output, result->outputLength);
  CoTaskMemFree(result);
  return reading;
}
