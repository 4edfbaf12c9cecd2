// The monitoring page's sources against the real system: processor usage
// from the performance data (or the equal block built where the system's has
// no Processor object), and the process manager ending a real process.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "fakes/app_harness.h"
#include "monitor/cpu_load.h"
#include "monitor/process_form.h"
#include "platform/win32/file_win32.h"
#include "platform/win32/performance_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/wide_text.h"
#include "win32/running_program.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

TEST(MonitorSources, EveryProcessorReadsBetweenZeroAndHundredAndABusyOneShows) {
  Win32System system;
  Win32Registry registry;
  Win32PerformanceData performance;
  CPULoad cpu(system, registry, performance);
  cpu.CollectCPUData();
  std::atomic<bool> stop{false};
  std::thread busy([&] {
    volatile unsigned spin = 0;
    while (!stop) spin = spin + 1;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  cpu.CollectCPUData();
  stop = true;
  busy.join();
  ASSERT_GE(cpu.GetCPUCount(), 1);
  int sum = 0;
  for (int index = 0; index < cpu.GetCPUCount(); ++index) {
    const int usage = cpu.GetCPUUsage(index);
    EXPECT_GE(usage, 0) << index;
    EXPECT_LE(usage, 100) << index;
    sum += usage;
  }
  EXPECT_GE(sum, 50) << "a core spun for the whole interval";
}

struct RealProcesses {
  RealProcesses() { harness.appFolder = folder.path(); }
  testing::ScratchFolder folder;
  testing::AppHarness harness;
  Win32Processes processes;
  Win32Files files;
  AppContext app =
      harness.contextWith({.files = &files, .processes = &processes, .appFolder = folder.path()});
};

// The child's name leaves every ANSI code page: the list shows it whole.
TEST(MonitorProcesses, TheManagerListsAChildProcessAndEndsIt) {
  RealProcesses real;
  const std::string name = "Жук 日本 😀.exe";
  const std::wstring copy = wide(real.folder.file(name));
  ASSERT_TRUE(CopyFileW(wide(testing::programPath()).c_str(), copy.c_str(), FALSE));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  std::wstring command = L"\"" + copy + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &child));
  WaitForInputIdle(child.hProcess, 5000);
  ProcessForm form(real.app);
  real.harness.forms.Load(form);
  auto& list = form.control("info");
  int row = -1;
  for (std::size_t i = 0; i < list.rows().size(); ++i) {
    if (list.rows()[i][1] == std::to_string(child.dwProcessId)) row = static_cast<int>(i);
  }
  ASSERT_GE(row, 0) << "the child is listed";
  EXPECT_EQ(name, list.rows()[static_cast<std::size_t>(row)][0]);
  list.listIndexFromUser(row);
  form.control("terminatecmd").click();
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.hProcess, 10000));
  EXPECT_TRUE(real.harness.dialogs.shown.empty());
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
}

TEST(MonitorProcesses, AProcessThatCannotBeOpenedLeavesFourLogLines) {
  RealProcesses real;
  EXPECT_FALSE(Kill_Process(real.app, {0xFFFFFFF0, "gone.exe"}));
  const std::string log = testing::readFile(real.folder.file("PROGRAM.LOG"));
  for (const char* step : {"OpenProcess failed", "GetExitCodeProcess failed",
                           "TerminateProcess failed", "CloseHandle failed"}) {
    EXPECT_NE(std::string::npos, log.find(std::string("Kill_Process >>> ") + step)) << log;
  }
}

}  // namespace
}  // namespace corvanta
