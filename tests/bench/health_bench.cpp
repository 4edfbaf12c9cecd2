// The System Health checks' scans against the same loops written bare on
// the registry and file ports, over a machine of 10,000 and 100,000 entries
// (all of them sound, so that the runs measure the scan and delete nothing).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "fakes/app_harness.h"
#include "health/health_checks.h"

namespace corvanta::bench {
namespace {

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::string kSharedDlls = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const std::string kProgram = "C:\\Program Files\\App\\app.exe";

struct Machine {
  explicit Machine(int entries) {
    app.files.addFile(kProgram);
    for (int i = 0; i < entries; ++i) {
      const std::string name = "Entry " + std::to_string(i);
      app.registry.putString(kHkeyLocalMachine, kUninstall + "\\" + name, "DisplayName", name);
      app.registry.putString(kHkeyLocalMachine, kUninstall + "\\" + name, "UninstallString",
                             "\"C:\\u.exe\" /x");
      app.registry.putString(kHkeyLocalMachine, kAppPaths + "\\" + name + ".exe", "", kProgram);
    }
    for (int i = 0; i < entries * 5; ++i) {
      const std::string shared = "C:\\Windows\\System32\\shared" + std::to_string(i) + ".dll";
      app.files.addFile(shared);
      app.registry.putDword(kHkeyLocalMachine, kSharedDlls, shared, 1);
    }
  }
  testing::AppHarness app;
};

Machine& machine(int entries) {
  static std::map<int, std::unique_ptr<Machine>> made;
  auto& slot = made[entries];
  if (!slot) slot = std::make_unique<Machine>(entries);
  return *slot;
}

template <void (*Check)(HealthRun&)>
void CheckScan(benchmark::State& state) {
  Machine& m = machine(static_cast<int>(state.range(0)));
  const HealthCheck& check =
      *std::find_if(kHealthChecks.begin(), kHealthChecks.end(),
                    [](const HealthCheck& each) { return each.run == Check; });
  for (auto _ : state) {
    CheckProgress quiet;
    HealthRun run(m.app.context, quiet, check);
    Check(run);
  }
}

// Uninstall entries: enumerate, open each, read its value names.
void RemovalBareLoop(benchmark::State& state) {
  RegistryPort& registry = machine(static_cast<int>(state.range(0))).app.registry;
  for (auto _ : state) {
    RegKey parent = 0;
    registry.openKeyEx(kHkeyLocalMachine, kUninstall, kKeyRead, parent);
    char name[260];
    int broken = 0;
    for (std::uint32_t index = 0;; ++index) {
      std::uint32_t length = sizeof name;
      if (registry.enumKeyEx(parent, index, name, length) != kErrorSuccess) break;
      RegKey entry = 0;
      if (registry.openKeyEx(parent, std::string(name, length), kKeyRead, entry) != kErrorSuccess)
        continue;
      bool found = false;
      for (std::uint32_t value = 0;; ++value) {
        char valueName[260];
        std::uint32_t valueLength = sizeof valueName;
        if (registry.enumValue(entry, value, valueName, valueLength, nullptr, nullptr, nullptr) !=
            kErrorSuccess)
          break;
        found = found ||
                std::string(valueName, valueLength).find("UninstallString") != std::string::npos;
      }
      broken += found ? 0 : 1;
      registry.closeKey(entry);
    }
    registry.closeKey(parent);
    benchmark::DoNotOptimize(broken);
  }
}

// Shared components: enumerate the values, test each file.
void SharedBareLoop(benchmark::State& state) {
  Machine& m = machine(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RegKey key = 0;
    m.app.registry.openKeyEx(kHkeyLocalMachine, kSharedDlls, kKeyRead, key);
    std::vector<char> name(16384);
    int missing = 0;
    for (std::uint32_t index = 0;; ++index) {
      std::uint32_t length = static_cast<std::uint32_t>(name.size());
      if (m.app.registry.enumValue(key, index, name.data(), length, nullptr, nullptr, nullptr) !=
          kErrorSuccess)
        break;
      missing += m.app.files.anyMatch(std::string(name.data(), length)) == kErrorSuccess ? 0 : 1;
    }
    m.app.registry.closeKey(key);
    benchmark::DoNotOptimize(missing);
  }
}

BENCHMARK(CheckScan<RemovalCheck>)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RemovalBareLoop)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckScan<SharedComponentsCheck>)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(SharedBareLoop)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvanta::bench
