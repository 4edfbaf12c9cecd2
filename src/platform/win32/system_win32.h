// The system port over kernel32.
#pragma once

#include "platform/system_port.h"

namespace corvanta {

class Win32System final : public SystemPort {
 public:
  std::string expandEnvironmentStrings(const std::string& text) override;
  bool getVersionEx(OsVersion& out) override;
  std::string moduleFileName() override;
  bool moduleVersion(FileVersion& out) override;
  std::string getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& fallback, std::uint32_t bufferSize,
                                      const std::string& path) override;
  bool claimSingleInstance(const std::string& name) override;
  void releaseSingleInstance() override;
  bool hasAdministratorRights() override;
  LocalTime localTime() override;
  std::uint32_t processorCount() override;
  MemoryStatus memoryStatus() override;
  NumberSeparators numberSeparators() override;
  std::string windowsDirectory() override;
  bool isWow64() override;

 private:
  void* instanceMutex_ = nullptr;  // held until the process ends
};

}  // namespace corvanta
