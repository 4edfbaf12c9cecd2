#include "fakes/fake_files.h"

#include <string_view>

namespace corvanta::testing {
namespace {

constexpr long kAccessDenied = 5;
constexpr long kDirectoryName = 267;  // ERROR_DIRECTORY: not a folder

// Windows' wildcards over folded names: "*" any run, "?" any one character.
bool matches(const std::string& pattern, const std::string& name) {
  std::size_t p = 0, n = 0, star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// ERROR_INVALID_NAME for a path with a character no file name may hold
// below its drive, else 0. (A colon after the drive names a stream.)
long invalidName(const std::string& path) {
  const std::size_t start = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  for (std::size_t at = start; at < path.size(); ++at) {
    const auto c = static_cast<unsigned char>(path[at]);
    if (c < 0x20 ||
        std::string_view("<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos)
      return kErrorInvalidName;
  }
  return 0;
}

}  // namespace

std::string FakeFiles::parentOf(const std::string& path) {
  const auto separator = path.find_last_of('\\');
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

bool FakeFiles::isFolder(const std::string& path) const {
  if (path.size() == 2 && path[1] == ':') return true;  // a drive's root
  const auto found = entries_.find(foldCase(path));
  return found != entries_.end() && (found->second.attributes & kFileAttributeDirectory);
}

bool FakeFiles::hasChildren(const std::string& folder) const {
  const std::string folded = foldCase(folder);
  for (const auto& [key, entry] : entries_) {
    if (foldCase(parentOf(entry.path)) == folded) return true;
  }
  return false;
}

void FakeFiles::addFolder(const std::string& path, std::uint32_t attributes) {
  const std::string parent = parentOf(path);
  if (!parent.empty() && !isFolder(parent)) addFolder(parent);
  entries_[foldCase(path)] = {path, attributes | kFileAttributeDirectory, {}};
}

void FakeFiles::addFile(const std::string& path, const std::string& contents,
                        std::uint32_t attributes) {
  const std::string parent = parentOf(path);
  if (!parent.empty() && !isFolder(parent)) addFolder(parent);
  entries_[foldCase(path)] = {path, attributes, contents};
}

std::string FakeFiles::contents(const std::string& path) const {
  const auto found = entries_.find(foldCase(path));
  return found == entries_.end() ? std::string() : found->second.contents;
}

long FakeFiles::appendToFile(const std::string& path, const std::string& bytes) {
  if (const long bad = invalidName(path)) return bad;
  if (unwritable_.count(foldCase(path))) return kAccessDenied;
  if (!isFolder(parentOf(path))) return kErrorPathNotFound;
  auto& entry = entries_[foldCase(path)];
  if (entry.path.empty()) entry = {path, kFileAttributeArchive, {}};
  if (entry.attributes & kFileAttributeDirectory) return kAccessDenied;
  entry.contents += bytes;
  return 0;
}

std::uint32_t FakeFiles::attributesOf(const std::string& path) const {
  const auto found = entries_.find(foldCase(path));
  return found == entries_.end() ? 0 : found->second.attributes;
}

long FakeFiles::findFiles(const std::string& pattern, std::vector<FileEntry>& found) {
  ++findCalls;
  const std::string folder = parentOf(pattern);
  if (const long bad = invalidName(folder)) return bad;
  for (std::string above = foldCase(folder); !above.empty(); above = parentOf(above)) {
    const auto failure = listingFailures_.find(above);
    if (failure != listingFailures_.end()) return failure->second;
  }
  if (!isFolder(folder)) return kErrorPathNotFound;
  const std::string wildcard = foldCase(pattern.substr(folder.size() + 1));
  const std::string foldedFolder = foldCase(folder);
  std::vector<FileEntry> entries;
  if (wildcard.find_first_of("*?") == std::string::npos) {
    const auto exact = entries_.find(foldedFolder + '\\' + wildcard);
    if (exact == entries_.end()) return 2;
    found = {{exact->second.path.substr(folder.size() + 1), exact->second.attributes,
              exact->second.contents.size()}};
    return 0;
  }
  // The folder's entries sit together in the sorted map, after its own path
  // and a backslash; a key with a further backslash is deeper down.
  const std::string prefix = foldedFolder + '\\';
  for (auto at = entries_.lower_bound(prefix);
       at != entries_.end() && at->first.compare(0, prefix.size(), prefix) == 0; ++at) {
    const std::string folded = at->first.substr(prefix.size());
    if (folded.find('\\') != std::string::npos || !matches(wildcard, folded)) continue;
    entries.push_back({at->second.path.substr(folder.size() + 1), at->second.attributes,
                       at->second.contents.size()});
  }
  if (entries.empty()) return 2;
  found = std::move(entries);
  return 0;
}

long FakeFiles::createDirectory(const std::string& path) {
  if (const long bad = invalidName(path)) return bad;
  if (unwritable_.count(foldCase(path)) || unwritable_.count(foldCase(parentOf(path)))) {
    return kAccessDenied;
  }
  if (!isFolder(parentOf(path))) return kErrorPathNotFound;
  if (exists(path)) return kErrorAlreadyExists;
  addFolder(path);
  return 0;
}

long FakeFiles::removeDirectory(const std::string& path) {
  if (const long bad = invalidName(path)) return bad;
  const auto found = entries_.find(foldCase(path));
  if (found == entries_.end()) return isFolder(parentOf(path)) ? 2 : kErrorPathNotFound;
  if (unwritable_.count(found->first)) return kAccessDenied;
  if (!(found->second.attributes & kFileAttributeDirectory)) return kDirectoryName;
  if (hasChildren(path)) return kErrorDirNotEmpty;
  entries_.erase(found);
  return 0;
}

long FakeFiles::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  if (const long bad = invalidName(path)) return bad;
  const auto found = entries_.find(foldCase(path));
  if (found == entries_.end()) return isFolder(parentOf(path)) ? 2 : kErrorPathNotFound;
  if (unwritable_.count(found->first)) return kAccessDenied;
  const std::uint32_t folder = found->second.attributes & kFileAttributeDirectory;
  found->second.attributes = (attributes == kFileAttributeNormal ? 0 : attributes) | folder;
  return 0;
}

long FakeFiles::deleteFile(const std::string& path) {
  if (const long bad = invalidName(path)) return bad;
  const auto found = entries_.find(foldCase(path));
  if (found == entries_.end()) return isFolder(parentOf(path)) ? 2 : kErrorPathNotFound;
  const std::uint32_t attributes = found->second.attributes;
  if (unwritable_.count(found->first) ||
      (attributes & (kFileAttributeDirectory | kFileAttributeReadOnly))) {
    return kAccessDenied;
  }
  entries_.erase(found);
  return 0;
}

long FakeFiles::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  if (const long bad = invalidName(from)) return bad;
  if (const long bad = invalidName(to)) return bad;
  const auto source = entries_.find(foldCase(from));
  if (source == entries_.end() || (source->second.attributes & kFileAttributeDirectory)) return 2;
  if (!isFolder(parentOf(to))) return kErrorPathNotFound;
  if (unwritable_.count(foldCase(to))) return kAccessDenied;
  if (failIfExists && exists(to)) return kErrorFileExists;
  const Entry copy = source->second;
  entries_[foldCase(to)] = {to, copy.attributes, copy.contents};
  return 0;
}

long FakeFiles::moveFile(const std::string& from, const std::string& to) {
  if (const long bad = invalidName(from)) return bad;
  if (const long bad = invalidName(to)) return bad;
  if (!exists(from)) return 2;
  if (!isFolder(parentOf(to))) return kErrorPathNotFound;
  if (exists(to)) return 183;  // ERROR_ALREADY_EXISTS
  if (unwritable_.count(foldCase(from)) || unwritable_.count(foldCase(to))) return kAccessDenied;
  // The entry and everything below it, renamed.
  const std::string prefix = foldCase(from);
  std::map<std::string, Entry> moved;
  for (auto entry = entries_.begin(); entry != entries_.end();) {
    const std::string& key = entry->first;
    if (key == prefix || key.rfind(prefix + '\\', 0) == 0) {
      Entry renamed = entry->second;
      renamed.path = to + renamed.path.substr(from.size());
      moved[foldCase(renamed.path)] = std::move(renamed);
      entry = entries_.erase(entry);
    } else {
      ++entry;
    }
  }
  entries_.merge(moved);
  return 0;
}

long FakeFiles::createNewFile(const std::string& path, const std::string& bytes) {
  if (const long bad = invalidName(path)) return bad;
  if (exists(path)) return kErrorFileExists;
  return appendToFile(path, bytes);
}

long FakeFiles::replaceFile(const std::string& path, const std::string& bytes) {
  if (const long bad = invalidName(path)) return bad;
  if (!isFolder(parentOf(path))) return kErrorPathNotFound;
  if (unwritable_.count(foldCase(path)) || isFolder(path)) return kAccessDenied;
  auto& entry = entries_[foldCase(path)];
  entry = {path, kFileAttributeArchive, bytes};
  return 0;
}

long FakeFiles::openShared(const std::string& path, std::unique_ptr<SharedFile>& file) {
  if (const long status = appendToFile(path, ""); status != 0) return status;
  ++sharedOpens;

  // Reads and appends reach the file as it is then, through whatever other
  // handle it was changed; the lock is one per file, as between processes.
  class Shared final : public SharedFile {
   public:
    Shared(FakeFiles& files, std::string folded) : files_(files), folded_(std::move(folded)) {}
    ~Shared() override {
      if (locked_) unlock();
    }
    long lock() override {
      constexpr long kLockViolation = 33;
      if (!files_.locked_.insert(folded_).second) return kLockViolation;
      locked_ = true;
      return 0;
    }
    void unlock() override {
      files_.locked_.erase(folded_);
      locked_ = false;
    }
    std::uint64_t size() override { return contents().size(); }
    long readAt(std::uint64_t offset, std::size_t count, std::string& bytes) override {
      const std::string& all = contents();
      bytes = offset >= all.size() ? std::string()
                                   : all.substr(static_cast<std::size_t>(offset), count);
      return 0;
    }
    long append(const std::string& bytes) override {
      if (files_.unwritable_.count(folded_)) return kAccessDenied;
      files_.entries_[folded_].contents += bytes;
      return 0;
    }
    long rewrite(const std::string& bytes) override {
      if (files_.unwritable_.count(folded_)) return kAccessDenied;
      if (files_.cutRewrites) {
        contents().replace(0, bytes.size() / 2, bytes.substr(0, bytes.size() / 2));
        return 112;
      }
      contents() = bytes;
      return 0;
    }

   private:
    std::string& contents() { return files_.entries_[folded_].contents; }
    FakeFiles& files_;
    std::string folded_;
    bool locked_ = false;
  };
  file = std::make_unique<Shared>(*this, foldCase(path));
  return 0;
}

}  // namespace corvanta::testing
