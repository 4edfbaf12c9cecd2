// Geometry is in twips, inside the page frame SIFrame.
#include "drives/system_info_page.h"

#include <array>
#include <limits>

#include "base/resume.h"
#include "core/app_context.h"
#include "core/i18n/localizer.h"
#include "platform/system_info_port.h"

namespace corvanta {
namespace {

using ui::ControlKind;

struct Fact {
  const char* label;
  const char* caption;
  const char* tag;
  const char* field;
};

// In the order the page is filled.
constexpr std::array<Fact, 11> kFacts = {{
    {"SystemSkinLabel", "Computer Name", "3029", "txtComputerName"},
    {"UserSkinLabel", "User Name", "3030", "txtUSerName"},
    {"RAMSkinLabel", "Total Installed RAM", "3031", "txtRAM"},
    {"totalSkinLabel", "Total Paging File", "3032", "txtPagingFile"},
    {"VerSkinLabel", "Operating System Ver", "3034", "txtOSversion"},
    {"OperatingSkinLabel", "Operating System", "3033", "txtOS"},
    {"IDSkinLabel", "Operating System ID", "3035", "txtOSID"},
    {"ComSkinLabel", "Compatible", "3039", "txtCompatible"},
    {"PSSkinLabel", "Processor Speed", "3036", "normspeed"},
    {"DateSkinLabel", "Bios Date", "3038", "biosdate"},
    {"VersionSkinLabel", "Bios Version", "3037", "biosver"},
}};

constexpr std::int64_t kScale = 10000;  // four decimals

// Division in the fixed point, rounded half to even as the fixed point
// always rounds.
std::int64_t divideBy1024(std::int64_t scaled) {
  std::int64_t quotient = scaled / 1024;
  const std::int64_t remainder = scaled % 1024;
  if (remainder > 512 || (remainder == 512 && quotient % 2 != 0)) ++quotient;
  return quotient;
}

std::string plainNumber(std::int64_t scaled) {
  std::string text = std::to_string(scaled / kScale);
  std::string decimals = std::to_string(kScale + scaled % kScale).substr(1);
  while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
  return decimals.empty() ? text : text + "." + decimals;
}

}  // namespace

std::string FormatBytes(std::uint64_t bytes, int maxSteps) {
  constexpr std::array<const char*, 5> kUnits = {" Bytes", " KB", " MB", " GB", " TB"};
  // Beyond the fixed point's range (some 900 TB) the figure starts in KB.
  int steps = 0;
  std::int64_t size = 0;
  if (bytes > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max() / kScale)) {
    size = static_cast<std::int64_t>(bytes / 1024) * kScale;
    steps = 1;
  } else {
    size = static_cast<std::int64_t>(bytes) * kScale;
  }
  std::int64_t lookahead = steps ? divideBy1024(size) : size;
  while (lookahead > kScale && steps != maxSteps) {
    ++steps;
    size = divideBy1024(size);
    lookahead = divideBy1024(size);
  }
  return plainNumber(size) +
         (steps < static_cast<int>(kUnits.size()) ? kUnits[static_cast<std::size_t>(steps)] : "");
}

std::string TextBeforeNull(const std::string& text) { return text.substr(0, text.find('\0')); }

void SystemInfoPage::declare(ui::Control& frame) {
  int top = 300;
  for (const Fact& fact : kFacts) {
    form_.add(ControlKind::SkinLabel, fact.label)
        .caption(fact.caption)
        .tag(fact.tag)
        .at(240, top + 30, 2400, 255)
        .in(frame);
    form_.add(ControlKind::TextBox, fact.field)
        .at(2700, top, 4155, 300)
        .in(frame)
        .withStyle({.readOnly = true});
    top += 360;
  }
}

void SystemInfoPage::load() {
  SystemFacts facts;
  resumeNext([&] { facts = app_.systemInfo.collect(); });
  const std::string notReported = app_.localizer.text("8018", "(not reported by this system)");
  const auto show = [&](const char* field, const std::string& text) {
    resumeNext([&] { control(field).setText(text.empty() ? notReported : text); });
  };
  show("txtComputerName", facts.computerName);
  show("txtUSerName", facts.userName);
  show("txtRAM", facts.installedMemory ? FormatBytes(facts.installedMemory, 5) : "");
  show("txtPagingFile", facts.pagingFile ? FormatBytes(facts.pagingFile, 5) : "");
  show("txtOSversion", facts.osVersion);
  show("txtOS", facts.osName);
  show("txtOSID", facts.osId);
  show("txtCompatible", facts.compatible);
  std::string speed;
  resumeNext([&] { speed = TextBeforeNull(app_.systemInfo.processorSpeed()); });
  show("normspeed", speed);
  show("biosdate", facts.biosDate);
  show("biosver", facts.biosVersion);
}

}  // namespace corvanta
