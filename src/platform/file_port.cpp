#include "platform/file_port.h"

namespace corvanta {

bool makeFolderTree(FilePort& files, const std::string& path) {
  // Every level below the drive ("C:\") or share ("\\server\share\"), made
  // when missing.
  std::size_t end = 2;
  if (path.rfind("\\\\", 0) == 0) {
    end = path.find('\\', 2);
    if (end != std::string::npos) end = path.find('\\', end + 1);
    if (end == std::string::npos) return false;
  }
  for (end = path.find('\\', end + 1);; end = path.find('\\', end + 1)) {
    const std::string level = path.substr(0, end);
    const long status = files.createDirectory(level);
    if (status != kErrorSuccess && status != kErrorAlreadyExists &&
        files.anyMatch(level) != kErrorSuccess) {
      return false;
    }
    if (end == std::string::npos) return true;
  }
}

}  // namespace corvanta
