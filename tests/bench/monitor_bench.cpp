// One CPU sample of a 64-processor block; one process-list refresh with 300
// processes; the Fonts window's list of 1,000 families beside the bare copy
// of the enumeration.
#include <benchmark/benchmark.h>

#include "appearance/fonts_form.h"
#include "fakes/app_harness.h"
#include "monitor/cpu_load.h"
#include "monitor/process_form.h"
#include "platform/perf_block.h"

namespace corvanta::bench {
namespace {

void CpuSample64Processors(benchmark::State& state) {
  testing::AppHarness app;
  app.system.processors = 64;
  std::vector<std::int64_t> idle(64);
  for (int second = 0; second < 2; ++second) {
    for (auto& time : idle) time += 5'000'000;
    app.performance.blocks.push_back(buildProcessorBlock({2026, 12, 2, 8, 10, 0, second, 0}, idle));
  }
  CPULoad cpu(app.system, app.registry, app.performance);
  cpu.CollectCPUData();
  for (auto _ : state) {
    cpu.CollectCPUData();
    benchmark::DoNotOptimize(cpu.GetCPUUsage(63));
  }
}
BENCHMARK(CpuSample64Processors)->Unit(benchmark::kMicrosecond);

void ProcessListRefresh300(benchmark::State& state) {
  testing::AppHarness app;
  for (std::uint32_t id = 0; id < 300; ++id) {
    app.processes.running.push_back({id * 4 + 8, "process" + std::to_string(id) + ".exe"});
  }
  ProcessForm form(app.context);
  app.forms.Load(form);
  std::uint32_t next = 10000;
  for (auto _ : state) {
    app.processes.running.back().id = next++;  // the set changes: a full rebuild
    form.Display();
  }
}
BENCHMARK(ProcessListRefresh300)->Unit(benchmark::kMicrosecond);

std::vector<std::string> families(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    const std::string name = "Family " + std::to_string((i * 7919) % count);
    names.push_back(name);
    names.push_back(name);  // once per character set
  }
  return names;
}

void FontListFill1000(benchmark::State& state) {
  testing::AppHarness app;
  app.desktop.families = families(1000);
  FontsForm fonts(app.context);
  app.forms.Load(fonts);
  for (auto _ : state) fonts.FillFontList();
}
BENCHMARK(FontListFill1000)->Unit(benchmark::kMicrosecond);

void FontEnumerationBare1000(benchmark::State& state) {
  testing::AppHarness app;
  app.desktop.families = families(1000);
  for (auto _ : state) benchmark::DoNotOptimize(app.desktop.fontFamilies());
}
BENCHMARK(FontEnumerationBare1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvanta::bench
