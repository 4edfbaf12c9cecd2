// The Desktop tab of the Visual page: three Explorer policies of the current
// user, applied by either of the tab's two Apply buttons.
#pragma once

#include "core/tab_page.h"

namespace corvanta {

class DesktopPage : private TabPage {
 public:
  using TabPage::TabPage;

  void declare(ui::Control& frame);
  void load(ScriptShell& shell);
  // Both Apply buttons, desktopCommand and applydesktop.
  void apply();
};

}  // namespace corvanta
