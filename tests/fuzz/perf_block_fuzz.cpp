// libFuzzer target: whatever bytes the performance data holds, the sampler
// answers with a figure or one of its errors, and never reads outside the
// block (AddressSanitizer) or overflows (UndefinedBehaviorSanitizer).
#include <cstdint>
#include <cstring>
#include <vector>

#include "fakes/fake_monitor.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_system.h"
#include "monitor/cpu_load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvanta;
  testing::FakeSystem system;
  system.processors = 4;
  testing::FakeRegistry registry;
  testing::FakePerformanceData performance;
  // The input is two samples, split at its first byte's share of the rest.
  const std::size_t split = size ? 1 + (size - 1) * data[0] / 256 : 0;
  performance.blocks.emplace_back(data + (size ? 1 : 0), data + split);
  performance.blocks.emplace_back(data + split, data + size);
  try {
    CPULoad cpu(system, registry, performance);
    for (int sample = 0; sample < 2; ++sample) {
      try {
        cpu.CollectCPUData();
        for (int index = 0; index < cpu.GetCPUCount(); ++index) cpu.GetCPUUsage(index);
      } catch (const CPULoadError&) {
      }
    }
  } catch (const CPULoadError&) {
  }
  return 0;
}
