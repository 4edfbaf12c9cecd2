// System Restore: a restore point asked for before the program changes the
// machine, so that Windows itself can take the changes back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvanta {

// What SRSetRestorePoint said: whether it succeeded, its status (a Win32
// error, ERROR_SERVICE_DISABLED when System Protection is off) and the
// restore point's sequence number.
struct RestorePointReply {
  bool succeeded = false;
  std::uint32_t status = 0;
  std::int64_t sequence = 0;
};

class RestorePointPort {
 public:
  virtual ~RestorePointPort() = default;
  // Begins a system change (a restore point of settings modified) with
  // this description; nothing when System Restore is not on this system
  // (Server editions). Never turns System Protection on.
  virtual std::optional<RestorePointReply> begin(const std::string& description) = 0;
  // Ends the system change begin() made restore point `sequence` for.
  virtual void end(std::int64_t sequence) = 0;
};

}  // namespace corvanta
