// The plain shortcut form read from bytes; every other form and every damaged
// file is declined (left to the shell-link object), and nothing is read
// beyond the bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "items/shortcut_file.h"

namespace {

void Put32(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void Set32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct Link {
  std::uint32_t flags = 0x2 | 0x20 | 0x80;  // link information, arguments, Unicode strings
  std::uint32_t infoFlags = 0x1;           // a local path
  std::string suffix;
  std::string extra;  // extra blocks before the terminal one
};

constexpr std::size_t kInfoFlagsAt = 0x4C + 8;

std::string Bytes(const Link& link) {
  std::string bytes;
  Put32(bytes, 0x4C);
  bytes += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  Put32(bytes, link.flags);
  bytes.resize(0x4C, '\0');

  const std::string path = std::string("C:\\\x83\x63\x81\x5B\x83\x8B\\b.exe") + '\0';  // ツール
  const std::uint32_t header = 0x1C;
  const std::uint32_t volume = 4;
  const std::uint32_t size = header + volume + static_cast<std::uint32_t>(path.size() + link.suffix.size() + 1);
  for (std::uint32_t field : {size, header, link.infoFlags, header, header + volume, 0u,
                              header + volume + static_cast<std::uint32_t>(path.size())}) {
    Put32(bytes, field);
  }
  Put32(bytes, 0);  // a volume description the reader does not need
  bytes += path + link.suffix + '\0';

  bytes += std::string("\x02\x00-\x00x\x00", 6);  // the arguments "-x"
  bytes += link.extra;
  Put32(bytes, 0);
  return bytes;
}

TEST(ShortcutFile, ReadsTheLocalPathOfAPlainShortcut) {
  EXPECT_EQ(PlainShortcutTarget(Bytes(Link{})), "C:\\\x83\x63\x81\x5B\x83\x8B\\b.exe");

  Link withOtherBlock;
  withOtherBlock.extra = std::string("\x0C\x00\x00\x00\x03\x00\x00\xA0\x00\x00\x00\x00", 12);
  EXPECT_TRUE(PlainShortcutTarget(Bytes(withOtherBlock)));
}

TEST(ShortcutFile, DeclinesEveryOtherFormAndEveryCutOrDamagedFile) {
  const std::string whole = Bytes(Link{});
  // Cut anywhere before the terminal block: declined, never read past the end.
  for (std::size_t length = 0; length + 4 < whole.size(); ++length) {
    EXPECT_FALSE(PlainShortcutTarget(whole.substr(0, length))) << length;
  }

  Link network;
  network.infoFlags = 0x3;
  Link suffix;
  suffix.suffix = "x.exe";
  Link environment;
  environment.flags |= 0x200;
  Link installer;
  installer.extra = std::string("\x0C\x00\x00\x00\x06\x00\x00\xA0\x00\x00\x00\x00", 12);
  Link noInfo;
  noInfo.flags &= ~0x2u;
  Link overlong;
  overlong.extra = std::string("\xFF\x00\x00\x00\x03\x00\x00\xA0", 8);
  for (const Link& link : {network, suffix, environment, installer, noInfo, overlong}) {
    EXPECT_FALSE(PlainShortcutTarget(Bytes(link)));
  }

  std::string wrongClass = whole;
  wrongClass[4] = '\x02';
  std::string pathOutside = whole;
  Set32(pathOutside, kInfoFlagsAt + 8, 0xFFFF);
  std::string oversized = whole;
  oversized.resize(kShortcutFileMaxBytes + 1, '\0');
  for (const std::string& bytes : {wrongClass, pathOutside, oversized}) EXPECT_FALSE(PlainShortcutTarget(bytes));
}

}  // namespace
