// The machine's drives: which there are, what kind each is, its label and
// its space. Roots are given as "c:\".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvanta {

// GetDriveTypeA's answers.
enum class DriveType : std::uint32_t {
  Unknown = 0,
  NoRootDirectory = 1,  // no such drive
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

struct DiskSpace {
  std::uint64_t freeBytes = 0;       // free to this user
  std::uint64_t totalBytes = 0;      // the volume's size, as this user sees it
  std::uint64_t totalFreeBytes = 0;  // free on the volume, whoever may use it
};

class DrivePort {
 public:
  virtual ~DrivePort() = default;

  // The root of every drive, in letter order (GetLogicalDriveStringsA).
  virtual std::vector<std::string> logicalDrives() = 0;
  virtual DriveType driveType(const std::string& root) = 0;
  // GetVolumeInformationA's label; 21 (not ready) for a drive without a
  // medium. `label` is untouched on failure.
  virtual long volumeLabel(const std::string& root, std::string& label) = 0;
  // Free and total bytes, 64-bit wherever the system can tell them.
  // `space` is untouched on failure.
  virtual long diskSpace(const std::string& root, DiskSpace& space) = 0;
  // The drive of the process's current folder, as "c:".
  virtual std::string currentDrive() = 0;
};

}  // namespace corvanta
