// The shell port over shell32.
#pragma once

#include "platform/shell_port.h"

namespace corvanta {

class Win32Shell final : public ShellPort {
 public:
  std::intptr_t shellExecute(std::uintptr_t owner, const std::string& file,
                             const std::string& parameters, const std::string& folder,
                             int showCommand) override;
  std::string userAppDataFolder() override;
  std::string localAppDataFolder() override;
  std::intptr_t runElevated(std::uintptr_t owner, const std::string& path) override;
  std::uint32_t formatDrive(std::uintptr_t owner, std::uint32_t drive) override;
  std::int32_t emptyRecycleBin(std::uintptr_t owner) override;
  void updateRecycleBinIcon() override;
};

}  // namespace corvanta
