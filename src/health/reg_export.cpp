#include "health/reg_export.h"

#include <array>
#include <cstdio>

#include "base/text.h"
#include "registry/query_value.h"

namespace corvanta {
namespace {

// The registry editor breaks long hex lists; so does this file.
constexpr std::size_t kLineWidth = 76;

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

// A REG_SZ that "text" gives back exactly: one terminator at the end, no
// other zero, and no line break (a quoted text cannot hold one).
bool quotable(const Bytes& data) {
  if (data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
  }
  return true;
}

bool isStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Little-endian UTF-16, as the file and the registry hold text.
std::string utf16le(std::string_view text) {
  std::string bytes;
  for (const char16_t unit : utf16FromUtf8(text)) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

void appendHex(std::string& line, const Bytes& data) {
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    std::array<char, 4> pair{};
    std::snprintf(pair.data(), pair.size(), "%02x", data[i]);
    line += pair.data();
    if (i + 1 == data.size()) break;
    line += ',';
    if (line.size() - lineStart > kLineWidth) {
      line += "\\\r\n  ";
      lineStart = line.size() - 2;
    }
  }
}

}  // namespace

bool regNameExportable(const std::string& name) {
  return name.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool regDataExportable(std::uint32_t type, const Bytes& data) {
  return !isStringType(type) || data.empty() || data.back() == 0;
}

std::string regValueLine(const std::string& name, std::uint32_t type, const Bytes& data) {
  std::string line = name.empty() ? "@=" : quoted(name) + '=';
  if (type == kRegSz && quotable(data)) {
    return line + quoted(std::string(data.begin(), data.end() - 1)) + "\r\n";
  }
  if (type == kRegDword && data.size() == 4) {
    std::array<char, 16> number{};
    std::snprintf(number.data(), number.size(), "dword:%08x",
                  static_cast<unsigned>(dwordFromBytes(data.data(), data.size())));
    return line + number.data() + "\r\n";
  }
  if (type == kRegBinary) {
    line += "hex:";
  } else {
    std::array<char, 16> prefix{};
    std::snprintf(prefix.data(), prefix.size(), "hex(%x):", static_cast<unsigned>(type));
    line += prefix.data();
  }
  if (isStringType(type)) {
    const std::string stored = utf16le(std::string(data.begin(), data.end()));
    appendHex(line, Bytes(stored.begin(), stored.end()));
  } else {
    appendHex(line, data);
  }
  return line + "\r\n";
}

std::string RegExport::fileBytes() const { return "\xFF\xFE" + utf16le(text()); }

bool RegExport::writeValue(RegKey key, const std::string& name, std::string& out) {
  std::uint32_t type = 0;
  Bytes data;
  if (!regNameExportable(name) || queryValue(registry_, key, name, type, data) != kErrorSuccess ||
      !regDataExportable(type, data)) {
    return false;
  }
  out += regValueLine(name, type, data);
  return true;
}

bool RegExport::writeTree(RegKey key, const std::string& fullName, std::uint32_t viewFlag,
                          std::string& out) {
  if (!regNameExportable(fullName)) return false;
  out += "\r\n[" + fullName + "]\r\n";
  std::vector<char> name(kValueNameBytes);
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t length = kValueNameBytes;
    const long status =
        registry_.enumValue(key, index, name.data(), length, nullptr, nullptr, nullptr);
    if (status == kErrorNoMoreItems) break;
    if (status != kErrorSuccess || !writeValue(key, std::string(name.data(), length), out)) {
      return false;
    }
  }
  std::vector<std::string> subKeys;
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t length = kKeyNameBytes;
    const long status = registry_.enumKeyEx(key, index, name.data(), length);
    if (status == kErrorNoMoreItems) break;
    if (status != kErrorSuccess) return false;
    subKeys.emplace_back(name.data(), length);
  }
  for (const std::string& subKey : subKeys) {
    RegKey opened = 0;
    if (registry_.openKeyEx(key, subKey, kKeyRead | viewFlag, opened) != kErrorSuccess)
      return false;
    const ScopedRegKey child(registry_, opened);
    if (!writeTree(child.get(), fullName + '\\' + subKey, viewFlag, out)) return false;
  }
  return true;
}

bool RegExport::addKeyTree(RegKey parent, const std::string& parentName, const std::string& path,
                           std::uint32_t viewFlag) {
  RegKey opened = 0;
  if (registry_.openKeyEx(parent, path, kKeyRead | viewFlag, opened) != kErrorSuccess) return false;
  const ScopedRegKey key(registry_, opened);
  std::string out;
  if (!writeTree(key.get(), parentName + '\\' + path, viewFlag, out)) return false;
  body_ += out;
  valuesKey_.clear();
  return true;
}

bool RegExport::addValue(const std::string& parentName, const std::string& path,
                         const std::string& name, std::uint32_t type, const Bytes& data) {
  if (!regNameExportable(name) || !regDataExportable(type, data)) return false;
  const std::string fullName = path.empty() ? parentName : parentName + '\\' + path;
  if (fullName != valuesKey_) body_ += "\r\n[" + fullName + "]\r\n";
  body_ += regValueLine(name, type, data);
  valuesKey_ = fullName;
  return true;
}

bool RegExport::addValues(RegKey parent, const std::string& parentName, const std::string& path,
                          const std::vector<std::string>& names) {
  ScopedRegKey key;
  if (openOrBorrow(registry_, parent, path, kKeyRead, key) != kErrorSuccess) return false;
  // Values of the key the last values went under join them: one header a
  // key, however many values are added one by one.
  const std::string fullName = path.empty() ? parentName : parentName + '\\' + path;
  std::string out = fullName == valuesKey_ ? "" : "\r\n[" + fullName + "]\r\n";
  for (const std::string& name : names) {
    if (!writeValue(key.get(), name, out)) return false;
  }
  body_ += out;
  valuesKey_ = fullName;
  return true;
}

}  // namespace corvanta
