// An in-memory file system for the file port.
#pragma once

#include <map>
#include <set>
#include <string>

#include "base/ansi_text.h"
#include "platform/file_port.h"

namespace corvanta::testing {

class FakeFiles final : public FilePort {
 public:
  // Paths are compared without regard to case, as on Windows.
  std::map<std::string, std::string> files;
  std::set<std::string> unwritable;  // appending to these is refused with access denied

  long appendToFile(const std::string& path, const std::string& bytes) override {
    const std::string key = foldAnsiCase(path);
    if (unwritable.count(key)) return 5;
    files[key] += bytes;
    return 0;
  }

  std::string contents(const std::string& path) const {
    const auto found = files.find(foldAnsiCase(path));
    return found == files.end() ? std::string() : found->second;
  }
  bool exists(const std::string& path) const { return files.count(foldAnsiCase(path)) != 0; }
  void makeUnwritable(const std::string& path) { unwritable.insert(foldAnsiCase(path)); }
};

}  // namespace corvanta::testing
