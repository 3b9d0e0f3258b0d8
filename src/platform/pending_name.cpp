#include "platform/pending_name.h"

namespace {

constexpr std::string_view kPendingPrefix = "hopdeck-";
constexpr std::string_view kPendingSuffix = ".tmp";

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::string PendingFileName(unsigned long processId, unsigned counter) {
  return std::string(kPendingPrefix) + std::to_string(processId) + "-" + std::to_string(counter) +
         std::string(kPendingSuffix);
}

// Only names this program makes: a user's own "hopdeck-notes.tmp" stays.
bool IsPendingFileName(std::string_view fileName) {
  if (fileName.size() <= kPendingPrefix.size() + kPendingSuffix.size()) return false;
  if (fileName.substr(0, kPendingPrefix.size()) != kPendingPrefix) return false;
  if (fileName.substr(fileName.size() - kPendingSuffix.size()) != kPendingSuffix) return false;
  std::string_view numbers =
      fileName.substr(kPendingPrefix.size(), fileName.size() - kPendingPrefix.size() - kPendingSuffix.size());
  std::size_t dash = numbers.find('-');
  if (dash == std::string_view::npos) return false;
  return IsDigits(numbers.substr(0, dash)) && IsDigits(numbers.substr(dash + 1));
}
