// The Input page: keyboard repeat rate and delay, mouse pointer and
// double-click speed, button swap, pointer trails, and emptying the Recycle
// Bin, all applied by its Apply button.
#pragma once

#include "core/tab_page.h"
#include "tweaks/tweak_model.h"

namespace corvanta {

class InputPage : private TabPage {
 public:
  using TabPage::TabPage;

  void declare(ui::Control& frame);
  // Start-up: the stored settings and Windows' own into the sliders and
  // boxes; Apply then sets only what the user moves.
  void load(ScriptShell& shell);
  void inputcmd_Click();

 private:
  AppliedState applied_;
};

}  // namespace corvanta
