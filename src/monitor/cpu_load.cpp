// Every offset into the performance data is checked against the buffer: a
// truncated or corrupt block is "Unable to read performance data" (8006),
// never a read outside it.
#include "monitor/cpu_load.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/perf_block.h"
#include "platform/performance_port.h"
#include "platform/system_port.h"

namespace corvanta {
namespace {

constexpr std::int32_t kObjectErrorBase = static_cast<std::int32_t>(0x80040000);
constexpr std::int32_t kGrowth = 4096;
constexpr const char* kStatValue = "KERNEL\\CPUUsage";
constexpr std::int64_t kLongestIndexBytes = 18;  // nine digits of UTF-16

[[noreturn]] void raise(int code, const char* method, const char* description) {
  throw CPULoadError(kObjectErrorBase + code, std::string("CPULoad") + method, description);
}
[[noreturn]] void unreadable() {
  raise(8006, ".CollectCPUData()", "Unable to read performance data");
}

// Reads the statistic's value into `usage`; a failed read keeps the last one.
void readStat(RegistryPort& registry, RegKey key, std::int32_t& usage) {
  std::uint32_t type = 4;
  std::uint8_t bytes[4] = {};
  std::uint32_t size = 4;
  if (registry.queryValueEx(key, kStatValue, &type, bytes, &size) == kErrorSuccess) {
    usage = static_cast<std::int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                      (static_cast<std::uint32_t>(bytes[3]) << 24));
  }
}

bool isNumeric(const std::string& name) {
  if (name.empty() || name.size() > 9) return false;
  for (const char c : name) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

CPULoad::CPULoad(SystemPort& system, RegistryPort& registry, PerformanceDataPort& performance)
    : system_(system), registry_(registry), performance_(performance), buffer_(4096) {
  OsVersion version;
  if (!system_.getVersionEx(version)) raise(8001, ".Initialize", "Can't get the Windows version");
  isWinNt_ = version.platformId == kVerPlatformWin32Nt;
}

CPULoad::~CPULoad() { StopMonitoring(); }

std::int32_t CPULoad::GetCPUCount() {
  if (cpuCount_ > 0) return cpuCount_;
  cpuCount_ = static_cast<std::int32_t>(system_.processorCount());
  counterPrev_.assign(static_cast<std::size_t>(std::max(cpuCount_, 0)), 0);
  counterNow_.assign(static_cast<std::size_t>(std::max(cpuCount_, 0)), 0);
  return cpuCount_;
}

void CPULoad::CollectCPUData() {
  if (isWinNt_) {
    collectNt();
  } else {
    collect9x();
  }
}

void CPULoad::collectNt() {
  // 1. The Processor object only, into a buffer that grows by 4096 bytes for
  // as long as the system asks for more.
  long status = 0;
  std::uint32_t size = 0;
  for (;;) {
    size = static_cast<std::uint32_t>(bufferSize_);
    status = performance_.queryPerformanceData("238", buffer_.data(), size);
    if (status != kErrorMoreData) break;
    if (bufferSize_ > std::numeric_limits<std::int32_t>::max() - kGrowth) unreadable();
    bufferSize_ += kGrowth;
    buffer_.resize(static_cast<std::size_t>(bufferSize_));
  }
  bufferSize_ = static_cast<std::int32_t>(buffer_.size());
  // A failed query leaves no block (what the buffer holds is an old one).
  if (status != kErrorSuccess) unreadable();

  try {
    // 2-3. The data block and the Processor object in it.
    const PerfBlockReader block(buffer_.data(), std::min<std::size_t>(size, buffer_.size()));
    if (!block.hasSignature()) unreadable();
    const auto object = block.findObject(kProcessorObject);
    if (!object) {
      raise(8004, ".CollectData", "Unable to locate the 'Processor' performance object");
    }
    // 4. The processor count, and the counters with it, on the first sample.
    if (cpuCount_ < 1) GetCPUCount();

    // 5. The processor-time counter.
    std::int64_t offset = *object + block.u32(*object + perf::kObjectHeaderLength);
    const std::uint32_t counters = block.u32(*object + perf::kObjectNumCounters);
    std::optional<std::uint32_t> counterOffset;
    for (std::uint32_t i = 0; i < counters; ++i) {
      if (block.u32(offset + perf::kCounterNameTitleIndex) == kProcessorTimeCounter) {
        counterOffset = block.u32(offset + perf::kCounterOffset);
        break;
      }
      offset += block.length(offset + perf::kCounterByteLength, perf::kCounterSize);
    }
    if (!counterOffset) {
      raise(8005, ".CollectData", "Unable to locate the '% of CPU usage' performance counter");
    }

    // 6. Each processor's instance; the total instance has no number.
    offset = *object + block.u32(*object + perf::kObjectDefinitionLength);
    const auto instances =
        static_cast<std::int32_t>(block.u32(*object + perf::kObjectNumInstances));
    for (std::int32_t i = 0; i < instances; ++i) {
      // Processors are named by their index; a longer name is not one.
      const std::int64_t nameBytes =
          std::int64_t{block.u32(offset + perf::kInstanceNameLength)} - 2;
      const std::string name =
          nameBytes > kLongestIndexBytes
              ? std::string()
              : block.utf16(offset + block.u32(offset + perf::kInstanceNameOffset), nameBytes);
      const std::int64_t counterBlock =
          offset + block.length(offset + perf::kInstanceByteLength, perf::kInstanceSize);
      const std::uint32_t counterBlockLength = block.length(counterBlock, 4);
      if (isNumeric(name)) {
        const long index = std::stol(name);
        if (index >= cpuCount_) {
          throw CPULoadError(9, "CPULoad.CollectData", "Subscript out of range");
        }
        const auto at = static_cast<std::size_t>(index);
        counterPrev_[at] = counterNow_[at];
        counterNow_[at] = block.i64(counterBlock + *counterOffset);
      }
      offset = counterBlock + counterBlockLength;
    }

    // 7. The time stamp.
    SystemTime time;
    int* fields[] = {&time.year, &time.month,  &time.dayOfWeek, &time.day,
                     &time.hour, &time.minute, &time.second,    &time.milliseconds};
    for (std::size_t i = 0; i < 8; ++i)
      *fields[i] = block.u16(perf::kBlockSystemTime + static_cast<std::int64_t>(i) * 2);
    const auto now = fileTimeOf(time);
    if (!now) unreadable();
    timePrev_ = timeNow_;
    timeNow_ = *now;
  } catch (const CorruptBlock&) {
    unreadable();
  }
}

void CPULoad::collect9x() {
  if (!started_) {
    RegKey start = 0;
    if (registry_.openKeyEx(kHkeyDynData, "PerfStats\\StartStat", kKeyAllAccess, start) !=
        kErrorSuccess) {
      raise(8002, ".CollectCPRData()", "Unable to start performance monitoring");
    }
    readStat(registry_, start, usage9x_);  // reading it starts the statistic
    registry_.closeKey(start);
    if (registry_.openKeyEx(kHkeyDynData, "PerfStats\\StatData", kKeyRead, statDataKey_) !=
        kErrorSuccess) {
      statDataKey_ = 0;
      unreadable();
    }
    started_ = true;
  }
  readStat(registry_, statDataKey_, usage9x_);
}

std::int32_t CPULoad::GetCPUUsage(std::int32_t index) {
  if (!isWinNt_) {
    if (index != 0) raise(8003, ".GetCPUUsage()", "CPU index out of bounds");
    if (!started_) CollectCPUData();
    return usage9x_;
  }
  if (cpuCount_ < 0) CollectCPUData();
  if (index >= cpuCount_ || index < 0) raise(8003, ".GetCPUUsage()", "CPU index out of bounds");
  if (timeNow_ == timePrev_) return 0;
  const auto at = static_cast<std::size_t>(index);
  std::int64_t idle = 0;
  std::int64_t elapsed = 0;
  const auto overflow = [] { throw CPULoadError(6, "CPULoad.GetCPUUsage()", "Overflow"); };
  if (__builtin_sub_overflow(counterNow_[at], counterPrev_[at], &idle) ||
      __builtin_sub_overflow(timeNow_, timePrev_, &elapsed)) {
    overflow();
  }
  const double usage = std::nearbyint(
      (1.0 - static_cast<double>(idle) / static_cast<double>(elapsed)) * 100.0);  // ties to even
  if (!(usage >= std::numeric_limits<std::int32_t>::min() &&
        usage <= std::numeric_limits<std::int32_t>::max())) {
    overflow();
  }
  return static_cast<std::int32_t>(usage);
}

void CPULoad::StopMonitoring() {
  if (isWinNt_ || !started_) return;
  started_ = false;
  registry_.closeKey(statDataKey_);
  statDataKey_ = 0;
  RegKey stop = 0;
  if (registry_.openKeyEx(kHkeyDynData, "PerfStats\\StopStat", kKeyAllAccess, stop) !=
      kErrorSuccess) {
    return;
  }
  readStat(registry_, stop, usage9x_);  // reading it stops the statistic
  registry_.closeKey(stop);
}

}  // namespace corvanta
