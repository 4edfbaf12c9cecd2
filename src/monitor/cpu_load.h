// CPULoad: processor usage in percent. On the NT platform from two samples
// of the Processor object's processor-time counter in the performance data;
// on Windows 9x from the kernel's own CPU-usage statistic under
// HKEY_DYN_DATA. Failures are raised as CPULoadError, with the numbers,
// sources and descriptions callers of this class have always seen.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace corvanta {

class PerformanceDataPort;
class SystemPort;

class CPULoadError : public std::runtime_error {
 public:
  CPULoadError(std::int32_t number, std::string source, const std::string& description)
      : std::runtime_error(description), number_(number), source_(std::move(source)) {}
  std::int32_t number() const { return number_; }
  const std::string& source() const { return source_; }

 private:
  std::int32_t number_;
  std::string source_;
};

class CPULoad {
 public:
  // Raises 8001 when the Windows version cannot be read.
  CPULoad(SystemPort& system, RegistryPort& registry, PerformanceDataPort& performance);
  ~CPULoad();
  CPULoad(const CPULoad&) = delete;
  CPULoad& operator=(const CPULoad&) = delete;

  void CollectCPUData();
  std::int32_t GetCPUCount();
  std::int32_t GetCPUUsage(std::int32_t index);

  std::int32_t bufferSize() const { return bufferSize_; }

 private:
  void collectNt();
  void collect9x();
  void StopMonitoring();

  SystemPort& system_;
  RegistryPort& registry_;
  PerformanceDataPort& performance_;
  std::int32_t cpuCount_ = -1;
  std::int32_t bufferSize_ = 4096;
  bool isWinNt_ = false;
  bool started_ = false;
  std::int32_t usage9x_ = 0;
  RegKey statDataKey_ = 0;
  std::vector<std::int64_t> counterNow_;
  std::vector<std::int64_t> counterPrev_;
  std::int64_t timeNow_ = 0;
  std::int64_t timePrev_ = 0;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace corvanta
