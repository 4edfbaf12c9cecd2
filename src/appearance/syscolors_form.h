// The System Colours window, syscolors: thirteen screen elements, the colour
// of the chosen one, the colour dialog, and SetSysColors for the session.
#pragma once

#include <cstdint>

#include "ui/form.h"

namespace corvanta {

struct AppContext;

class SystemColorsForm : public ui::Form {
 public:
  explicit SystemColorsForm(AppContext& app);

  void Form_Load();
  void List1_Click();
  void Command2_Click();  // choose colour
  void Command1_Click();  // apply
  void Command3_Click();  // close

  int selectedElement() const { return selectedElement_; }

 private:
  AppContext& app_;
  int selectedElement_ = 0;  // a system-colour index; 0 until one is chosen
  std::uint32_t color_ = 0;  // the colour dialog's colour
};

}  // namespace corvanta
