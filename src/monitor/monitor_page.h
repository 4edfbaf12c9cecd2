// The System Monitoring page of the main window: a live histogram of
// processor usage fed by one timer, the physical memory figures and bars fed
// by another, the memory optimiser, and the Tasks button that opens the
// process manager. Both timers run from load to unload, shown or not.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/tab_page.h"
#include "platform/system_port.h"

namespace corvanta {

class CPULoad;

// The memory figures as the page shows them.
namespace memory_text {
// The total in MB, one more than the rounded figure: 536,346,624 bytes
// (511.5 MB) give 513.
std::uint64_t totalMegabytes(std::uint64_t totalBytes);
// "312 MB of 513 MB"; "0  MB of ..." when less than half a megabyte is free.
// `pattern` puts the free figure for "%1" and the total for "%2".
inline constexpr const char* kFreePattern = "%1 MB of %2 MB";
std::string freeText(const MemoryStatus& memory, const std::string& thousandsSeparator,
                     const std::string& pattern = kFreePattern);
// "39%"; "%" for a share that rounds to 0.
std::string usedText(const MemoryStatus& memory);
}  // namespace memory_text

class MonitorPage : private TabPage {
 public:
  MonitorPage(ui::Form& form, AppContext& app);
  ~MonitorPage();

  void declare(ui::Control& frame);
  // Start-up: the sampler, the total memory, the bars and the timers.
  void load();

  void Timer1_Timer();
  void Timer2_Timer();
  void Slider1_Change();
  void Slider2_Change();
  void optimizecmd_Click();
  void Check1_Click();
  void cmdEnum_Click();

 private:
  // The automatic optimiser: after three memory ticks in a row with less
  // than a tenth of the memory free, at most once a minute.
  void optimizeWhenLow(const MemoryStatus& memory);
  void takeBaseline();

  std::unique_ptr<CPULoad> cpu_;
  std::uint64_t barScale_ = 1;  // bytes-per-step divisor that keeps the bars in range
  std::vector<std::u16string> ballast_;
  bool sampling_ = false;
  bool optimizing_ = false;
  int lowTicks_ = 0;
  int ticksSinceOptimize_;
  std::string freePattern_ = memory_text::kFreePattern;  // in the language, from load on
};

}  // namespace corvanta
