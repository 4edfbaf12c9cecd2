// Starting programs and documents through the shell.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMaximized = 3;

class ShellPort {
 public:
  virtual ~ShellPort() = default;

  // ShellExecuteA with the default verb. Returns its result: above 32 on
  // success, otherwise the error (2 for a missing file).
  virtual std::intptr_t shellExecute(std::uintptr_t owner, const std::string& file,
                                     const std::string& parameters, const std::string& folder,
                                     int showCommand) = 0;
  // The user's own application-data folder (roaming), without a trailing
  // backslash; empty when the system cannot say.
  virtual std::string userAppDataFolder() = 0;
};

}  // namespace corvanta
