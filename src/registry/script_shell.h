// ScriptShell: the script-host shell object most tweaks read and write their
// values through. A value is named by one path: root, keys, value name
// ("HKCU\Control Panel\Desktop\MenuShowDelay"); a path ending in "\" names
// the key's default value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry_port.h"
#include "registry/shell_value.h"
#include "registry/value_data.h"

namespace corvanta {

class ShortcutPort;

struct ShellPath {
  RegKey root = 0;
  std::string key;        // below the root; empty for the root itself
  std::string valueName;  // empty for the default value
};

// Splits a script-host path; nothing when the root is not one it knows.
std::optional<ShellPath> parseShellPath(const std::string& path);

// A shortcut file as the shell object presents it.
class Shortcut {
 public:
  Shortcut(ShortcutPort& shortcuts, std::string path);

  const std::string& TargetPath() const { return targetPath_; }
  void setTargetPath(std::string target) { targetPath_ = std::move(target); }
  // How loading the file went: 0 when it was read, otherwise the failure
  // (0x80070002 for a file that does not exist yet). A shortcut that could
  // not be read has no known target, which is not the same as a missing one.
  std::int32_t loadStatus() const { return loadStatus_; }
  // Writes the file; raises on failure.
  void Save();

 private:
  ShortcutPort& shortcuts_;
  std::string path_;
  std::string targetPath_;
  std::int32_t loadStatus_ = 0;
};

class ScriptShell {
 public:
  ScriptShell(RegistryPort& registry, ShortcutPort& shortcuts)
      : registry_(registry), shortcuts_(shortcuts) {}

  // Raises RegistryError when the path, key or value does not exist.
  ShellValue RegRead(const std::string& path);
  // Stores a text or number as REG_SZ (a number as its decimal text).
  void RegWrite(const std::string& path, const RegistryData& data);
  // Stores the data as "REG_SZ", "REG_EXPAND_SZ" or "REG_DWORD".
  void RegWrite(const std::string& path, const RegistryData& data, const std::string& type);
  Shortcut CreateShortcut(const std::string& path);

 private:
  void write(const std::string& path, const RegistryData& data, std::uint32_t type);

  RegistryPort& registry_;
  ShortcutPort& shortcuts_;
};

}  // namespace corvanta
