// What the six checks of the System Health window share: the frame's
// progress bar and count labels, the hidden sorted lists, the existence test
// and the quote rule.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "base/text.h"

namespace corvanta {

class DrivePort;
class FilePort;
namespace ui {
class Control;
class Form;
}  // namespace ui

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

// A check frame's progress bar and its two count labels. The bar takes a
// maximum of a count minus one and refuses what it cannot show (a maximum of
// 0 or less, a position past the maximum): a refused setting leaves the bar
// as it was and the check goes on. The bar moves a hundred times a pass at
// most: moved for each of ten thousand entries, it took most of the time.
class CheckDisplay {
 public:
  CheckDisplay(ui::Form& form, const char* bar, const char* errors, const char* repaired);

  void clearCounts();
  void setMaximumFor(std::size_t count);
  void setPosition(std::size_t position);
  void setErrors(std::size_t count);
  void setRepaired(std::size_t count);

 private:
  ui::Control& bar_;
  ui::Control& errors_;
  ui::Control& repaired_;
  std::size_t step_ = 1;       // entries between two moves of the bar
  std::size_t nextShown_ = 0;  // the next position the bar moves to
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
