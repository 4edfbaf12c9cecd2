// RegistryRoutines: the class through which the program enumerates registry
// keys and values, plus existence, create, delete and typed-write operations
// on the key its properties name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry_port.h"
#include "registry/registry_lists.h"
#include "registry/value_data.h"

namespace corvanta {

class SystemPort;

class RegistryRoutines {
 public:
  RegistryRoutines(RegistryPort& registry, SystemPort& system)
      : registry_(registry), system_(system) {}

  RegKey hKey() const { return hKey_; }
  void setHKey(RegKey key) { hKey_ = key; }
  const std::string& KeyRoot() const { return keyRoot_; }
  void setKeyRoot(std::string keyRoot) { keyRoot_ = std::move(keyRoot); }
  const std::string& SubKey() const { return subKey_; }
  void setSubKey(std::string subKey) { subKey_ = std::move(subKey); }

  bool KeyExists();
  std::string CreateKey(const std::optional<std::string>& keyName = std::nullopt);
  std::int32_t DeleteKey(const std::string& keyName);
  KeyList EnumRegistryKeys(RegKey hKey, const std::string& keyName);
  ValueList EnumRegistryValues(RegKey hKey, const std::string& keyName);
  bool SetRegistryValue(const std::string& valueName, const RegistryData& value,
                        std::uint32_t dType);
  bool WriteRemoteRegistryValue(const std::string& remoteComputer, RegKey hKey,
                                const std::string& valueName, const RegistryData& value,
                                std::uint32_t dType,
                                const std::optional<std::string>& keyPath = std::nullopt);
  static std::string TrimNull(std::string& item) { return trimAtNull(item); }

 private:
  std::string propertyKey() const;
  bool writeValue(RegKey key, const std::string& valueName, const Bytes& bytes,
                  std::uint32_t dType);

  RegistryPort& registry_;
  SystemPort& system_;
  RegKey hKey_ = 0;
  std::string keyRoot_;
  std::string subKey_;
};

// Joins two parts of a key path with one backslash, leaving out an empty part
// so that no path starts or ends with a separator.
std::string joinKeyPath(const std::string& first, const std::string& second);

}  // namespace corvanta
