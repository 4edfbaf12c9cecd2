// The file port over kernel32.
#pragma once

#include "platform/file_port.h"

namespace corvanta {

class Win32Files final : public FilePort {
 public:
  long appendToFile(const std::string& path, const std::string& bytes) override;
  long findFiles(const std::string& pattern, std::vector<FileEntry>& found) override;
  long anyMatch(const std::string& pattern) override;
  long createDirectory(const std::string& path) override;
  long removeDirectory(const std::string& path) override;
  long setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  long deleteFile(const std::string& path) override;
  long moveFile(const std::string& from, const std::string& to) override;
  long copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  long readFile(const std::string& path, std::string& bytes) override;
  long createNewFile(const std::string& path, const std::string& bytes) override;
  long replaceFile(const std::string& path, const std::string& bytes) override;
  long openShared(const std::string& path, std::unique_ptr<SharedFile>& file) override;
};

}  // namespace corvanta
