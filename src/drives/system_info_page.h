// The System Information page: eleven facts about the machine, filled once
// at start-up and never re-read.
#pragma once

#include <cstdint>
#include <string>

#include "core/tab_page.h"

namespace corvanta {

// A byte count divided by 1024 while the next division would still leave
// more than 1 (at most maxSteps times), in a fixed point of four decimals
// rounded after every division, with its unit: 536,330,240 gives
// "511.4844 MB", 1,024 "1 KB", 500 "0.4883 KB".
std::string FormatBytes(std::uint64_t bytes, int maxSteps);
// The text before its first zero character.
std::string TextBeforeNull(const std::string& text);

class SystemInfoPage : private TabPage {
 public:
  using TabPage::TabPage;

  void declare(ui::Control& frame);
  void load();
};

}  // namespace corvanta
