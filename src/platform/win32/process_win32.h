// The process port over Toolhelp and the process calls of kernel32.
#pragma once

#include <map>

#include "platform/process_port.h"

namespace corvanta {

class Win32Processes final : public ProcessPort {
 public:
  bool snapshot(std::vector<ProcessEntry>& processes) override;
  std::uint32_t currentProcessId() override;
  std::optional<bool> isCritical(std::uint32_t id) override;
  std::uintptr_t openProcess(std::uint32_t access, std::uint32_t id) override;
  bool getExitCode(std::uintptr_t process, std::uint32_t& code) override;
  std::optional<std::uint64_t> creationTime(std::uintptr_t process) override;
  bool terminate(std::uintptr_t process, std::uint32_t exitCode) override;
  bool closeHandle(std::uintptr_t handle) override;
  std::uint32_t lastError() override;

 private:
  // The last snapshot by identifier: a process still there under the same
  // name keeps its start time rather than being opened again every second.
  // (Should another program take its identifier and name in between, ending
  // it is still refused: the handle's own start time decides.)
  std::map<std::uint32_t, ProcessEntry> known_;
};

}  // namespace corvanta
