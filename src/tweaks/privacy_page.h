// The Privacy tab of the Explorer page: clearing the browser's typed-address
// history and the registry-tools policy, both on Apply.
#pragma once

namespace corvanta {

struct AppContext;
namespace ui {
class Control;
class Form;
}  // namespace ui

class PrivacyPage {
 public:
  PrivacyPage(ui::Form& form, AppContext& app) : form_(form), app_(app) {}

  void declare(ui::Control& frame);
  void applyprivacy_Click();

 private:
  ui::Form& form_;
  AppContext& app_;
};

}  // namespace corvanta
