// System Restore through srclient.dll, bound when first asked for: the DLL
// is absent on Server editions, and starting the program must not load it.
#pragma once

#include "platform/restore_point_port.h"

namespace corvanta {

class Win32RestorePoints final : public RestorePointPort {
 public:
  std::optional<RestorePointReply> begin(const std::string& description) override;
  void end(std::int64_t sequence) override;
};

}  // namespace corvanta
