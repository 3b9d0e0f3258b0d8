#include "platform/screen_readers_win.h"

#include <shlwapi.h>

namespace {

constexpr char kPcTalkerFile[] = "PCTKUSR.dll";
constexpr char kNvdaFile[] = "nvdaControllerClient32.dll";

// PC-Talker's exports have no names, only ordinals.
constexpr WORD kPcTalkerStatusOrdinal = 8;
constexpr WORD kPcTalkerSpeakOrdinal = 69;

// Export 69 takes these after the text, always in this order.
constexpr int kPcTalkerSpeakArgs[3] = {5, 1, 0};

// Loads one full path so that the library's own dependencies also come from
// its folder or the system folder, never from the current directory.
HMODULE LoadFullPath(const char* path) {
  HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    // Windows 7 without the update that brought the LOAD_LIBRARY_SEARCH flags.
    module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return module;
}

HMODULE LoadFromFolder(const char* folder, const char* fileName) {
  char path[MAX_PATH] = {};
  if (lstrlenA(folder) == 0 || lstrlenA(folder) >= MAX_PATH) return nullptr;
  lstrcpynA(path, folder, MAX_PATH);
  if (!PathAppendA(path, fileName)) return nullptr;  // too long for MAX_PATH
  return LoadFullPath(path);
}

template <typename Function>
Function Export(HMODULE module, const char* nameOrOrdinal) {
  if (module == nullptr) return nullptr;
  // Through void(*)() so the compiler accepts the cast between function types.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, nameOrOrdinal)));
}

}  // namespace

HMODULE LoadFromTrustedFolders(const char* fileName) {
  char programFolder[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, programFolder, MAX_PATH);
  if (length > 0 && length < MAX_PATH && PathRemoveFileSpecA(programFolder)) {
    if (HMODULE module = LoadFromFolder(programFolder, fileName)) return module;
  }
  char systemFolder[MAX_PATH + 1] = {};
  UINT systemLength = GetSystemDirectoryA(systemFolder, MAX_PATH);
  if (systemLength > 0 && systemLength < MAX_PATH) return LoadFromFolder(systemFolder, fileName);
  return nullptr;
}

// The libraries are never freed: speech threads may still be inside them
// while the process exits, and nothing is gained by unloading earlier.

PcTalkerLibrary::PcTalkerLibrary(HMODULE module)
    : status_(Export<StatusFunction>(module, MAKEINTRESOURCEA(kPcTalkerStatusOrdinal))),
      speak_(Export<SpeakFunction>(module, MAKEINTRESOURCEA(kPcTalkerSpeakOrdinal))) {}

const PcTalkerLibrary& PcTalkerLibrary::Instance() {
  static const PcTalkerLibrary library(LoadFromTrustedFolders(kPcTalkerFile));
  return library;
}

bool PcTalkerLibrary::IsReady() const { return status_ != nullptr && status_() != 0; }

void PcTalkerLibrary::Speak(const char* text) const {
  if (speak_ != nullptr) speak_(text, kPcTalkerSpeakArgs[0], kPcTalkerSpeakArgs[1], kPcTalkerSpeakArgs[2]);
}

NvdaControllerLibrary::NvdaControllerLibrary(HMODULE module)
    : braille_(Export<TextFunction>(module, "nvdaController_brailleMessage")),
      cancel_(Export<PlainFunction>(module, "nvdaController_cancelSpeech")),
      speak_(Export<TextFunction>(module, "nvdaController_speakText")),
      isSpeaking_(Export<PlainFunction>(module, "nvdaController_isSpeaking")) {}

const NvdaControllerLibrary& NvdaControllerLibrary::Instance() {
  static const NvdaControllerLibrary library(LoadFromTrustedFolders(kNvdaFile));
  return library;
}

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
