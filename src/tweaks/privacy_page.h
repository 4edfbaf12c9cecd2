// The Privacy tab of the Explorer page: clearing the browser's typed-address
// history and the registry-tools policy, both on Apply.
#pragma once

#include "core/tab_page.h"

namespace corvanta {

class PrivacyPage : private TabPage {
 public:
  using TabPage::TabPage;

  void declare(ui::Control& frame);
  void applyprivacy_Click();
};

}  // namespace corvanta
