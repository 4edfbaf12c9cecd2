// The file operations the program performs, by path (UTF-8),
// with Win32 status numbers. A 32-bit program on 64-bit Windows sees the
// real system folders here, not the ones the system redirects it to: a file
// the program tests or deletes is the file the path names.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_status.h"

namespace corvanta {

inline constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kFileAttributeHidden = 0x02;
inline constexpr std::uint32_t kFileAttributeSystem = 0x04;
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;
inline constexpr std::uint32_t kFileAttributeReparsePoint = 0x400;

struct FileEntry {
  std::string name;  // the name alone, without its folder
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;  // bytes; 0 for a folder
};

// A file several processes hold open at once to read and append to. An
// append that must stay whole and in order (the changes journal's) takes
// the file's lock, which every holder shares, while it reads what is there
// and adds to it; readers are never kept out.
class SharedFile {
 public:
  virtual ~SharedFile() = default;
  // Waits a few seconds at most for another holder to let go; the status
  // it then fails with otherwise (33, ERROR_LOCK_VIOLATION).
  virtual long lock() = 0;
  virtual void unlock() = 0;
  virtual std::uint64_t size() = 0;
  // Up to `count` bytes from `offset` into `bytes` (fewer at the end).
  virtual long readAt(std::uint64_t offset, std::size_t count, std::string& bytes) = 0;
  virtual long append(const std::string& bytes) = 0;
  // Makes the file hold `bytes` alone, in place (written from its start,
  // cut after them, flushed), so that every holder reads and appends to
  // the new content through the handle it has. Taken under the lock; a
  // failure part way leaves the file part old, part new.
  virtual long rewrite(const std::string& bytes) = 0;
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
  // FindFirstFileW: 0 when at least one entry (not "." or "..") matches the
  // pattern, else the status finding failed with (2 when nothing matches).
  virtual long anyMatch(const std::string& pattern) = 0;
  // CreateDirectoryW: the parent must exist.
  virtual long createDirectory(const std::string& path) = 0;
  // RemoveDirectoryW: only an empty folder is removed.
  virtual long removeDirectory(const std::string& path) = 0;
  // SetFileAttributesW.
  virtual long setFileAttributes(const std::string& path, std::uint32_t attributes) = 0;
  // DeleteFileW.
  virtual long deleteFile(const std::string& path) = 0;
  // CopyFileW: the copy keeps the file's attributes; with failIfExists an
  // existing `to` is left alone and the copy fails (80).
  virtual long copyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
  // MoveFileExW without replacing: a file or a folder, with all it holds,
  // to a new name on the same drive; an existing `to` is left alone (183).
  virtual long moveFile(const std::string& from, const std::string& to) = 0;
  // The whole file into `bytes`, which is untouched on failure.
  virtual long readFile(const std::string& path, std::string& bytes) = 0;
  // Creates `path` holding `bytes`; an existing file is left alone (80).
  virtual long createNewFile(const std::string& path, const std::string& bytes) = 0;
  // Makes `path` hold `bytes`, whole or not at all: written beside it, then
  // moved over it in one step. An earlier file stays as it was on failure.
  virtual long replaceFile(const std::string& path, const std::string& bytes) = 0;
  // Opens the file (made when missing) to read and append to, shared with
  // every other holder; `file` is untouched on failure.
  virtual long openShared(const std::string& path, std::unique_ptr<SharedFile>& file) = 0;
};

// Makes the folder and every missing folder above it; true when it exists.
bool makeFolderTree(FilePort& files, const std::string& path);

}  // namespace corvanta
