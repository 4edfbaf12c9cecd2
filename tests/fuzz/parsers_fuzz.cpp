// libFuzzer targets for the parsers a user or a file controls. One source,
// one target per parser (CORVANTA_FUZZ_TARGET picks it), each checking what
// must hold for any input beyond "no crash": AddressSanitizer and
// UndefinedBehaviorSanitizer watch every read and every sum.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "appearance/font_file.h"
#include "base/profile_text.h"
#include "base/text.h"
#include "fakes/fake_system.h"
#include "health/health_checks.h"
#include "health/reg_export.h"
#include "registry/value_data.h"
#include "ui/skin_file.h"

namespace {

using namespace corvanta;

[[maybe_unused]] void require(bool holds) {
  if (!holds) std::abort();
}

#if CORVANTA_FUZZ_TARGET == 5
// Reads back one line regValueLine wrote: the name, then the data as the
// registry editor gives it (string types back from UTF-16 to UTF-8). False
// when the line cannot be read.
bool readRegLine(const std::string& line, std::string& name, std::uint32_t& type, Bytes& data) {
  std::size_t at = 0;
  const auto unquote = [&](std::string& out) {
    if (at >= line.size() || line[at] != '"') return false;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
      if (line[at] == '\\') ++at;
      if (at >= line.size()) return false;
      out += line[at];
    }
    return at++ < line.size();
  };
  if (line.compare(0, 2, "@=") == 0) {
    at = 2;
  } else if (!unquote(name) || at >= line.size() || line[at++] != '=') {
    return false;
  }
  const std::string rest = line.substr(at);
  if (!rest.empty() && rest[0] == '"') {
    std::string text;
    if (!unquote(text) || line.substr(at) != "\r\n") return false;
    type = kRegSz;
    data.assign(text.begin(), text.end());
    data.push_back(0);
    return true;
  }
  if (rest.compare(0, 6, "dword:") == 0) {
    type = kRegDword;
    const auto value = static_cast<std::uint32_t>(std::strtoul(rest.c_str() + 6, nullptr, 16));
    data = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return rest.size() == 16 && rest.substr(14) == "\r\n";
  }
  std::size_t hex = 0;
  if (rest.compare(0, 4, "hex:") == 0) {
    type = kRegBinary;
    hex = 4;
  } else if (rest.compare(0, 4, "hex(") == 0) {
    char* end = nullptr;
    type = static_cast<std::uint32_t>(std::strtoul(rest.c_str() + 4, &end, 16));
    if (end[0] != ')' || end[1] != ':') return false;
    hex = static_cast<std::size_t>(end + 2 - rest.c_str());
  } else {
    return false;
  }
  std::string digits;
  for (std::size_t i = hex; i < rest.size(); ++i) {
    if (rest.compare(i, 3, "\\\r\n") == 0) {
      i += 2;
    } else if (rest.compare(i, 2, "\r\n") == 0) {
      if (i + 2 != rest.size()) return false;
      break;
    } else if (rest[i] != ',' && rest[i] != ' ') {
      digits += rest[i];
    }
  }
  if (digits.size() % 2) return false;
  for (std::size_t i = 0; i < digits.size(); i += 2)
    data.push_back(static_cast<std::uint8_t>(std::strtoul(digits.substr(i, 2).c_str(), nullptr, 16)));
  if (type == kRegSz || type == kRegExpandSz || type == kRegMultiSz) {
    if (data.size() % 2) return false;
    std::u16string units;
    for (std::size_t i = 0; i < data.size(); i += 2)
      units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    const std::string text = utf8FromUtf16(units);
    data.assign(text.begin(), text.end());
  }
  return true;
}
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(bytes), size);
#if CORVANTA_FUZZ_TARGET == 1  // skin file
  const ui::SkinFile skin = ui::SkinFile::parse(input);
  for (const char* element : {"Form", "Button", "system"}) {
    const ui::SkinStyle style = skin.style(element);
    require(style.fontPoints >= 0 && style.fontPoints <= 72);
  }
#elif CORVANTA_FUZZ_TARGET == 2  // language file
  const ProfileText texts(input);
  for (const std::string& key : texts.keys("Corvanta")) require(texts.value("Corvanta", key).has_value());
#elif CORVANTA_FUZZ_TARGET == 3  // a font's name table
  if (const auto name = fontFullName(input)) {
    require(!name->empty());
    for (const char c : *name) require(static_cast<unsigned char>(c) >= 0x20);
  }
#elif CORVANTA_FUZZ_TARGET == 4  // registry value rendering
  if (size < 1) return 0;
  testing::FakeSystem system;
  renderValueData(bytes[0] % 12, bytes + 1, size - 1, system);
#elif CORVANTA_FUZZ_TARGET == 5  // a .reg line, read back
  if (size < 2) return 0;
  const std::size_t nameLength = bytes[0] % (size - 1);
  const std::string name(input.substr(2, nameLength));
  // A name with a line break or a zero cannot be written (the export refuses it).
  if (!regNameExportable(name)) return 0;
  Bytes data(bytes + 2 + nameLength, bytes + size);
  const std::uint32_t type = bytes[1] % 12;
  // Text reaches the export as the registry port hands it out: UTF-8 made
  // from UTF-16.
  if (type == kRegSz || type == kRegExpandSz || type == kRegMultiSz) {
    const std::string text = utf8FromUtf16(utf16FromUtf8(std::string(data.begin(), data.end())));
    data.assign(text.begin(), text.end());
  }
  const std::string line = regValueLine(name, type, data);
  // One line to the registry editor: a break only where a hex list goes on.
  std::string joined = line.substr(0, line.size() - 2);
  for (std::size_t at; (at = joined.find("\\\r\n")) != std::string::npos;) joined.erase(at, 3);
  require(line.size() >= 2 && line.substr(line.size() - 2) == "\r\n");
  require(joined.find_first_of("\r\n") == std::string::npos);
  std::string readName;
  std::uint32_t readType = 0;
  Bytes readData;
  require(readRegLine(line, readName, readType, readData));
  require(readName == name && readType == type && readData == data);
#elif CORVANTA_FUZZ_TARGET == 6  // an application path's command line
  require(programOfCommand(input).size() <= input.size());
#endif
  return 0;
}
