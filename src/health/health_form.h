// The System Health window, pchealth, opened modally from the main window.
#pragma once

#include "ui/form.h"

namespace corvanta {

struct AppContext;

class HealthForm : public ui::Form {
 public:
  explicit HealthForm(AppContext& app);

  void Form_Load();

 private:
  AppContext& app_;
};

}  // namespace corvanta
