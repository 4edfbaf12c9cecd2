// What the six checks of the System Health window share: the hidden sorted
// lists, the existence test and the quote rule.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "base/text.h"

namespace corvanta {

class DrivePort;
class FilePort;

// Every double quote of `text` becomes one space; the length stays.
std::string QuotesToSpaces(std::string text);

// The first few names, a line each, and "..." when there are more: the list
// a check's notice shows.
std::string namesShown(const std::vector<std::string>& names);

// A hidden list that keeps its texts in ascending order without regard to
// case; equal texts are all kept, in the order they came.
class SortedList {
 public:
  void add(std::string text) { items_.insert(std::move(text)); }
  void clear() { items_.clear(); }
  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  struct Less {
    bool operator()(const std::string& a, const std::string& b) const {
      return foldCase(a) < foldCase(b);
    }
  };
  std::multiset<std::string, Less> items_;
};

// IsPresent: whether the file or folder a path names is there. Only a
// definite "not found" for a full path on a fixed local drive makes a path
// missing; a path whose existence cannot be decided (empty, not a full path,
// a network path, a removable or optical drive, a drive that does not exist,
// no rights, a name the file system rejects) counts as present, so that no
// entry is ever deleted on a guess.
// Hidden and system files and folders are present; a path ending in a
// backslash names a folder, present when it holds at least one entry.
// "*" and "?" in the last part match as in a directory search.
class PresenceTest {
 public:
  PresenceTest(FilePort& files, DrivePort& drives) : files_(files), drives_(drives) {}
  bool IsPresent(const std::string& path);

 private:
  bool driveCanTell(char letter);

  FilePort& files_;
  DrivePort& drives_;
  // Per drive letter, once a test has asked: whether it can tell "missing".
  std::vector<signed char> driveAnswers_ = std::vector<signed char>(26, -1);
};

}  // namespace corvanta
