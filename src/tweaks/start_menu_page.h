// The Start Menu tab of the Visual page: menu delay and wheel scrolling for
// the current and the default user, the expanding Control Panel folder, and
// seven Start Menu policies.
#pragma once

#include "tweaks/control_panel_folder.h"

namespace corvanta {

struct AppContext;
class ScriptShell;
namespace ui {
class Control;
class Form;
}  // namespace ui

class StartMenuPage {
 public:
  StartMenuPage(ui::Form& form, AppContext& app);

  // Adds the tab's controls inside its frame.
  void declare(ui::Control& frame);
  // Fills the lists and reads every control back, in the tab's load order.
  void load(ScriptShell& shell);
  void applymenu_Click();

 private:
  ui::Form& form_;
  AppContext& app_;
  ControlPanelFolder folder_;
};

}  // namespace corvanta
