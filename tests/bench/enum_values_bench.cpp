// EnumRegistryValues against the bare loop on the same in-memory registry.
#include <benchmark/benchmark.h>

#include "bench/enum_workload.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_system.h"
#include "registry/registry_routines.h"

namespace corvanta::bench {
namespace {

constexpr const char* kKey = "Software\\Corvanta Benchmark";

struct Workload {
  Workload() {
    fake.addKey(kHkeyCurrentUser, kKey);
    RegKey key = 0;
    fake.openKeyEx(kHkeyCurrentUser, kKey, kKeyAllAccess, key);
    fillMixedValues(fake, key);
    fake.closeKey(key);
  }
  testing::FakeRegistry fake;
  testing::FakeSystem system;
};

Workload& workload() {
  static Workload shared;
  return shared;
}

void EnumRegistryValuesClass(benchmark::State& state) {
  RegistryRoutines routines(workload().fake, workload().system);
  for (auto _ : state) {
    const ValueList values = routines.EnumRegistryValues(kHkeyCurrentUser, kKey);
    benchmark::DoNotOptimize(values.size());
  }
}
BENCHMARK(EnumRegistryValuesClass)->Unit(benchmark::kMillisecond);

void EnumRegistryValuesBareLoop(benchmark::State& state) {
  for (auto _ : state) {
    const auto values = bareEnumValues(workload().fake, workload().system, kHkeyCurrentUser, kKey);
    benchmark::DoNotOptimize(values.size());
  }
}
BENCHMARK(EnumRegistryValuesBareLoop)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvanta::bench

BENCHMARK_MAIN();
