// The file operations the program performs, by path in the ANSI code page,
// with Win32 status numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvanta {

inline constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kFileAttributeHidden = 0x02;
inline constexpr std::uint32_t kFileAttributeSystem = 0x04;
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;

inline constexpr long kErrorPathNotFound = 3;
inline constexpr long kErrorNoMoreFiles = 18;
inline constexpr long kErrorDirNotEmpty = 145;
inline constexpr long kErrorAlreadyExists = 183;

struct FileEntry {
  std::string name;  // the name alone, without its folder
  std::uint32_t attributes = 0;
};

class FilePort {
 public:
  virtual ~FilePort() = default;

  // Appends `bytes` to the file, creating it when missing. Returns the Win32
  // status (0 when every byte was written).
  virtual long appendToFile(const std::string& path, const std::string& bytes) = 0;
  // Every entry, hidden and system ones included, whose name matches the
  // wildcard pattern ("C:\folder\*.txt"), without "." and "..". Returns 0,
  // 2 when nothing matches, 3 when the folder does not exist, or another
  // status when the folder cannot be read; `found` is untouched then.
  virtual long findFiles(const std::string& pattern, std::vector<FileEntry>& found) = 0;
  // CreateDirectoryA: the parent must exist.
  virtual long createDirectory(const std::string& path) = 0;
  // RemoveDirectoryA: only an empty folder is removed.
  virtual long removeDirectory(const std::string& path) = 0;
};

}  // namespace corvanta
