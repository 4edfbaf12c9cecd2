// An in-memory file system for the file port: folders and files with their
// attributes, found by Windows' wildcards ("*", "?"), names compared without
// regard to case, and the statuses Windows gives.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "base/text.h"
#include "platform/file_port.h"

namespace corvanta::testing {

class FakeFiles final : public FilePort {
 public:
  // Arranging: folders and files, made with every folder above them.
  void addFolder(const std::string& path, std::uint32_t attributes = kFileAttributeDirectory);
  void addFile(const std::string& path, const std::string& contents = "",
               std::uint32_t attributes = kFileAttributeArchive);
  // Appending to, creating in or removing this path is refused (5).
  void makeUnwritable(const std::string& path) { unwritable_.insert(foldCase(path)); }
  // Listing this folder, or any below it, fails with `status` (5 for no
  // rights, 21 for a drive without a medium).
  void clearListingFailures() { listingFailures_.clear(); }
  void failListing(const std::string& folder, long status) {
    listingFailures_[foldCase(folder)] = status;
  }
  std::uint32_t attributesOf(const std::string& path) const;
  int findCalls = 0;

  bool exists(const std::string& path) const { return entries_.count(foldCase(path)) != 0; }
  std::string contents(const std::string& path) const;
  // Every folder and file there is, as named when made.
  std::vector<std::string> paths() const {
    std::vector<std::string> all;
    for (const auto& [folded, entry] : entries_) all.push_back(entry.path);
    return all;
  }

  long appendToFile(const std::string& path, const std::string& bytes) override;
  long findFiles(const std::string& pattern, std::vector<FileEntry>& found) override;
  long anyMatch(const std::string& pattern) override {
    std::vector<FileEntry> found;
    return findFiles(pattern, found);
  }
  long createDirectory(const std::string& path) override;
  long removeDirectory(const std::string& path) override;
  long setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  long deleteFile(const std::string& path) override;
  long copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  long moveFile(const std::string& from, const std::string& to) override;
  long createNewFile(const std::string& path, const std::string& bytes) override;
  long replaceFile(const std::string& path, const std::string& bytes) override;
  long openShared(const std::string& path, std::unique_ptr<SharedFile>& file) override;
  int sharedOpens = 0;  // how often openShared opened a file
  // A SharedFile's rewrite writes the first half of what it is given over
  // the file's start and fails (112), as a rewrite cut short by a power cut.
  bool cutRewrites = false;
  long readFile(const std::string& path, std::string& bytes) override {
    if (!exists(path) || (attributesOf(path) & kFileAttributeDirectory)) return 2;
    bytes = contents(path);
    return 0;
  }

 private:
  struct Entry {
    std::string path;  // as given
    std::uint32_t attributes = 0;
    std::string contents;
  };
  static std::string parentOf(const std::string& path);
  bool isFolder(const std::string& path) const;
  bool hasChildren(const std::string& folder) const;

  std::map<std::string, Entry> entries_;         // by folded path
  std::set<std::string> unwritable_;             // folded paths
  std::map<std::string, long> listingFailures_;  // by folded folder
  std::set<std::string> locked_;                 // folded paths a SharedFile holds the lock of
};

}  // namespace corvanta::testing
