// The net-radio menu's addresses: every radio id of the menu opens one
// well-formed web address of its own, and no other command opens any.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/command_table.h"
#include "pickers/radio_pages.h"
#include "resources/command_ids.h"

namespace {

bool IsRadioId(int id) {
  return (id >= IDM_RADIO_PUBLIC_FIRST && id <= IDM_RADIO_PUBLIC_LAST) ||
         (id >= IDM_RADIO_STATION_FIRST && id <= IDM_RADIO_STATION_LAST);
}

// An absolute http or https address a browser takes as it stands: a host of
// lower-case letters, digits, hyphens and dots (at least one, none at either
// end), then nothing or a path, query or fragment of printable ASCII without
// spaces, quotes, angle brackets or backslashes.
::testing::AssertionResult IsWebAddress(const std::string& address) {
  std::size_t hostStart = 0;
  for (const char* scheme : {"http://", "https://"}) {
    if (address.rfind(scheme, 0) == 0) hostStart = std::string(scheme).size();
  }
  if (hostStart == 0) return ::testing::AssertionFailure() << address << ": not http or https";
  std::size_t hostEnd = address.find_first_of("/?#", hostStart);
  if (hostEnd == std::string::npos) hostEnd = address.size();
  const std::string host = address.substr(hostStart, hostEnd - hostStart);
  if (host.empty() || host.find('.') == std::string::npos || host.front() == '.' || host.back() == '.' ||
      host.front() == '-' || host.find("..") != std::string::npos) {
    return ::testing::AssertionFailure() << address << ": no host name";
  }
  for (char c : host) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.')) {
      return ::testing::AssertionFailure() << address << ": '" << c << "' in the host";
    }
  }
  for (std::size_t i = hostEnd; i < address.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(address[i]);
    if (c <= ' ' || c >= 0x7F || std::string("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string::npos) {
      return ::testing::AssertionFailure() << address << ": byte " << static_cast<int>(c) << " at " << i;
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(RadioPages, EachRadioIdOpensOneWellFormedAddressOfItsOwn) {
  ASSERT_GT(kRadioPageCount, 0u);
  std::map<int, std::string> addresses;
  std::map<std::string, int> owners;
  for (std::size_t i = 0; i < kRadioPageCount; ++i) {
    const RadioPage& page = kRadioPages[i];
    EXPECT_TRUE(IsRadioId(page.id)) << page.id << " lies outside the radio ids";
    ASSERT_NE(page.address, nullptr) << page.id;
    EXPECT_TRUE(IsWebAddress(page.address)) << page.id;
    // An id that stands in the menu twice opens the same address both times.
    auto [known, fresh] = addresses.emplace(page.id, page.address);
    if (!fresh) {
      EXPECT_EQ(known->second, page.address) << page.id;
    }
    // Two ids with one address: one of them opens the wrong page.
    auto [owner, first] = owners.emplace(page.address, page.id);
    if (!first) {
      EXPECT_EQ(owner->second, page.id) << page.address;
    }
    ASSERT_NE(RadioAddress(page.id), nullptr) << page.id;
    EXPECT_STREQ(RadioAddress(page.id), page.address);
  }
  // The two ranges are the menu's radio pages, with no gap.
  for (int id = IDM_RADIO_PUBLIC_FIRST; id <= IDM_RADIO_PUBLIC_LAST; ++id) EXPECT_EQ(addresses.count(id), 1u) << id;
  for (int id = IDM_RADIO_STATION_FIRST; id <= IDM_RADIO_STATION_LAST; ++id) EXPECT_EQ(addresses.count(id), 1u) << id;
}

TEST(RadioPages, NoOtherCommandOpensAnAddress) {
  std::set<int> commands;
  for (std::size_t i = 0; i < kMenuBarCount; ++i) {
    if (kMenuBar[i].kind == MenuNodeKind::kItem && !IsRadioId(kMenuBar[i].id)) commands.insert(kMenuBar[i].id);
  }
  for (const CommandRow& row : CommandTable()) commands.insert(row.id);
  ASSERT_FALSE(commands.empty());
  for (int id : commands) EXPECT_EQ(RadioAddress(id), nullptr) << id;
  for (int id : {0, -1, IDM_RADIO_PUBLIC_FIRST - 1, IDM_RADIO_PUBLIC_LAST + 1, IDM_RADIO_STATION_FIRST - 1,
                 IDM_RADIO_STATION_LAST + 1}) {
    EXPECT_EQ(RadioAddress(id), nullptr) << id;
  }
}

}  // namespace
