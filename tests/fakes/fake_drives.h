// Scripted drives: each root with its kind, label, medium and space.
#pragma once

#include <map>
#include <string>

#include "base/text.h"
#include "platform/drive_port.h"

namespace corvanta::testing {

struct FakeDrive {
  DriveType type = DriveType::Fixed;
  std::string label;
  bool ready = true;  // a medium in the drive
  DiskSpace space{};
};

class FakeDrives final : public DrivePort {
 public:
  std::map<std::string, FakeDrive> drives{{"c:\\", {}}};  // by lower-case root
  std::string current = "c:";

  std::vector<std::string> logicalDrives() override {
    std::vector<std::string> roots;
    for (const auto& [root, drive] : drives) roots.push_back(root);
    return roots;
  }
  DriveType driveType(const std::string& root) override {
    const FakeDrive* drive = find(root);
    return drive ? drive->type : DriveType::NoRootDirectory;
  }
  long volumeLabel(const std::string& root, std::string& label) override {
    const FakeDrive* drive = find(root);
    if (!drive) return 3;
    if (!drive->ready) return 21;
    label = drive->label;
    return 0;
  }
  long diskSpace(const std::string& root, DiskSpace& space) override {
    const FakeDrive* drive = find(root);
    if (!drive) return 3;
    if (!drive->ready) return 21;
    space = drive->space;
    return 0;
  }
  std::string currentDrive() override { return current; }

 private:
  const FakeDrive* find(const std::string& root) const {
    std::string key = root;
    for (char& c : key) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (key.size() == 2) key += '\\';
    const auto found = drives.find(key);
    return found == drives.end() ? nullptr : &found->second;
  }
};

}  // namespace corvanta::testing
