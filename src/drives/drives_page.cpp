// Geometry is in twips, inside the page frame drivesframe.
#include "drives/drives_page.h"

#include <array>
#include <cmath>
#include <optional>

#include "base/resume.h"
#include "base/text.h"
#include "core/app_context.h"
#include "core/app_info.h"
#include "core/drive_list.h"
#include "core/elevation.h"
#include "core/i18n/localizer.h"
#include "core/log/winver.h"
#include "platform/dialogs_port.h"
#include "platform/file_port.h"
#include "platform/shell_port.h"
#include "platform/system_port.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr double kKilobyte = 1024.0;

constexpr std::array<ui::ControlRow, 3> kPageControls = {{
    {ControlKind::DriveList, "Drive1", nullptr, nullptr, {240, 360, 2535, 315}},
    {ControlKind::SkinLabel, "SkinLabelDT", "Drive type", "3007", {3000, 420, 1500, 255}},
    {ControlKind::Label, "typelbl", nullptr, nullptr, {4560, 420, 2295, 255}},
}};

constexpr std::array<ui::ControlRow, 2> kLaunchers = {{
    {ControlKind::Button, "formatcmd", "Format", "1011", {240, 360, 2055, 375}},
    {ControlKind::Button, "defragmentcmd", "Defragment", "1012", {240, 840, 2055, 375}},
}};

constexpr std::array<ui::ControlRow, 12> kFigures = {{
    {ControlKind::SkinLabel, "SkinLabelTS", "Total Size", "3002", {240, 300, 1500, 255}},
    {ControlKind::Label, "lblTotal", nullptr, nullptr, {1800, 300, 1800, 255}},
    {ControlKind::SkinLabel, "SkinLabelFS", "Free Space", "3006", {240, 660, 1500, 255}},
    {ControlKind::Label, "lblFree", nullptr, nullptr, {1800, 660, 1800, 255}},
    {ControlKind::SkinLabel, "SkinLabelUS", "Used Space", "3005", {240, 1020, 1500, 255}},
    {ControlKind::Label, "lblUsed", nullptr, nullptr, {1800, 1020, 1800, 255}},
    {ControlKind::SkinLabel, "SkinLabelFree", "Free", "3008", {240, 1500, 900, 255}},
    {ControlKind::Label, "lblPercentFree", nullptr, nullptr, {1200, 1500, 1200, 255}},
    {ControlKind::ProgressBar, "freebar", nullptr, nullptr, {240, 1860, 3375, 255}},
    {ControlKind::SkinLabel, "SkinLabelUsed", "Used", "3009", {240, 2340, 900, 255}},
    {ControlKind::Label, "lblPercentUsed", nullptr, nullptr, {1200, 2340, 1200, 255}},
    {ControlKind::ProgressBar, "usedbar", nullptr, nullptr, {240, 2700, 3375, 255}},
}};

constexpr std::array<const char*, 5> kFigureLabels = {"lblTotal", "lblFree", "lblUsed",
                                                      "lblPercentFree", "lblPercentUsed"};

// Whole and fractional digits of `value` rounded half away from zero to
// `decimals` places.
std::string fixed(double value, int decimals, const std::string& decimalSeparator) {
  const double scale = std::pow(10.0, decimals);
  const auto scaled = static_cast<long long>(std::round(value * scale));
  std::string digits = std::to_string(scaled);
  if (decimals == 0) return digits;
  while (digits.size() <= static_cast<std::size_t>(decimals)) digits.insert(0, "0");
  return digits.substr(0, digits.size() - static_cast<std::size_t>(decimals)) + decimalSeparator +
         digits.substr(digits.size() - static_cast<std::size_t>(decimals));
}

bool formattable(DriveType type) {
  return type == DriveType::Removable || type == DriveType::Fixed || type == DriveType::RamDisk;
}

}  // namespace

std::string FormatSizeNumber(double value, const std::string& decimalSeparator) {
  if (value >= 100) return std::to_string(static_cast<long long>(std::nearbyint(value)));
  return fixed(value, value >= 10 ? 1 : 2, decimalSeparator);
}

std::string FormatSize(double bytes, const std::string& decimalSeparator,
                       const std::string& bytesPattern) {
  if (bytes <= 999) return fillIn(bytesPattern, {fixed(bytes, 0, decimalSeparator)});
  double unit = kKilobyte;
  for (const char* name : {" KB", " MB", " GB", " TB"}) {
    if (bytes <= 999 * unit) return FormatSizeNumber(bytes / unit, decimalSeparator) + name;
    unit *= kKilobyte;
  }
  // Petabytes have no larger unit to give way to.
  return FormatSizeNumber(bytes / unit, decimalSeparator) + " PB";
}

double UnsignedPairAsDouble(std::int32_t low, std::int32_t high) {
  const auto unsignedHalf = [](std::int32_t half) {
    return half < 0 ? half + 4294967296.0 : static_cast<double>(half);
  };
  return unsignedHalf(high) * 4294967296.0 + unsignedHalf(low);
}

std::string formatPercent(double share, const std::string& decimalSeparator) {
  return fixed(share * 100.0, 2, decimalSeparator) + "%";
}

void DrivesPage::declare(ui::Control& frame) {
  form_.addAll(kPageControls, &frame);
  auto& launchers =
      form_.add(ControlKind::Frame, "DFrame").tag("0").at(240, 840, 2535, 1455).in(frame);
  form_.addAll(kLaunchers, &launchers);
  auto& figures =
      form_.add(ControlKind::Frame, "FUFrame").tag("0").at(3000, 840, 3855, 3255).in(frame);
  form_.addAll(kFigures, &figures);
  control("Drive1").withStyle({.dropDownList = true}).named("Drive", "8093");
  control("Drive1").onClick = [this] { Drive1_Change(); };
  form_.addTimer("DriveLabels", 1).onTick = [this] { showLabels(); };
  control("formatcmd").onClick = [this] { formatcmd_Click(); };
  control("defragmentcmd").onClick = [this] { defragmentcmd_Click(); };
}

std::string DrivesPage::drive() const { return control("Drive1").Text().substr(0, 2); }

void DrivesPage::showType(DriveType type) {
  switch (type) {
    case DriveType::Removable:
      control("typelbl").setCaption(app_.localizer.text("8013", "Floppy Drive"));
      break;
    case DriveType::Fixed:
      control("typelbl").setCaption(app_.localizer.text("8014", "Fixed Drive"));
      break;
    case DriveType::CdRom:
      control("typelbl").setCaption(app_.localizer.text("8015", "CD-Rom Drive"));
      break;
    default:  // the previous drive's type stays, as it always has
      break;
  }
  control("formatcmd").setEnabled(formattable(type));
}

bool DrivesPage::showSpace() {
  DiskSpace space;
  app_.drives.diskSpace(drive() + "\\", space);
  const std::string separator = app_.system.numberSeparators().decimal;
  const std::string bytes = app_.localizer.LookupText("8022", kBytesPattern);
  const double total = UnsignedPairAsDouble(static_cast<std::int32_t>(space.totalBytes),
                                            static_cast<std::int32_t>(space.totalBytes >> 32));
  const double free = UnsignedPairAsDouble(static_cast<std::int32_t>(space.totalFreeBytes),
                                           static_cast<std::int32_t>(space.totalFreeBytes >> 32));
  control("lblTotal").setCaption(FormatSize(total, separator, bytes));
  control("lblFree").setCaption(FormatSize(free, separator, bytes));
  control("lblUsed").setCaption(FormatSize(total - free, separator, bytes));
  if (total <= 0) return false;
  control("lblPercentFree").setCaption(formatPercent(free / total, separator));
  control("lblPercentUsed").setCaption(formatPercent((total - free) / total, separator));
  control("usedbar").setValue(static_cast<int>(std::nearbyint((total - free) / total * 100.0)));
  control("freebar").setValue(static_cast<int>(std::nearbyint(free / total * 100.0)));
  return true;
}

void DrivesPage::showNoDisk(DriveType type) {
  const bool floppy = type == DriveType::Removable;
  if (!floppy && type != DriveType::CdRom) return;
  for (const char* label : kFigureLabels) control(label).setCaption("0");
  control("usedbar").setValue(0);
  control("freebar").setValue(0);
  Localizer& texts = app_.localizer;
  app_.dialogs.messageBox(
      floppy ? texts.text("8077", "There is no disk in the floppy drive!!")
             : texts.text("8079", "There is no CD in the drive!!"),
      floppy ? texts.text("8078", "Insert Disk") : texts.text("8080", "Insert CD-Rom"),
      kMbOk | kMbIconError);
}

void DrivesPage::load() {
  resumeNext([&] { fillDriveList(control("Drive1"), app_.drives, "c:", false); });
  form_.setTimerEnabled(form_.timer("DriveLabels"), true);
  resumeNext([&] { showType(app_.drives.driveType(drive() + "\\")); });
  resumeNext([&] { showSpace(); });
}

// The drives' labels, once the window is up: asking each drive for its label
// is the slowest part of filling the page.
void DrivesPage::showLabels() {
  form_.setTimerEnabled(form_.timer("DriveLabels"), false);
  resumeNext([&] { fillDriveList(control("Drive1"), app_.drives, drive()); });
}

void DrivesPage::refresh() {
  resumeNext([&] { showSpace(); });
}

void DrivesPage::Drive1_Change() {
  const DriveType type = app_.drives.driveType(drive() + "\\");
  showType(type);
  if (!showSpace()) showNoDisk(type);
}

void DrivesPage::formatcmd_Click() {
  const std::string letter = drive();
  if (letter.empty()) return;
  const char first = static_cast<char>(letter[0] | 0x20);
  if (first < 'a' || first > 'z') return;
  const std::uint32_t result =
      app_.shell.formatDrive(form_.handle(), static_cast<std::uint32_t>(first - 'a'));
  if (result == kShFormatError || result == kShFormatNoFormat) {
    app_.dialogs.messageBox(
        app_.localizer.text("8081", "Drive %1 could not be formatted.", {letter}), kAppTitle,
        kMbOk | kMbIconError);
  }
}

// Windows 98 and Me have defrag.exe; NT systems the defragmenter snap-in of
// the management console, or, from Vista on, dfrgui.exe. A 32-bit program on
// 64-bit Windows starts them through Sysnative, where the system keeps its
// own 64-bit programs for it.
void DrivesPage::defragmentcmd_Click() {
  Localizer& texts = app_.localizer;
  if (!haveAdministratorRights(app_, texts.text("8082", "Defragmenting a drive"))) return;
  const std::string windows = app_.system.windowsDirectory();
  const std::string system32 = windows + "\\system32";
  const std::string launchFolder = app_.system.isWow64() ? windows + "\\Sysnative" : system32;
  struct Launch {
    std::string program;
    std::string parameters;
  };
  std::optional<Launch> launch;
  if (GetWindowsVersion(app_.system, app_.dialogs, texts.text("8087", kWindowsVersionFailure))
          .find("98") != std::string::npos) {
    launch = Launch{windows + "\\defrag.exe", ""};
  } else if (app_.files.anyMatch(system32 + "\\dfrg.msc") == kErrorSuccess) {
    launch = Launch{launchFolder + "\\mmc.exe", '"' + launchFolder + "\\dfrg.msc\""};
  } else if (app_.files.anyMatch(system32 + "\\dfrgui.exe") == kErrorSuccess) {
    launch = Launch{launchFolder + "\\dfrgui.exe", ""};
  }
  if (launch && app_.shell.shellExecute(form_.handle(), launch->program, launch->parameters, "",
                                        kSwShowMinimized) > 32) {
    return;
  }
  std::string text = texts.text("8083", "The defragmenter could not be started.") + "\r\n";
  text += launch ? texts.text("8084", "Tried: \"%1\" %2", {launch->program, launch->parameters})
                 : texts.text("8085", "This system has neither dfrg.msc nor dfrgui.exe in %1.",
                              {system32});
  app_.dialogs.messageBox(text, kAppTitle, kMbOk | kMbIconError);
}

}  // namespace corvanta
