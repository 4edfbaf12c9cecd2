// What a check tells whoever watches it run. The System Health window shows
// it in the check's frame (its bar and two counts) and its status line, and
// lets the user's input run meanwhile; the command line shows nothing, and
// so takes this class as it is.
#pragma once

#include <cstddef>
#include <string>

namespace corvanta {

class CheckProgress {
 public:
  virtual ~CheckProgress() = default;

  // The counts of an earlier run go as a run starts.
  virtual void clearCounts() {}
  // A pass over `count` entries begins, and `position` of them are done.
  virtual void setMaximumFor(std::size_t /*count*/) {}
  virtual void setPosition(std::size_t /*position*/) {}
  // How many entries the check found broken, and how many it repaired.
  virtual void setErrors(std::size_t /*count*/) {}
  virtual void setRepaired(std::size_t /*count*/) {}
  // Where a long walk is (a folder), or that it waits or is done.
  virtual void showStatus(const std::string& /*text*/) {}
  // Lets the user's input run during a long pass: a click on Close waits
  // for the check's end, and the window keeps painting.
  virtual void letInputRun() {}
};

}  // namespace corvanta
