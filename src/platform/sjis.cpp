#include "platform/sjis.h"

#include <cstring>

std::size_t SjisCutLength(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + width > text.size()) width = 1;  // a lone lead byte at the end
    if (pos + width > maxBytes) break;
    pos += width;
  }
  return pos;
}

std::string SjisCut(std::string_view text, std::size_t maxBytes) {
  return std::string(text.substr(0, SjisCutLength(text, maxBytes)));
}

void CopyToField(char* field, std::size_t fieldSize, std::string_view text) {
  if (fieldSize == 0) return;
  std::size_t length = SjisCutLength(text, fieldSize - 1);
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

std::string_view FieldText(const char* field, std::size_t fieldSize) {
  const void* end = std::memchr(field, '\0', fieldSize);
  return std::string_view(field, end ? static_cast<const char*>(end) - field : fieldSize);
}
