// The registry port over advapi32's wide calls.
#pragma once

#include "platform/registry_port.h"

namespace corvanta {

class Win32Registry final : public RegistryPort {
 public:
  long openKeyEx(RegKey key, const std::string& subKey, std::uint32_t access,
                 RegKey& result) override;
  long createKey(RegKey key, const std::string& subKey, RegKey& result) override;
  long createKeyEx(RegKey key, const std::string& subKey, const std::string& className,
                   std::uint32_t options, std::uint32_t access, RegKey& result,
                   std::uint32_t* disposition) override;
  long enumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength) override;
  long enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLength) override;
  long queryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* dataLength) override;
  long setValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t dataLength) override;
  long deleteKey(RegKey key, const std::string& subKey) override;
  long deleteKeyEx(RegKey key, const std::string& subKey, std::uint32_t view) override;
  long deleteValue(RegKey key, const std::string& valueName) override;
  long connectRegistry(const std::string& machineName, RegKey key, RegKey& result) override;
  long closeKey(RegKey key) override;
};

}  // namespace corvanta
