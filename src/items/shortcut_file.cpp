#include "items/shortcut_file.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t kHeaderBytes = 0x4C;
constexpr unsigned char kShellLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                              0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kClassOffset = 4;
constexpr std::size_t kFlagsOffset = 20;

// Link flags.
constexpr std::uint32_t kHasIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;
constexpr std::uint32_t kHasEnvironmentTarget = 0x200;
constexpr std::uint32_t kHasInstallerId = 0x1000;
// The five optional strings, in the order they are stored.
constexpr std::uint32_t kStringFlags[] = {0x4, 0x8, 0x10, 0x20, 0x40};

// Link-information flags and fields.
constexpr std::uint32_t kHasLocalPath = 0x1;
constexpr std::uint32_t kHasNetworkPath = 0x2;
constexpr std::uint32_t kLinkInfoHeaderMin = 0x1C;
constexpr std::size_t kLocalPathField = 16;
constexpr std::size_t kSuffixField = 24;

// Extra blocks whose target the shell prefers to the local path.
constexpr std::uint32_t kEnvironmentBlock = 0xA0000001;
constexpr std::uint32_t kInstallerBlock = 0xA0000006;

// Little-endian fields, read only within the bytes.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  std::optional<std::uint32_t> U32(std::size_t at) const { return Field(at, 4); }
  std::optional<std::uint32_t> U16(std::size_t at) const { return Field(at, 2); }
  std::size_t size() const { return bytes_.size(); }
  std::string_view bytes() const { return bytes_; }

 private:
  std::optional<std::uint32_t> Field(std::size_t at, std::size_t width) const {
    if (at > bytes_.size() || bytes_.size() - at < width) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
    return value;
  }
  std::string_view bytes_;
};

// The local path of a link-information block at start, when it is the whole
// target: no network part and an empty suffix.
std::optional<std::string> LocalPathOf(const Reader& file, std::size_t start, std::size_t& next) {
  std::optional<std::uint32_t> size = file.U32(start);
  std::optional<std::uint32_t> headerSize = file.U32(start + 4);
  std::optional<std::uint32_t> flags = file.U32(start + 8);
  std::optional<std::uint32_t> pathAt = file.U32(start + kLocalPathField);
  std::optional<std::uint32_t> suffixAt = file.U32(start + kSuffixField);
  if (!size || !headerSize || !flags || !pathAt || !suffixAt) return std::nullopt;
  if (*size < kLinkInfoHeaderMin || *size > file.size() - start) return std::nullopt;
  if (*headerSize < kLinkInfoHeaderMin || *headerSize >= *size) return std::nullopt;
  if (!(*flags & kHasLocalPath) || (*flags & kHasNetworkPath)) return std::nullopt;
  if (*pathAt < *headerSize || *pathAt >= *size || *suffixAt < *headerSize || *suffixAt >= *size) return std::nullopt;

  std::string_view block = file.bytes().substr(start, *size);
  if (block[*suffixAt] != '\0') return std::nullopt;
  std::string_view path = block.substr(*pathAt);
  std::size_t end = path.find('\0');
  if (end == std::string_view::npos || end == 0) return std::nullopt;
  next = start + *size;
  return std::string(path.substr(0, end));
}

// Whether the strings and extra blocks after the link information are whole,
// and none of them names the target another way.
bool RestIsPlain(const Reader& file, std::size_t at, std::uint32_t flags) {
  const std::size_t unit = (flags & kIsUnicode) ? 2 : 1;
  for (std::uint32_t present : kStringFlags) {
    if (!(flags & present)) continue;
    std::optional<std::uint32_t> count = file.U16(at);
    if (!count || (file.size() - at - 2) / unit < *count) return false;
    at += 2 + *count * unit;
  }
  while (file.size() - at >= 4) {
    std::uint32_t blockSize = *file.U32(at);
    if (blockSize < 4) return true;  // the terminal block
    if (blockSize < 8 || blockSize > file.size() - at) return false;
    std::uint32_t signature = *file.U32(at + 4);
    if (signature == kEnvironmentBlock || signature == kInstallerBlock) return false;
    at += blockSize;
  }
  return true;
}

}  // namespace

std::optional<std::string> PlainShortcutTarget(std::string_view bytes) {
  if (bytes.size() > kShortcutFileMaxBytes) return std::nullopt;
  Reader file(bytes);
  if (file.U32(0) != kHeaderBytes || bytes.size() < kHeaderBytes) return std::nullopt;
  if (std::memcmp(bytes.data() + kClassOffset, kShellLinkClass, sizeof(kShellLinkClass)) != 0) return std::nullopt;
  const std::uint32_t flags = *file.U32(kFlagsOffset);
  if (!(flags & kHasLinkInfo) || (flags & (kForceNoLinkInfo | kHasEnvironmentTarget | kHasInstallerId))) {
    return std::nullopt;
  }
  std::size_t at = kHeaderBytes;
  if (flags & kHasIdList) {
    std::optional<std::uint32_t> idListSize = file.U16(at);
    if (!idListSize || *idListSize > bytes.size() - at - 2) return std::nullopt;
    at += 2 + *idListSize;
  }
  std::optional<std::string> path = LocalPathOf(file, at, at);
  if (!path || !RestIsPlain(file, at, flags)) return std::nullopt;
  return path;
}
