// Facts about the machine for the System Information page, gathered in one
// call. A fact the system does not offer is an empty text (or 0) here; the
// page says so in words.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

struct SystemFacts {
  std::string computerName;
  std::string userName;
  std::uint64_t installedMemory = 0;  // bytes
  std::uint64_t pagingFile = 0;       // bytes
  std::string osVersion;              // "6.1.7601 Service Pack 1"
  std::string osName;                 // "Windows 7 Professional"
  std::string osId;                   // the product identifier
  std::string compatible;             // the machine's identifier: "AT/AT COMPATIBLE"
  std::string biosDate;
  std::string biosVersion;
};

class SystemInfoPort {
 public:
  virtual ~SystemInfoPort() = default;
  virtual SystemFacts collect() = 0;
  // The processor's clock as "2394 MHz", from the system's description of
  // the processor where it has one, else measured against the performance
  // counter for a few milliseconds (sleeping, not spinning); empty when
  // neither can tell.
  virtual std::string processorSpeed() = 0;
};

}  // namespace corvanta
