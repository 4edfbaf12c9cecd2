// The system's performance data, as RegQueryValueExA on HKEY_PERFORMANCE_DATA
// gives it: the block for the objects named (title indexes as text, "238"
// for the Processor object) into the caller's buffer, `size` in and out as
// there; 234 when the buffer is too small.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

class PerformanceDataPort {
 public:
  virtual ~PerformanceDataPort() = default;
  virtual long queryPerformanceData(const std::string& objects, std::uint8_t* data,
                                    std::uint32_t& size) = 0;
};

}  // namespace corvanta
