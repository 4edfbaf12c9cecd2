// Geometry is in twips, inside the page frame SMframe.
#include "monitor/monitor_page.h"

#include <array>
#include <cmath>
#include <limits>

#include "base/number_format.h"
#include "base/resume.h"
#include "base/text.h"
#include "core/app_context.h"
#include "core/i18n/localizer.h"
#include "monitor/cpu_load.h"
#include "monitor/process_form.h"
#include "registry/settings_store.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr double kMegabyte = 1048576.0;
constexpr int kOptimizerBlocks = 21;
constexpr std::size_t kOptimizerBlockCharacters = 500000;
constexpr int kLowMemoryTicks = 3;
constexpr int kTicksPerMinute = 60000 / 300;
constexpr std::uint32_t kGreen = 65280;

constexpr std::array<ui::ControlRow, 6> kProcessorControls = {{
    {ControlKind::Histogram, "cpuhist", nullptr, nullptr, {120, 300, 4575, 1440}},
    {ControlKind::SkinLabel, "Label1", nullptr, nullptr, {120, 1800, 1200, 255}},
    {ControlKind::SkinLabel, "SkinLabel3", "Zoom", "3000", {120, 2220, 700, 255}},
    {ControlKind::TrackBar, "Slider1", nullptr, nullptr, {840, 2160, 1500, 375}},
    {ControlKind::SkinLabel, "SkinLabel4", "Speed", "3001", {2460, 2220, 700, 255}},
    {ControlKind::TrackBar, "Slider2", nullptr, nullptr, {3180, 2160, 1515, 375}},
}};

constexpr std::array<ui::ControlRow, 11> kMemoryControls = {{
    {ControlKind::Label, "Label3", "Total Size:", "3002", {120, 300, 1800, 255}},
    {ControlKind::Label, "Label5", nullptr, nullptr, {1980, 300, 2700, 255}},
    {ControlKind::SkinLabel, "SkinLabel1", "Free Physical Memory:", "3003", {120, 660, 1800, 255}},
    {ControlKind::SkinLabel, "label2", nullptr, nullptr, {1980, 660, 2700, 255}},
    {ControlKind::ProgressBar, "ProgressBar1", nullptr, nullptr, {120, 960, 4575, 255}},
    {ControlKind::SkinLabel,
     "SkinLabel2",
     "Used memory             :",
     "3004",
     {120, 1320, 1800, 255}},
    {ControlKind::SkinLabel, "label4", nullptr, nullptr, {1980, 1320, 900, 255}},
    {ControlKind::ProgressBar, "ProgressBar2", nullptr, nullptr, {120, 1620, 4575, 255}},
    {ControlKind::Button, "optimizecmd", "Optimize", "1009", {120, 1980, 1215, 375}},
    {ControlKind::Button, "cmdEnum", "Tasks", "1008", {3480, 1980, 1215, 375}},
    {ControlKind::CheckBox,
     "Check1",
     "Optimize automatically when necessary",
     "5000",
     {120, 2400, 4575, 285}},
}};

}  // namespace

namespace memory_text {

std::uint64_t totalMegabytes(std::uint64_t totalBytes) {
  return static_cast<std::uint64_t>(std::round(static_cast<double>(totalBytes) / kMegabyte)) + 1;
}

std::string freeText(const MemoryStatus& memory, const std::string& thousandsSeparator,
                     const std::string& pattern) {
  std::string free =
      formatGrouped(static_cast<double>(memory.availablePhysical) / kMegabyte, thousandsSeparator);
  // Under half a megabyte the figure comes out empty: a "0" and a blank
  // stand before the unit instead.
  if (free.empty()) free = "0 ";
  return fillIn(pattern, {free, std::to_string(totalMegabytes(memory.totalPhysical))});
}

std::string usedText(const MemoryStatus& memory) {
  if (memory.totalPhysical == 0) throw std::domain_error("Division by zero");
  const double used = static_cast<double>(memory.totalPhysical - memory.availablePhysical);
  return formatWhole(used / static_cast<double>(memory.totalPhysical) * 100.0) + "%";
}

}  // namespace memory_text

MonitorPage::MonitorPage(ui::Form& form, AppContext& app)
    : TabPage(form, app), ticksSinceOptimize_(kTicksPerMinute) {}

MonitorPage::~MonitorPage() = default;

void MonitorPage::declare(ui::Control& frame) {
  auto& processor = form_.add(ControlKind::Frame, "Frame7")
                        .caption("Processor usage")
                        .tag("2000")
                        .at(120, 240, 4815, 2640)
                        .in(frame);
  form_.addAll(kProcessorControls, &processor);
  auto& memory = form_.add(ControlKind::Frame, "Frame2")
                     .caption("Memory usage")
                     .tag("2001")
                     .at(120, 2940, 4815, 2880)
                     .in(frame);
  form_.addAll(kMemoryControls, &memory);

  auto& histogram = control("cpuhist");
  histogram.setBarColor(kGreen);
  histogram.setMaxLines(30);
  control("Slider1").range(30, 100).steps(1, 5, 5);
  control("Slider2").range(300, 1000).steps(1, 5, 50);

  form_.addTimer("Timer1", 1000).onTick = [this] { Timer1_Timer(); };
  form_.addTimer("Baseline", 1).onTick = [this] { takeBaseline(); };
  form_.addTimer("Timer2", 300).onTick = [this] { Timer2_Timer(); };
  control("Slider1").onChange = control("Slider1").onClick = [this] { Slider1_Change(); };
  control("Slider2").onChange = control("Slider2").onClick = [this] { Slider2_Change(); };
  control("optimizecmd").onClick = [this] { optimizecmd_Click(); };
  control("Check1").onClick = [this] { Check1_Click(); };
  control("cmdEnum").onClick = [this] { cmdEnum_Click(); };
}

void MonitorPage::load() {
  app_.forms.DoEvents();  // InitializeCPU
  resumeNext(
      [&] { cpu_ = std::make_unique<CPULoad>(app_.system, app_.registry, app_.performance); });

  const MemoryStatus memory = app_.system.memoryStatus();
  const std::uint64_t total = memory_text::totalMegabytes(memory.totalPhysical);
  while (total / barScale_ > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
    barScale_ *= 2;
  control("Label5").setCaption(app_.localizer.text("8017", "%1 MB", {std::to_string(total)}));
  freePattern_ = app_.localizer.LookupText("8016", memory_text::kFreePattern);
  for (const char* bar : {"ProgressBar1", "ProgressBar2"}) {
    resumeNext([&] { control(bar).setMax(static_cast<int>(total / barScale_)); });
  }
  resumeNext([&] {
    control("Check1").setValue(
        app_.settings.GetSetting(kSettingsApplication, "monitor", "autooptimize", "0") == "1" ? 1 : 0);
  });
  for (const char* timer : {"Timer1", "Timer2", "Baseline"}) {
    form_.setTimerEnabled(form_.timer(timer), true);
  }
}

// The first sample, taken as soon as the window is up rather than in the
// middle of start-up (it reads the performance data, which takes a while),
// so that the first tick shows the usage over the first interval.
void MonitorPage::takeBaseline() {
  form_.setTimerEnabled(form_.timer("Baseline"), false);
  if (cpu_) resumeNext([&] { cpu_->CollectCPUData(); });
}

void MonitorPage::Timer1_Timer() {
  if (sampling_) return;
  sampling_ = true;
  app_.forms.DoEvents();
  // A sampler error leaves this tick's figure out; the next tick tries again.
  int usage = 0;
  const bool sampled = cpu_ && resumeNext([&] {
                         cpu_->CollectCPUData();
                         usage = cpu_->GetCPUUsage(0);
                       });
  if (sampled) {
    control("cpuhist").NewValue(usage);
    control("Label1").setCaption(std::to_string(usage) + " %");
  }
  sampling_ = false;
}

void MonitorPage::Timer2_Timer() {
  const MemoryStatus memory = app_.system.memoryStatus();
  const std::string separator = app_.system.numberSeparators().thousands;
  resumeNext([&] {
    control("label2").setCaption(memory_text::freeText(memory, separator, freePattern_));
  });
  std::string used;
  if (resumeNext([&] { used = memory_text::usedText(memory); })) control("label4").setCaption(used);
  resumeNext([&] {
    const auto free = std::llround(static_cast<double>(memory.availablePhysical) / kMegabyte);
    control("ProgressBar1")
        .setValue(static_cast<int>(static_cast<std::uint64_t>(free) / barScale_));
  });
  resumeNext([&] {
    const float share = used.size() > 1 ? std::stof(used) : 0.0f;
    control("ProgressBar2")
        .setValue(static_cast<int>(
            std::nearbyint(share / 100.0f * static_cast<float>(control("ProgressBar2").Max()))));
  });
  optimizeWhenLow(memory);
}

void MonitorPage::optimizeWhenLow(const MemoryStatus& memory) {
  if (ticksSinceOptimize_ < kTicksPerMinute) ++ticksSinceOptimize_;
  const bool low = memory.availablePhysical < memory.totalPhysical / 10;
  lowTicks_ = low ? lowTicks_ + 1 : 0;
  if (!ticked("Check1") || lowTicks_ < kLowMemoryTicks || ticksSinceOptimize_ < kTicksPerMinute) {
    return;
  }
  lowTicks_ = 0;
  ticksSinceOptimize_ = 0;
  optimizecmd_Click();
}

void MonitorPage::Slider1_Change() {
  resumeNext([&] { control("cpuhist").setMaxLines(control("Slider1").Value()); });
}

void MonitorPage::Slider2_Change() {
  form_.setTimerInterval(form_.timer("Timer1"), 1300 - control("Slider2").Value());
}

// Claims about 21 MB a megabyte at a time, letting the window's events run
// after each, then lets it all go at once: the system trims other programs'
// memory to make room.
void MonitorPage::optimizecmd_Click() {
  if (optimizing_) return;
  optimizing_ = true;
  // However the run ends (an allocation refused, an error in an event run
  // meanwhile), the memory goes back and the optimiser can run again.
  struct Release {
    MonitorPage& page;
    ~Release() {
      std::vector<std::u16string>().swap(page.ballast_);
      page.optimizing_ = false;
    }
  } release{*this};
  ballast_.reserve(kOptimizerBlocks);
  for (int block = 0; block < kOptimizerBlocks; ++block) {
    ballast_.emplace_back(kOptimizerBlockCharacters, u' ');
    app_.forms.DoEvents();
  }
}

void MonitorPage::Check1_Click() {
  resumeNext([&] {
    app_.settings.SaveSetting(kSettingsApplication, "monitor", "autooptimize",
                              ticked("Check1") ? "1" : "0");
  });
}

void MonitorPage::cmdEnum_Click() {
  ProcessForm processes(app_);
  app_.forms.ShowModal(processes, form_);
}

}  // namespace corvanta
