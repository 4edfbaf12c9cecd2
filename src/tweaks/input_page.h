// The Input page: keyboard repeat rate and delay, mouse pointer and
// double-click speed, button swap, pointer trails, and emptying the Recycle
// Bin, all applied by its Apply button.
#pragma once

#include "tweaks/tab_page.h"

namespace corvanta {

class InputPage : private TabPage {
 public:
  using TabPage::TabPage;

  void declare(ui::Control& frame);
  // Start-up: the stored settings into the sliders and boxes (the
  // double-click speed is not read back).
  void load(ScriptShell& shell);
  void inputcmd_Click();
};

}  // namespace corvanta
