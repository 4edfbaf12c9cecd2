#include "shell/about_form.h"

#include "core/app_context.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
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
    "Corvanta is made by the Corvanta developers.%nQuestions and reports: %1";
constexpr const char* kContactAddress = "corvanta-dev@users.invalid";

}  // namespace

std::string versionNumber(int major, int minor, int revision) {
  return std::to_string(major) + "." + std::to_string(minor) + ".0." + std::to_string(revision);
}

AboutForm::AboutForm(AppContext& app) : ui::Form("frmabout", "about", 5760, 3585), app_(app) {
  setTag("8500");
  add(ControlKind::SkinLabel, "lblTitle").caption("Application Title").at(240, 180, 5175, 375);
  add(ControlKind::SkinLabel, "lblVersion").caption("Version").at(240, 600, 5175, 285);
  add(ControlKind::SkinLabel, "lblDisclaimer")
      .caption(kDisclaimer)
      .tag("8502")
      .at(240, 1020, 5175, 855);
  add(ControlKind::SkinLabel, "SkinLabel1").at(240, 1980, 5175, 495);
  add(ControlKind::Button, "cmdOK")
      .caption("OK")
      .tag("8504")
      .at(4200, 2640, 1215, 375)
      .asDefault()
      .asCancel();
  setHelpTopic("about.html");
  onLoad = [this] { Form_Load(); };
  control("cmdOK").onClick = [this] { cmdOK_Click(); };
}

void AboutForm::Form_Load() {
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  FileVersion version;
  app_.system.moduleVersion(version);
  control("lblVersion")
      .setCaption(app_.localizer.text(
          "8501", "Version %1", {versionNumber(version.major, version.minor, version.revision)}));
  control("lblTitle").setCaption(kAppTitle);
  control("SkinLabel1").setCaption(app_.localizer.text("8503", kContact, {kContactAddress}));
}

void AboutForm::cmdOK_Click() { app_.forms.Unload(*this); }

}  // namespace corvanta
