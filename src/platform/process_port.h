// The running processes: a snapshot of (identifier, executable name) pairs
// in the system's order, and the calls that end one, with Win32 results.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvanta {

struct ProcessEntry {
  std::uint32_t id = 0;
  std::string exeName;  // as the system reports it: a bare name on NT, a full path on 9x
  // When the process started (a FILETIME), 0 when the system would not say:
  // with the identifier it names one process, as identifiers are reused.
  std::uint64_t created = 0;
  bool operator==(const ProcessEntry&) const = default;
};

inline constexpr std::uint32_t kProcessTerminate = 0x0001;
inline constexpr std::uint32_t kProcessQueryInformation = 0x0400;

class ProcessPort {
 public:
  virtual ~ProcessPort() = default;

  // Every running process (Toolhelp); false when no snapshot can be taken.
  virtual bool snapshot(std::vector<ProcessEntry>& processes) = 0;
  virtual std::uint32_t currentProcessId() = 0;
  // Whether the system marks the process critical (its end ends the
  // session); nothing when the system cannot say.
  virtual std::optional<bool> isCritical(std::uint32_t id) = 0;

  // OpenProcess, GetExitCodeProcess, TerminateProcess, CloseHandle: a handle
  // of 0 and false are failures, whose code lastError() then gives.
  virtual std::uintptr_t openProcess(std::uint32_t access, std::uint32_t id) = 0;
  virtual bool getExitCode(std::uintptr_t process, std::uint32_t& code) = 0;
  // GetProcessTimes' creation time through an open handle; nothing on failure.
  virtual std::optional<std::uint64_t> creationTime(std::uintptr_t process) = 0;
  virtual bool terminate(std::uintptr_t process, std::uint32_t exitCode) = 0;
  virtual bool closeHandle(std::uintptr_t handle) = 0;
  virtual std::uint32_t lastError() = 0;
};

}  // namespace corvanta
