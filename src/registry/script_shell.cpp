// Our own registry layer behind the script-host calls the program makes. It
// keeps the host's contract: reads of anything missing raise, writes create
// the keys on the way, and a path it cannot place touches nothing.
#include "registry/script_shell.h"

#include <array>
#include <string_view>
#include <utility>

#include "base/text.h"
#include "platform/shortcut_port.h"
#include "registry/query_value.h"
#include "registry/registry_error.h"
#include "registry/registry_helpers.h"

namespace corvanta {
namespace {

// The short names the script host takes beside the full ones.
constexpr std::array<std::pair<std::string_view, RegKey>, 4> kShortRoots{{
    {"HKCU", kHkeyCurrentUser},
    {"HKLM", kHkeyLocalMachine},
    {"HKCR", kHkeyClassesRoot},
    {"HKU", kHkeyUsers},
}};

ShellPath placePath(const std::string& path) {
  auto parsed = parseShellPath(path);
  if (!parsed) {
    throw RegistryError(kErrorFileNotFound, "Invalid root in registry key \"" + path + "\".");
  }
  return *parsed;
}

std::vector<std::string> splitStringList(const Bytes& data) {
  std::vector<std::string> strings;
  const std::size_t length = lengthWithoutTerminators(data.data(), data.size(), 2);
  if (length == 0) return strings;
  std::string text(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
  std::size_t start = 0;
  for (std::size_t zero; (zero = text.find('\0', start)) != std::string::npos; start = zero + 1) {
    strings.push_back(text.substr(start, zero - start));
  }
  strings.push_back(text.substr(start));
  return strings;
}

ShellValue toShellValue(std::uint32_t type, Bytes data) {
  switch (type) {
    case kRegSz:
    case kRegExpandSz: {
      std::string text(data.begin(), data.end());
      return ShellValue(trimAtNull(text));
    }
    case kRegDword:
      return ShellValue(dwordFromBytes(data.data(), data.size()));
    case kRegMultiSz:
      return ShellValue(splitStringList(data));
    default:
      return ShellValue(std::move(data));
  }
}

}  // namespace

std::optional<ShellPath> parseShellPath(const std::string& path) {
  const auto separator = path.find('\\');
  if (separator == std::string::npos) return std::nullopt;
  const std::string_view rootText(path.data(), separator);
  ShellPath parsed;
  parsed.root = rootOf(rootText);
  for (const auto& [name, root] : kShortRoots) {
    if (equalsIgnoringCase(name, rootText)) parsed.root = root;
  }
  if (parsed.root == 0) return std::nullopt;

  const std::string rest = path.substr(separator + 1);
  const auto last = rest.rfind('\\');
  if (last == std::string::npos) {
    parsed.valueName = rest;
  } else {
    parsed.key = rest.substr(0, last);
    parsed.valueName = rest.substr(last + 1);
  }
  return parsed;
}

Shortcut::Shortcut(ShortcutPort& shortcuts, std::string path)
    : shortcuts_(shortcuts), path_(std::move(path)) {
  loadStatus_ = shortcuts_.loadShortcutTarget(path_, targetPath_);
}

void Shortcut::Save() {
  if (shortcuts_.saveShortcut(path_, targetPath_) != kSOk) {
    throw std::runtime_error("Unable to save shortcut \"" + path_ + "\".");
  }
}

ShellValue ScriptShell::RegRead(const std::string& path) {
  const ShellPath place = placePath(path);
  ScopedRegKey key;
  long status = openOrBorrow(registry_, place.root, place.key, kKeyQueryValue, key);
  std::uint32_t type = 0;
  Bytes data;
  if (status == kErrorSuccess)
    status = queryValue(registry_, key.get(), place.valueName, type, data);
  if (status != kErrorSuccess) {
    throw RegistryError(status, "Unable to open registry key \"" + path + "\" for reading.");
  }
  return toShellValue(type, std::move(data));
}

void ScriptShell::RegWrite(const std::string& path, const RegistryData& data) {
  write(path, data, kRegSz);
}

void ScriptShell::RegWrite(const std::string& path, const RegistryData& data,
                           const std::string& type) {
  static constexpr std::array<std::pair<std::string_view, std::uint32_t>, 3> kTypes{{
      {"REG_SZ", kRegSz},
      {"REG_EXPAND_SZ", kRegExpandSz},
      {"REG_DWORD", kRegDword},
  }};
  for (const auto& [name, number] : kTypes) {
    if (equalsIgnoringCase(name, type)) return write(path, data, number);
  }
  throw RegistryError(kErrorInvalidParameter, "Invalid registry type \"" + type + "\".");
}

void ScriptShell::write(const std::string& path, const RegistryData& data, std::uint32_t type) {
  const ShellPath place = placePath(path);
  Bytes bytes;
  if (!encodeValueData(type, data, bytes)) throw ConversionError("Type mismatch");
  if (type != kRegDword) bytes.push_back(0);  // string values are stored with their terminator

  ScopedRegKey key;
  long status = kErrorSuccess;
  if (place.key.empty()) {
    key = ScopedRegKey::borrowed(place.root);
  } else {
    RegKey created = 0;
    status = registry_.createKeyEx(place.root, place.key, "", 0, kKeySetValue, created, nullptr);
    if (status == kErrorSuccess) key = ScopedRegKey(registry_, created);
  }
  if (status == kErrorSuccess) {
    status = registry_.setValueEx(key.get(), place.valueName, type, bytes.data(),
                                  static_cast<std::uint32_t>(bytes.size()));
  }
  if (status != kErrorSuccess) {
    throw RegistryError(status, "Unable to save registry value \"" + path + "\".");
  }
}

Shortcut ScriptShell::CreateShortcut(const std::string& path) { return Shortcut(shortcuts_, path); }

}  // namespace corvanta
