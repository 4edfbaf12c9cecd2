// The system-information port: names and memory from kernel32 and advapi32,
// the operating system and the BIOS from the registry's descriptions of them
// (the firmware's own tables where the registry has no BIOS description).
#pragma once

#include "platform/system_info_port.h"

namespace corvanta {

class Win32SystemInfo final : public SystemInfoPort {
 public:
  SystemFacts collect() override;
  std::string processorSpeed() override;
};

}  // namespace corvanta
