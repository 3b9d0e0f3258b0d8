#include "pickers/send_to_list.h"

#include "pickers/picker_texts.h"
#include "platform/sjis_find.h"
#include "platform/sjis.h"

namespace {
constexpr std::string_view kLinkEnding = ".lnk";
}

std::optional<std::string> SendToEntryName(std::string_view fileName) {
  if (fileName.size() <= kLinkEnding.size()) return std::nullopt;
  std::size_t stem = fileName.size() - kLinkEnding.size();
  // The ending must start a character: the bytes of ".lnk" can also be the
  // second half of a double-byte character.
  if (SjisCutLength(fileName, stem) != stem) return std::nullopt;
  if (FindInIgnoreCase(fileName.substr(stem), kLinkEnding) != 0) return std::nullopt;
  return std::string(fileName.substr(0, stem));
}

std::string SendToDeleteQuestion(std::string_view name) {
  return std::string(name) + kSendToDeleteQuestionTail;
}

int SelectionAfterDelete(int deletedIndex, int remaining) {
  if (remaining <= 0) return -1;
  if (deletedIndex < 0) return 0;
  return deletedIndex < remaining ? deletedIndex : remaining - 1;
}
