// The CPU sampler over synthetic performance data, the monitoring page's
// figures and timers, and the process manager against a scripted system.
#include <gtest/gtest.h>

#include <new>

#include "fakes/app_harness.h"
#include "monitor/cpu_load.h"
#include "monitor/monitor_page.h"
#include "monitor/process_form.h"
#include "platform/perf_block.h"
#include "shell/main_form.h"

namespace corvanta {
namespace {

using testing::AppHarness;

constexpr std::int64_t kSecond = 10'000'000;  // in 100-nanosecond units

SystemTime at(int second, int milliseconds = 0) {
  return {2026, 12, 3, 8, 10, 0, second, milliseconds};
}

std::int32_t errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const CPULoadError& error) {
    // Object errors as their code (8001...), others as their number.
    const std::int32_t number = error.number();
    return number < 0 ? number - static_cast<std::int32_t>(0x80040000) : number;
  }
  return 0;
}

struct Sampler {
  explicit Sampler(std::uint32_t processors = 2) { app.system.processors = processors; }
  CPULoad& cpu() {
    if (!load) load = std::make_unique<CPULoad>(app.system, app.registry, app.performance);
    return *load;
  }
  void feed(const SystemTime& time, std::vector<std::int64_t> idle) {
    app.performance.blocks.push_back(buildProcessorBlock(time, idle));
  }
  AppHarness app;
  std::unique_ptr<CPULoad> load;
};

TEST(CPULoad, UsageIsOneMinusIdleOverElapsedPerProcessorUnclampedAndRoundedToEven) {
  Sampler s;
  s.feed(at(0), {0, 0});
  s.feed(at(1), {kSecond * 6 / 10, kSecond * 1005 / 1000});
  s.feed(at(2), {kSecond * 6 / 10 + kSecond * 125 / 1000 * 2 + kSecond / 2, kSecond * 2});
  s.cpu().CollectCPUData();
  s.cpu().CollectCPUData();
  EXPECT_EQ(40, s.cpu().GetCPUUsage(0));
  EXPECT_EQ(0, s.cpu().GetCPUUsage(1)) << "-0.5 rounds to even";
  s.cpu().CollectCPUData();
  EXPECT_EQ(25, s.cpu().GetCPUUsage(0));
  EXPECT_EQ(2, s.cpu().GetCPUCount());
  EXPECT_EQ(std::vector<std::string>(3, "238"), s.app.performance.asked);
}

TEST(CPULoad, TheFirstUsageCollectsOnceAgainstAZeroBaselineAndEqualTimesGiveZero) {
  Sampler s(1);
  s.feed(at(0), {kSecond});
  EXPECT_GT(s.cpu().GetCPUUsage(0), 99);
  EXPECT_EQ(1, s.app.performance.queries);
  s.cpu().CollectCPUData();  // the same block again: the same time
  EXPECT_EQ(0, s.cpu().GetCPUUsage(0));
}

TEST(CPULoad, MoreDataGrowsTheBufferByPagesAndItKeepsItsSize) {
  Sampler s;
  s.feed(at(0), {0, 0});
  s.app.performance.moreDataAnswers = 3;
  s.cpu().CollectCPUData();
  EXPECT_EQ(16384, s.cpu().bufferSize());
  s.cpu().CollectCPUData();
  EXPECT_EQ(16384, s.cpu().bufferSize());
  EXPECT_EQ(5, s.app.performance.queries);
}

TEST(CPULoad, ErrorsCarryTheirNumbersAndSources) {
  Sampler s;
  s.feed(at(0), {0, 0});
  EXPECT_EQ(8003, errorOf([&] { s.cpu().GetCPUUsage(2); }));
  EXPECT_EQ(8003, errorOf([&] { s.cpu().GetCPUUsage(-1); }));

  Sampler failing;
  failing.app.performance.failure = 5;
  try {
    failing.cpu().CollectCPUData();
    ADD_FAILURE() << "a failed query raises";
  } catch (const CPULoadError& error) {
    EXPECT_EQ(static_cast<std::int32_t>(0x80041F46), error.number());
    EXPECT_EQ("CPULoad.CollectCPUData()", error.source());
    EXPECT_STREQ("Unable to read performance data", error.what());
  }

  // Counters that jump across the whole 64-bit range: an overflow, raised
  // (the fuzzer found the subtraction undefined).
  Sampler jump(1);
  jump.feed(at(0), {std::numeric_limits<std::int64_t>::min() + 5});
  jump.feed(at(1), {5});
  jump.cpu().CollectCPUData();
  jump.cpu().CollectCPUData();
  EXPECT_EQ(6, errorOf([&] { jump.cpu().GetCPUUsage(0); }));

  AppHarness noVersion;
  noVersion.system.versionFails = true;
  EXPECT_EQ(8001, errorOf([&] {
              CPULoad cpu(noVersion.system, noVersion.registry, noVersion.performance);
            }));
}

TEST(CPULoad, ABlockWithoutTheObjectOrCounterOrSignatureOrIntactBytesIsRaisedNeverReadPast) {
  const std::vector<std::uint8_t> good = buildProcessorBlock(at(0), {5, 6});
  const auto errorFor = [](std::vector<std::uint8_t> block) {
    Sampler s;
    s.app.performance.blocks.push_back(std::move(block));
    return errorOf([&] { s.cpu().CollectCPUData(); });
  };
  auto noObject = good;
  noObject[perf::kBlockSize + perf::kObjectNameTitleIndex] = 1;
  EXPECT_EQ(8004, errorFor(noObject));
  auto noCounter = good;
  noCounter[perf::kBlockSize + perf::kObjectSize + perf::kCounterNameTitleIndex] = 7;
  EXPECT_EQ(8005, errorFor(noCounter));
  auto noSignature = good;
  noSignature[0] = 'X';
  EXPECT_EQ(8006, errorFor(noSignature));
  auto hugeOffset = good;
  hugeOffset[perf::kBlockHeaderLength + 3] = 0x7f;
  EXPECT_EQ(8006, errorFor(hugeOffset));
  // Cut anywhere before the last processor's figure, the block is unreadable;
  // cut in the total instance after it, it still gives every processor.
  const std::size_t totalInstance = good.size() - (perf::kInstanceSize + 16 + 16);
  for (std::size_t length = 0; length < good.size(); ++length) {
    const int error = errorFor({good.begin(), good.begin() + static_cast<long>(length)});
    EXPECT_EQ(length < totalInstance ? 8006 : error, error) << length;
    EXPECT_TRUE(error == 0 || error == 8006) << length;
  }
  EXPECT_EQ(9, errorOf([&] {
              Sampler one(1);
              one.feed(at(0), {1, 2});  // an instance "1" on a one-processor machine
              one.cpu().CollectCPUData();
            }))
      << "an instance beyond the processors is out of range";
}

TEST(CPULoad, OnWindows9xTheKernelStatisticIsStartedReadAndStopped) {
  Sampler s;
  s.app.system.version.platformId = kVerPlatformWin32Windows;
  EXPECT_EQ(8002, errorOf([&] { s.cpu().CollectCPUData(); }));
  s.app.registry.putDword(kHkeyDynData, "PerfStats\\StartStat", "KERNEL\\CPUUsage", 0);
  s.app.registry.putDword(kHkeyDynData, "PerfStats\\StatData", "KERNEL\\CPUUsage", 37);
  s.app.registry.putDword(kHkeyDynData, "PerfStats\\StopStat", "KERNEL\\CPUUsage", 0);
  EXPECT_EQ(37, s.cpu().GetCPUUsage(0));
  EXPECT_EQ(8003, errorOf([&] { s.cpu().GetCPUUsage(1); }));
  s.load.reset();
  EXPECT_EQ(0u, s.app.registry.openHandles()) << "stopping closes the statistic";
}

TEST(PerfBlock, SystemTimesBecomeFileTimesAsTheSystemCountsThem) {
  EXPECT_EQ(0, fileTimeOf({1601, 1, 1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(116444736000000000, fileTimeOf({1970, 1, 4, 1, 0, 0, 0, 0}));
  EXPECT_EQ(116444736000000000 + 86400 * kSecond * 59 + 1234 * 10000,
            fileTimeOf({1970, 3, 0, 1, 0, 0, 1, 234}));
  EXPECT_FALSE(fileTimeOf({2023, 2, 0, 29, 0, 0, 0, 0}));
  EXPECT_TRUE(fileTimeOf({2024, 2, 0, 29, 0, 0, 0, 0}));
  EXPECT_FALSE(fileTimeOf({2024, 13, 0, 1, 0, 0, 0, 0}));
}

TEST(MemoryText, FiguresAreInMegabytesGroupedWithTheUsersSeparator) {
  constexpr std::uint64_t kMb = 1048576;
  EXPECT_EQ(513u, memory_text::totalMegabytes(536346624));
  EXPECT_EQ(16385u, memory_text::totalMegabytes(16384 * kMb)) << "memories over 4 GB";
  const MemoryStatus low{536346624, kMb / 3, 0, 0};
  EXPECT_EQ("0  MB of 513 MB", memory_text::freeText(low, ","));
  const MemoryStatus big{8192 * kMb, 1500 * kMb, 0, 0};
  EXPECT_EQ("1,500 MB of 8193 MB", memory_text::freeText(big, ","));
  EXPECT_EQ("1.500 MB of 8193 MB", memory_text::freeText(big, "."));
  EXPECT_EQ("82%", memory_text::usedText(big));
  EXPECT_EQ("%", memory_text::usedText({1000 * kMb, 1000 * kMb, 0, 0}));
}

class MonitorPageTest : public ::testing::Test {
 protected:
  MonitorPageTest() {
    app.performance.blocks.push_back(buildProcessorBlock(at(0), {0, 0}));
    app.performance.blocks.push_back(buildProcessorBlock(at(1), {kSecond * 6 / 10, kSecond}));
  }
  void start() { app.forms.Show(main); }
  ui::Control& c(const std::string& name) { return main.control(name); }
  void tick(const char* timer) { main.timer(timer).onTick(); }

  AppHarness app;
  MainForm main{app.context};
};

TEST_F(MonitorPageTest, TheFirstTickShowsTheFirstIntervalsUsage) {
  start();
  tick("Baseline");
  EXPECT_FALSE(main.timer("Baseline").enabled) << "one sample, once the window is up";
  EXPECT_TRUE(main.timer("Timer1").enabled);
  EXPECT_EQ("513 MB", c("Label5").Caption());
  EXPECT_EQ(513, c("ProgressBar1").Max());
  tick("Timer1");
  EXPECT_EQ("40 %", c("Label1").Caption());
  EXPECT_EQ(std::deque<int>{40}, c("cpuhist").history());
  app.performance.failure = 5;
  tick("Timer1");
  EXPECT_EQ("40 %", c("Label1").Caption()) << "a failed sample leaves its figure out";
  EXPECT_EQ(1u, c("cpuhist").history().size());
}

TEST_F(MonitorPageTest, TheMemoryTickFillsLabelsAndBars) {
  start();
  tick("Timer2");
  EXPECT_EQ("312 MB of 513 MB", c("label2").Caption());
  EXPECT_EQ("39%", c("label4").Caption());
  EXPECT_EQ(312, c("ProgressBar1").Value());
  EXPECT_EQ(200, c("ProgressBar2").Value());
}

TEST_F(MonitorPageTest, SlidersSetTheSpeedAndTheZoom) {
  start();
  c("Slider2").valueFromUser(1000);
  EXPECT_EQ(300, main.timer("Timer1").interval);
  c("Slider2").valueFromUser(300);
  EXPECT_EQ(1000, main.timer("Timer1").interval);
  c("Slider1").valueFromUser(55);
  EXPECT_EQ(55, c("cpuhist").MaxLines());
}

TEST_F(MonitorPageTest, AnOptimiserRunThatFailsLetsItsMemoryGoAndCanRunAgain) {
  // A refused allocation once left 20 MB held and the optimiser never ran again.
  start();
  int steps = 0;
  app.windows.whileEventsRun = [&] {
    if (++steps == 3) throw std::bad_alloc();
  };
  EXPECT_THROW(c("optimizecmd").click(), std::bad_alloc);
  app.windows.whileEventsRun = nullptr;
  const int before = app.windows.doEventsCalls;
  c("optimizecmd").click();
  EXPECT_EQ(before + 21, app.windows.doEventsCalls);
}

TEST_F(MonitorPageTest, AutomaticOptimisingIsStoredAndRunsAfterThreeLowTicks) {
  start();
  c("Check1").valueFromUser(1);
  EXPECT_EQ("1", app.settings.GetSetting("Corvanta", "monitor", "autooptimize"));
  app.system.memory.availablePhysical = app.system.memory.totalPhysical / 20;
  const int before = app.windows.doEventsCalls;
  tick("Timer2");
  tick("Timer2");
  EXPECT_EQ(before, app.windows.doEventsCalls);
  tick("Timer2");
  EXPECT_EQ(before + 21, app.windows.doEventsCalls) << "one optimiser run, 21 steps";
  for (int i = 0; i < 3; ++i) tick("Timer2");
  EXPECT_EQ(before + 21, app.windows.doEventsCalls) << "at most once a minute";
}

class ProcessFormTest : public ::testing::Test {
 protected:
  ProcessFormTest() {
    app.processes.running = {{4, "System"},
                             {500, "C:\\WINDOWS\\EXPLORER.EXE"},
                             {600, "notepad.exe"},
                             {4242, "corvanta.exe"}};
    app.forms.Load(form);
  }
  ui::Control& list() { return form.control("info"); }
  void select(int row) { list().listIndexFromUser(row); }

  AppHarness app;
  ProcessForm form{app.context};
};

TEST(ProcessNames, TheFileNameIsWhatFollowsTheLastBackslash) {
  EXPECT_EQ("EXPLORER.EXE", FileNameFromPath("C:\\WINDOWS\\EXPLORER.EXE"));
  EXPECT_EQ("notepad.exe", FileNameFromPath("notepad.exe"));
  EXPECT_EQ("", FileNameFromPath(""));
}

TEST_F(ProcessFormTest, TheListRebuildsWhenTheSetChangesEvenIfTheCountDoesNot) {
  ASSERT_EQ(4u, list().rows().size());
  EXPECT_EQ((std::vector<std::string>{"EXPLORER.EXE", "500"}), list().rows()[1]);
  select(2);
  form.timer("Timer1").onTick();
  EXPECT_EQ(2, list().ListIndex()) << "an unchanged list keeps its selection";
  app.processes.running[1] = {501, "calc.exe"};  // 500 ended, 501 started
  form.timer("Timer1").onTick();
  EXPECT_EQ("calc.exe", list().rows()[1][0]);
  EXPECT_EQ(2, list().ListIndex()) << "the selection follows notepad's identifier";
  form.timer("Timer2").onTick();
  EXPECT_EQ("notepad.exe", form.control("label2").Caption());
}

TEST_F(ProcessFormTest, TerminatingEndsTheSelectedProcessThenSelectsTheFirst) {
  form.control("terminatecmd").click();
  EXPECT_TRUE(app.processes.terminated.empty()) << "nothing selected, nothing ended";
  select(2);
  form.control("terminatecmd").click();
  EXPECT_EQ(std::vector<std::uint32_t>{600}, app.processes.terminated);
  EXPECT_EQ(3u, list().rows().size());
  EXPECT_EQ(0, list().ListIndex());
}

TEST_F(ProcessFormTest, ThisProgramCriticalProcessesAndReusedIdentifiersAreNeverEnded) {
  for (int row : {0, 3}) {  // System by its name, this program by its identifier
    select(row);
    form.control("terminatecmd").click();
  }
  app.processes.critical[500] = true;
  select(1);
  form.control("terminatecmd").click();
  EXPECT_EQ(3u, app.dialogs.shown.size());
  select(2);
  app.processes.running[2] = {600, "other.exe"};  // notepad ended, its identifier reused
  form.control("terminatecmd").click();
  EXPECT_TRUE(app.processes.terminated.empty());
  EXPECT_EQ("other.exe", list().rows()[2][0]) << "the list was refreshed instead";
}

TEST_F(ProcessFormTest, AProcessReplacedBetweenTheLastLookAndTheOpeningIsLeftAlone) {
  // The identifier and the name can both come back: only the start time tells.
  app.processes.running[2].created = 1000;
  form.Display();
  select(2);
  app.processes.beforeOpen = [&] { app.processes.running[2] = {600, "notepad.exe", 2000}; };
  form.control("terminatecmd").click();
  EXPECT_TRUE(app.processes.terminated.empty());
  ASSERT_EQ(1u, app.dialogs.shown.size());
  app.processes.beforeOpen = nullptr;
  select(2);
  form.control("terminatecmd").click();
  EXPECT_EQ(std::vector<std::uint32_t>{600}, app.processes.terminated) << "the new one, listed";
}

TEST_F(ProcessFormTest, AFailedTerminationIsLoggedInFourStepsAndTold) {
  app.files.addFolder(app.appFolder);
  app.processes.denied.push_back(600);
  select(2);
  form.control("terminatecmd").click();
  EXPECT_EQ(
      "ERROR: 5 at mdlMisc\\Kill_Process >>> OpenProcess failed\r\n"
      "ERROR: 6 at mdlMisc\\Kill_Process >>> GetExitCodeProcess failed\r\n"
      "ERROR: 6 at mdlMisc\\Kill_Process >>> TerminateProcess failed\r\n"
      "ERROR: 6 at mdlMisc\\Kill_Process >>> CloseHandle failed\r\n",
      app.files.contents(app.appFolder + "\\PROGRAM.LOG"));
  ASSERT_EQ(1u, app.dialogs.shown.size());
}

}  // namespace
}  // namespace corvanta
