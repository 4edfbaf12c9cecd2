// The process manager, enumfrm: the running processes by executable name and
// identifier, kept current while the window is open, and the selected one
// ended on request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/process_port.h"
#include "ui/form.h"

namespace corvanta {

struct AppContext;

// The text after the last backslash of `path`, or all of it.
std::string FileNameFromPath(const std::string& path);

// Ends the listed process: open, make sure the handle holds the process
// listed (its start time) and not a later one given the same identifier,
// read its exit code, terminate with it, close. Each step runs even when one
// before failed, and each failure is logged with the system's error code.
// True when the process was terminated.
bool Kill_Process(AppContext& app, const ProcessEntry& listed);

class ProcessForm : public ui::Form {
 public:
  explicit ProcessForm(AppContext& app);

  void Form_Load();
  void Display();
  void terminatecmd_Click();
  void Timer2_Timer();
  void Command1_Click();

 private:
  // The name the system reported for the row's process (its tag).
  const ProcessEntry* selected() const;
  // Why a process may not be ended from here, or empty when it may.
  std::string refusal(const ProcessEntry& process);

  AppContext& app_;
  std::vector<ProcessEntry> shown_;  // the rows, in order
};

}  // namespace corvanta
