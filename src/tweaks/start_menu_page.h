// The Start Menu tab of the Visual page: menu delay and wheel scrolling for
// the current and the default user, the expanding Control Panel folder, and
// seven Start Menu policies.
#pragma once

#include <string>

#include "core/tab_page.h"
#include "tweaks/control_panel_folder.h"

namespace corvanta {

class StartMenuPage : private TabPage {
 public:
  StartMenuPage(ui::Form& form, AppContext& app);

  // Adds the tab's controls inside its frame.
  void declare(ui::Control& frame);
  // Fills the lists and reads every control back, in the tab's load order.
  void load(ScriptShell& shell);
  void applymenu_Click();

 private:
  ControlPanelFolder folder_;
  // What a combo whose value was missing at load still shows (in the
  // language from load on); never a value to write.
  std::string placeholder_ = "Choose";
};

}  // namespace corvanta
