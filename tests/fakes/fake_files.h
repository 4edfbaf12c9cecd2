// An in-memory file system for the file port: folders and files with their
// attributes, found by Windows' wildcards ("*", "?"), names compared without
// regard to case, and the statuses Windows gives.
#pragma once

#include <map>
#include <set>
#include <string>

#include "base/ansi_text.h"
#include "platform/file_port.h"

namespace corvanta::testing {

class FakeFiles final : public FilePort {
 public:
  // Arranging: folders and files, made with every folder above them.
  void addFolder(const std::string& path, std::uint32_t attributes = kFileAttributeDirectory);
  void addFile(const std::string& path, const std::string& contents = "",
               std::uint32_t attributes = kFileAttributeArchive);
  // Appending to, creating in or removing this path is refused (5).
  void makeUnwritable(const std::string& path) { unwritable_.insert(foldAnsiCase(path)); }

  bool exists(const std::string& path) const { return entries_.count(foldAnsiCase(path)) != 0; }
  std::string contents(const std::string& path) const;

  long appendToFile(const std::string& path, const std::string& bytes) override;
  long findFiles(const std::string& pattern, std::vector<FileEntry>& found) override;
  long createDirectory(const std::string& path) override;
  long removeDirectory(const std::string& path) override;

 private:
  struct Entry {
    std::string path;  // as given
    std::uint32_t attributes = 0;
    std::string contents;
  };
  static std::string parentOf(const std::string& path);
  bool isFolder(const std::string& path) const;
  bool hasChildren(const std::string& folder) const;

  std::map<std::string, Entry> entries_;  // by folded path
  std::set<std::string> unwritable_;      // folded paths
};

}  // namespace corvanta::testing
