// The file starts with a table directory; the "name" table holds records of
// (platform, encoding, language, name ID, length, offset) pointing into its
// string storage. Windows names (platform 3) are big-endian UTF-16; Mac
// Roman names (platform 1) are single bytes. Every read is checked against
// the file's length.
#include "appearance/font_file.h"

#include <cstdint>

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

std::optional<std::string> nameWithId(const Reader& font, std::size_t table, int wanted) {
  if (!font.has(table, 6)) return std::nullopt;
  const std::uint16_t count = font.u16(table + 2);
  const std::size_t storage = table + font.u16(table + 4);
  std::optional<std::string> macName;
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::size_t record = table + 6 + std::size_t{i} * 12;
    if (!font.has(record, 12)) return std::nullopt;
    const std::uint16_t platform = font.u16(record);
    const std::uint16_t nameId = font.u16(record + 6);
    const std::uint16_t length = font.u16(record + 8);
    const std::size_t offset = storage + font.u16(record + 10);
    if (nameId != wanted || !font.has(offset, length)) continue;
    std::string text;
    if (platform == 3) {
      for (std::size_t c = 0; c + 1 < length; c += 2) {
        const std::uint16_t code = font.u16(offset + c);
        text += code < 0x100 ? static_cast<char>(code) : '?';
      }
      return text;
    }
    if (platform == 1 && !macName) {
      for (std::size_t c = 0; c < length; ++c) text += static_cast<char>(font.byte(offset + c));
      macName = text;
    }
  }
  return macName;
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
    if (!name || name->empty()) name = nameWithId(font, table, 1);
    if (name && !name->empty()) return name;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace corvanta
