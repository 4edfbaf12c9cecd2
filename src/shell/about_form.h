// The about window, frmabout: the program's name and version. Made anew for
// each "About" click and shown modally over the main window.
#pragma once

#include "ui/form.h"

namespace corvanta {

struct AppContext;

class AboutForm : public ui::Form {
 public:
  explicit AboutForm(AppContext& app);

  void Form_Load();
  void cmdOK_Click();

 private:
  AppContext& app_;
};

// Major "." minor ".0." revision: "3.3.0.0", which the window shows after
// "Version ".
std::string versionNumber(int major, int minor, int revision);

}  // namespace corvanta
