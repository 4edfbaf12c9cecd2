// What every tab of the main window works with: the window its controls live
// on and the program's services.
#pragma once

#include <string>

#include "ui/form.h"

namespace corvanta {

struct AppContext;
class ScriptShell;

class TabPage {
 public:
  TabPage(ui::Form& form, AppContext& app) : form_(form), app_(app) {}

 protected:
  ~TabPage() = default;  // a base only

  ui::Control& control(const std::string& name) const { return form_.control(name); }
  bool ticked(const std::string& name) const { return control(name).Value() == ui::kChecked; }

  ui::Form& form_;
  AppContext& app_;
};

}  // namespace corvanta
