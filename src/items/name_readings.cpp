#include "items/name_readings.h"

#include <set>

#include "platform/sjis.h"

bool NeedsReading(std::string_view name) {
  for (std::size_t pos = 0; pos < name.size();) {
    auto lead = static_cast<unsigned char>(name[pos]);
    if (!IsSjisLeadByte(lead) || pos + 1 == name.size()) {
      ++pos;  // ASCII, half-width kana, or a lone byte no service could read
      continue;
    }
    auto trail = static_cast<unsigned char>(name[pos + 1]);
    // Rows 81 (signs and marks), 82 (full-width digits, letters, hiragana)
    // and 83 up to ヶ (katakana) need none; then Greek, Cyrillic, the kanji
    // (88 onwards, with the NEC and IBM rows and the user-defined ones).
    if (lead >= 0x88 || (lead == 0x83 && trail > 0x96) || (lead == 0x84 && trail <= 0x91)) return true;
    pos += 2;
  }
  return false;
}

std::optional<std::string> UsableReading(std::string_view reading) {
  for (char c : reading) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
  }
  std::string kept = SjisCut(reading, kReadingMaxBytes);
  if (kept.find_first_not_of(' ') == std::string::npos) return std::nullopt;
  return kept;
}

void NameReadings::Merge(const ReadingTable& table) {
  std::lock_guard<std::mutex> hold(lock_);
  for (const auto& [name, reading] : table.byName) {
    if (!table_.byName.emplace(name, reading).second) continue;
    if (reading) learnt_.emplace_back(name, *reading);
    ++changes_;
  }
  if (!outcomeSet_) table_.serviceWorked = table.serviceWorked;
}

void NameReadings::Learn(const std::string& name, std::string reading) {
  std::lock_guard<std::mutex> hold(lock_);
  std::optional<std::string>& known = table_.byName[name];
  if (known == reading) return;
  known = reading;
  learnt_.emplace_back(name, std::move(reading));
  ++changes_;
}

void NameReadings::Miss(const std::string& name) {
  std::lock_guard<std::mutex> hold(lock_);
  auto [at, added] = table_.byName.emplace(name, std::nullopt);
  if (added) ++changes_;
}

void NameReadings::SetServiceWorked(bool worked) {
  std::lock_guard<std::mutex> hold(lock_);
  outcomeSet_ = true;
  if (table_.serviceWorked == worked) return;
  table_.serviceWorked = worked;
  ++changes_;
}

bool NameReadings::Knows(const std::string& name, bool knownMissing) const {
  std::lock_guard<std::mutex> hold(lock_);
  auto known = table_.byName.find(name);
  return known != table_.byName.end() && (known->second || knownMissing);
}

ReadingRequest NameReadings::ToAsk(const std::vector<std::string>& names) const {
  std::lock_guard<std::mutex> hold(lock_);
  ReadingRequest request;
  std::set<std::string_view> seen;
  for (const std::string& name : names) {
    if (!NeedsReading(name) || !seen.insert(name).second) continue;
    auto known = table_.byName.find(name);
    if (known == table_.byName.end()) {
      request.fresh.push_back(name);
    } else if (!known->second && !table_.serviceWorked) {
      request.retry.push_back(name);
    }
  }
  return request;
}

std::size_t NameReadings::KnownSince(std::size_t from, std::vector<std::pair<std::string, std::string>>& out) const {
  std::lock_guard<std::mutex> hold(lock_);
  for (std::size_t i = from; i < learnt_.size(); ++i) out.push_back(learnt_[i]);
  return learnt_.size();
}

ReadingTable NameReadings::TableFor(const std::vector<std::string>& names) const {
  std::lock_guard<std::mutex> hold(lock_);
  ReadingTable table;
  table.serviceWorked = table_.serviceWorked;
  for (const std::string& name : names) {
    auto known = table_.byName.find(name);
    if (known != table_.byName.end()) table.byName.insert(*known);
  }
  return table;
}

std::uint64_t NameReadings::changes() const {
  std::lock_guard<std::mutex> hold(lock_);
  return changes_;
}
