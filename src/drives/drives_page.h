// The Drives page: for the drive chosen in the list, its type, size, free and
// used space as texts, percentages and bars, and the launchers of the
// system's format dialog and defragmenter.
#pragma once

#include <cstdint>
#include <string>

#include "core/tab_page.h"
#include "platform/drive_port.h"

namespace corvanta {

// A byte count as the page shows it: bytes up to 999 (`bytesPattern` puts
// the count for "%1"), then KB, MB, GB, TB and PB, switching at 999 of the
// smaller unit.
inline constexpr const char* kBytesPattern = "%1 bytes";
std::string FormatSize(double bytes, const std::string& decimalSeparator,
                       const std::string& bytesPattern = kBytesPattern);
// Three significant figures: whole from 100 (halves to even), one decimal
// from 10, two below.
std::string FormatSizeNumber(double value, const std::string& decimalSeparator);
// The 64-bit count whose halves, each read as unsigned, are `low` and `high`.
double UnsignedPairAsDouble(std::int32_t low, std::int32_t high);
// A share in the "percent" format: 0.375 gives "37.50%".
std::string formatPercent(double share, const std::string& decimalSeparator);

class DrivesPage : private TabPage {
 public:
  using TabPage::TabPage;

  void declare(ui::Control& frame);
  // Start-up: the list set to c: (the drives' labels follow once the window
  // is up), the type and the figures, without the no-disk messages.
  void load();
  // Start-up's last step: the figures once more for the selected drive.
  void refresh();

  void Drive1_Change();
  void showLabels();
  void formatcmd_Click();
  void defragmentcmd_Click();

 private:
  std::string drive() const;
  void showType(DriveType type);
  // Steps 4-7 of the fill; false when the drive reports no size.
  bool showSpace();
  void showNoDisk(DriveType type);
};

}  // namespace corvanta
