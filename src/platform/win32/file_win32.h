// The file port over kernel32.
#pragma once

#include "platform/file_port.h"

namespace corvanta {

class Win32Files final : public FilePort {
 public:
  long appendToFile(const std::string& path, const std::string& bytes) override;
  long findFiles(const std::string& pattern, std::vector<FileEntry>& found) override;
  long createDirectory(const std::string& path) override;
  long removeDirectory(const std::string& path) override;
};

}  // namespace corvanta
