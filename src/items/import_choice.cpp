#include "items/import_choice.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "items/item_name.h"
#include "items/item_order.h"
#include "platform/sjis_find.h"

namespace {

const char* ExtensionOf(const ImportCandidate& candidate) { return candidate.isUrl ? ".url" : ".lnk"; }

bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
  // The suffixes are ASCII starting with '.', which is never a trail byte, so
  // a match at the end is whole characters.
  return text.size() >= suffix.size() && FindInIgnoreCase(text.substr(text.size() - suffix.size()), suffix) == 0;
}

// What a shortcut launches: two shortcuts to one program with different
// arguments (consoles of one management program, profiles of one browser)
// are different entries, so the arguments count too, byte for byte.
using LaunchKey = std::tuple<bool, std::u16string, std::string>;

// The bytes a made name keeps free for " (99999)".
constexpr std::size_t kNumberRoom = 8;

}  // namespace

std::size_t ImportChoice::CheckedCount() const {
  return static_cast<std::size_t>(
      std::count_if(offers.begin(), offers.end(), [](const ImportOffer& offer) { return offer.checked; }));
}

bool IsUninstaller(std::string_view name, std::string_view target) {
  if (FindIn(name, "アンインストール") >= 0 || FindInIgnoreCase(name, "uninstall") >= 0 || FindIn(name, "削除") >= 0) {
    return true;
  }
  std::string_view program = LastPathComponent(target);
  return FindInIgnoreCase(program, "unins") == 0 && EndsWithIgnoreCase(program, ".exe");
}

ImportChoice ChooseImports(std::vector<ImportCandidate> candidates, const ExistingItems& existing,
                           std::string_view itemFolder, const CaseBlindKey& keyOf) {
  struct Named {
    std::string name;
    std::u16string orderKey;  // the item file's whole name, as the lists order them
    ImportCandidate candidate;
  };
  std::vector<Named> named;
  for (ImportCandidate& candidate : candidates) {
    if (candidate.targetIsFolder) continue;
    // A made name keeps room for its number, fitted as if the extension were longer.
    std::string extension = ExtensionOf(candidate);
    if (candidate.stemMade) extension.append(kNumberRoom, ' ');
    std::string name = FitItemName(CleanItemName(candidate.fileStem), itemFolder, extension);
    if (!IsPlainItemName(name) && !(candidate.stemMade && name.empty())) continue;
    std::u16string orderKey = keyOf(name + ExtensionOf(candidate));
    named.push_back({std::move(name), std::move(orderKey), std::move(candidate)});
  }
  std::stable_sort(named.begin(), named.end(), [](const Named& a, const Named& b) { return a.orderKey < b.orderKey; });

  std::set<std::u16string> takenNames;
  for (const std::string& name : existing.names) takenNames.insert(keyOf(name));
  std::set<LaunchKey> takenLaunches;
  for (const auto& [target, arguments] : existing.shortcuts) takenLaunches.insert({false, keyOf(target), arguments});
  const std::u16string ownProgram = keyOf(existing.ownProgram);

  auto roomLeft = [](std::size_t count) { return count < kScanCapacity ? kScanCapacity - count : 0; };
  std::size_t shortcutRoom = roomLeft(existing.shortcutCount);
  std::size_t urlRoom = roomLeft(existing.urlCount);

  ImportChoice choice;
  for (Named& entry : named) {
    const ImportCandidate& candidate = entry.candidate;
    bool hasTarget = candidate.readable && !candidate.target.empty();
    LaunchKey launch{candidate.isUrl, hasTarget ? keyOf(candidate.target) : std::u16string(), candidate.arguments};
    std::u16string nameKey = keyOf(entry.name);
    if (candidate.stemMade && (entry.name.empty() || takenNames.count(nameKey) != 0)) {
      const std::string stem = entry.name;
      for (int number = 2; entry.name.empty() || takenNames.count(nameKey) != 0; ++number) {
        entry.name = stem + " (" + std::to_string(number) + ")";
        nameKey = keyOf(entry.name);
      }
    }
    if (takenNames.count(nameKey) != 0) continue;
    if (hasTarget) {
      if (!candidate.isUrl && !ownProgram.empty() && std::get<1>(launch) == ownProgram) continue;
      if (takenLaunches.count(launch) != 0) continue;
      takenLaunches.insert(std::move(launch));
    }
    takenNames.insert(std::move(nameKey));
    std::size_t& room = candidate.isUrl ? urlRoom : shortcutRoom;
    if (room == 0) {
      ++choice.leftOut;
      continue;
    }
    --room;
    bool checked = !candidate.isUrl && hasTarget && IsProgramTarget(candidate.target) &&
                   !IsUninstaller(candidate.fileStem, candidate.target);
    choice.offers.push_back({std::move(entry.name), std::move(entry.candidate), checked});
  }
  return choice;
}
