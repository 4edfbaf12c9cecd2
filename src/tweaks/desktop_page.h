// The Desktop tab of the Visual page: three Explorer policies of the current
// user, applied by either of the tab's two Apply buttons.
#pragma once

namespace corvanta {

struct AppContext;
class ScriptShell;
namespace ui {
class Control;
class Form;
}  // namespace ui

class DesktopPage {
 public:
  DesktopPage(ui::Form& form, AppContext& app) : form_(form), app_(app) {}

  void declare(ui::Control& frame);
  void load(ScriptShell& shell);
  // Both Apply buttons, desktopCommand and applydesktop.
  void apply();

 private:
  ui::Form& form_;
  AppContext& app_;
};

}  // namespace corvanta
