// The performance-data port over HKEY_PERFORMANCE_DATA. Where the system's
// block has no Processor object (Wine; Windows with its counters disabled
// or corrupt), an equal block is built from the kernel's per-processor idle
// times, so that processor usage shows real figures everywhere.
#pragma once

#include "platform/performance_port.h"

namespace corvanta {

class Win32PerformanceData final : public PerformanceDataPort {
 public:
  long queryPerformanceData(const std::string& objects, std::uint8_t* data,
                            std::uint32_t& size) override;
};

}  // namespace corvanta
