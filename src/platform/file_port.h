// The file operations the program performs, by path in the ANSI code page.
#pragma once

#include <string>

namespace corvanta {

class FilePort {
 public:
  virtual ~FilePort() = default;

  // Appends `bytes` to the file, creating it when missing. Returns the Win32
  // status (0 when every byte was written).
  virtual long appendToFile(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace corvanta
