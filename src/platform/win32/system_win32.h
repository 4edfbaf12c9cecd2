// The system port over kernel32.
#pragma once

#include "platform/system_port.h"

namespace corvanta {

class Win32System final : public SystemPort {
 public:
  std::string expandEnvironmentStrings(const std::string& text) override;
  bool getVersionEx(OsVersion& out) override;
  std::string moduleFileName() override;
};

}  // namespace corvanta
