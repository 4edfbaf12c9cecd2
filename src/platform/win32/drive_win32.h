// The drive port over kernel32.
#pragma once

#include "platform/drive_port.h"

namespace corvanta {

class Win32Drives final : public DrivePort {
 public:
  std::vector<std::string> logicalDrives() override;
  DriveType driveType(const std::string& root) override;
  long volumeLabel(const std::string& root, std::string& label) override;
  long diskSpace(const std::string& root, DiskSpace& space) override;
  std::string currentDrive() override;
};

}  // namespace corvanta
