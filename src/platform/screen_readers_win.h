// The client libraries of the two screen readers. Each is loaded the first
// time it is needed, from the program's own folder or the system folder only,
// and stays loaded until the process ends. A missing library or export makes
// only the calls that need it do nothing.
#pragma once
#include <windows.h>

// Loads fileName from the folder of the running program, else from the system
// folder. Never from the current directory (the data folder, which every user
// may write) nor from PATH. nullptr when neither folder holds it.
HMODULE LoadFromTrustedFolders(const char* fileName);

// PC-Talker's user library, "PCTKUSR.dll": status by ordinal 8, speech by
// ordinal 69.
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

// NVDA's controller client, "nvdaControllerClient32.dll". Each call does
// nothing when its export is missing.
class NvdaControllerLibrary {
 public:
  explicit NvdaControllerLibrary(HMODULE module);
  static const NvdaControllerLibrary& Instance();

  void BrailleMessage(const wchar_t* text) const;
  void CancelSpeech() const;
  void SpeakText(const wchar_t* text) const;
  // Whether the library can tell that NVDA is still speaking: the stock
  // client has no isSpeaking.
  bool HasIsSpeaking() const;
  // False without the export.
  bool IsSpeaking() const;

 private:
  using TextFunction = unsigned long(__stdcall*)(const wchar_t* text);
  using PlainFunction = unsigned long(__stdcall*)();
  TextFunction braille_ = nullptr;
  PlainFunction cancel_ = nullptr;
  TextFunction speak_ = nullptr;
  PlainFunction isSpeaking_ = nullptr;
};
