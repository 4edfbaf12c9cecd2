#include "shell/about_form.h"

#include "core/app_context.h"
#include "core/app_info.h"
#include "core/skin_form.h"
#include "platform/system_port.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr const char* kDisclaimer =
    "Warning: this program changes settings of Windows and deletes registry entries and "
    "shortcuts it finds broken. Use it at your own risk; back up the registry before you "
    "repair anything.";
constexpr const char* kContact =
    "Corvanta is made by the Corvanta developers.\r\n"
    "Questions and reports: corvanta-dev@users.invalid";

}  // namespace

std::string versionLine(int major, int minor, int revision) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + ".0." +
         std::to_string(revision);
}

AboutForm::AboutForm(AppContext& app) : ui::Form("frmabout", "about", 5760, 3585), app_(app) {
  add(ControlKind::SkinLabel, "lblTitle").caption("Application Title").at(240, 180, 5175, 375);
  add(ControlKind::SkinLabel, "lblVersion").caption("Version").at(240, 600, 5175, 285);
  add(ControlKind::SkinLabel, "lblDisclaimer").caption(kDisclaimer).at(240, 1020, 5175, 855);
  add(ControlKind::SkinLabel, "SkinLabel1").caption(kContact).at(240, 1980, 5175, 495);
  add(ControlKind::Button, "cmdOK").caption("OK").at(4200, 2640, 1215, 375).asDefault().asCancel();
  setHelpTopic("about.html");
  onLoad = [this] { Form_Load(); };
  control("cmdOK").onClick = [this] { cmdOK_Click(); };
}

void AboutForm::Form_Load() {
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  FileVersion version;
  app_.system.moduleVersion(version);
  control("lblVersion").setCaption(versionLine(version.major, version.minor, version.revision));
  control("lblTitle").setCaption(kAppTitle);
}

void AboutForm::cmdOK_Click() { app_.forms.Unload(*this); }

}  // namespace corvanta
