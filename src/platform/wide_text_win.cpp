#include <windows.h>

#include <vector>

#include "platform/wide_text.h"

void ConvertToUnicode(const char* text, wchar_t* buffer, std::size_t bufferUnits) {
  if (bufferUnits == 0) return;
  buffer[0] = L'\0';
  int needed = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (needed <= 0) return;
  if (static_cast<std::size_t>(needed) <= bufferUnits) {
    MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, needed);
    return;
  }
  // Too long for the caller's buffer: convert whole, keep what fits.
  std::vector<wchar_t> whole(needed);
  MultiByteToWideChar(CP_ACP, 0, text, -1, whole.data(), needed);
  std::size_t keep = bufferUnits - 1;
  if (keep > 0 && whole[keep - 1] >= 0xD800 && whole[keep - 1] <= 0xDBFF) --keep;  // no half surrogate pair
  wmemcpy(buffer, whole.data(), keep);
  buffer[keep] = L'\0';
}

std::wstring WideText(std::string_view text) {
  int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
  return wide;
}
