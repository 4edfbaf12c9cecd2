// The file starts with a table directory; the "name" table holds records of
// (platform, encoding, language, name ID, length, offset) pointing into its
// string storage. Windows names (platform 3) are big-endian UTF-16; Mac
// Roman names (platform 1) are single bytes. Every read is checked against
// the file's length.
#include "appearance/font_file.h"

#include <cstdint>
#include <vector>

#include "base/text.h"

namespace corvanta {
namespace {

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  bool has(std::size_t offset, std::size_t size) const {
    return offset <= bytes_.size() && size <= bytes_.size() - offset;
  }
  std::uint16_t u16(std::size_t offset) const {
    return static_cast<std::uint16_t>((byte(offset) << 8) | byte(offset + 1));
  }
  std::uint32_t u32(std::size_t offset) const {
    return (static_cast<std::uint32_t>(u16(offset)) << 16) | u16(offset + 2);
  }
  unsigned byte(std::size_t offset) const { return static_cast<unsigned char>(bytes_[offset]); }

 private:
  const std::string& bytes_;
};

// UTF-16 code units as UTF-8; nothing when they hold a lone surrogate or a
// control character (U+0000 among them): such a name could not be stored as
// a registry value name, or would be cut short there.
std::optional<std::string> nameFromUtf16(const std::vector<std::uint32_t>& units) {
  std::u16string text;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const std::uint32_t code = units[i];
    const bool high = code >= 0xD800 && code <= 0xDBFF;
    const bool pairs = high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
    if ((code >= 0xD800 && code <= 0xDFFF && !pairs) || code < 0x20 || (code >= 0x7F && code < 0xA0))
      return std::nullopt;
    text += static_cast<char16_t>(code);
    if (pairs) text += static_cast<char16_t>(units[++i]);
  }
  return utf8FromUtf16(text);
}

constexpr std::uint16_t kWindowsPlatform = 3;
constexpr std::uint16_t kMacPlatform = 1;
constexpr std::uint16_t kUsEnglish = 0x409;

// The name with the given ID, as Windows registers fonts: the US English
// Windows name, else the first Windows name, else a plain-ASCII Mac name.
// Nothing when there is no such name; an empty text when the chosen name
// cannot be read whole: never a name with characters left out or replaced.
std::optional<std::string> nameWithId(const Reader& font, std::size_t table, int wanted) {
  if (!font.has(table, 6)) return std::nullopt;
  const std::uint16_t count = font.u16(table + 2);
  const std::size_t storage = table + font.u16(table + 4);
  std::optional<std::size_t> english, windows, mac;
  std::vector<std::size_t> lengths(count), offsets(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::size_t record = table + 6 + std::size_t{i} * 12;
    if (!font.has(record, 12)) return std::nullopt;
    const std::uint16_t platform = font.u16(record);
    const std::uint16_t language = font.u16(record + 4);
    lengths[i] = font.u16(record + 8);
    offsets[i] = storage + font.u16(record + 10);
    if (font.u16(record + 6) != wanted || !font.has(offsets[i], lengths[i])) continue;
    if (platform == kWindowsPlatform && language == kUsEnglish && !english) english = i;
    if (platform == kWindowsPlatform && !windows) windows = i;
    if (platform == kMacPlatform && !mac) mac = i;
  }
  if (const auto chosen = english ? english : windows) {
    if (lengths[*chosen] % 2 != 0) return std::string();
    std::vector<std::uint32_t> units;
    for (std::size_t c = 0; c < lengths[*chosen]; c += 2)
      units.push_back(font.u16(offsets[*chosen] + c));
    return nameFromUtf16(units).value_or(std::string());
  }
  if (mac) {
    // Mac Roman shares only ASCII with the other character sets.
    std::vector<std::uint32_t> units;
    for (std::size_t c = 0; c < lengths[*mac]; ++c) {
      const unsigned byte = font.byte(offsets[*mac] + c);
      if (byte >= 0x80) return std::string();
      units.push_back(byte);
    }
    return nameFromUtf16(units).value_or(std::string());
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> fontFullName(const std::string& bytes) {
  const Reader font(bytes);
  if (!font.has(0, 12)) return std::nullopt;
  const std::uint32_t version = font.u32(0);
  if (version != 0x00010000 && version != 0x4F54544F /* OTTO */ &&
      version != 0x74727565 /* true */) {
    return std::nullopt;
  }
  const std::uint16_t tables = font.u16(4);
  for (std::uint16_t i = 0; i < tables; ++i) {
    const std::size_t entry = 12 + std::size_t{i} * 16;
    if (!font.has(entry, 16)) return std::nullopt;
    if (font.u32(entry) != 0x6E616D65 /* name */) continue;
    const std::size_t table = font.u32(entry + 8);
    auto name = nameWithId(font, table, 4);
    if (!name) name = nameWithId(font, table, 1);
    if (name && !name->empty()) return name;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace corvanta
