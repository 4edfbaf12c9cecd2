#include "tweaks/desktop_page.h"

#include <array>

#include "app/app_context.h"
#include "registry/script_shell.h"
#include "tweaks/tweak_model.h"
#include "ui/form.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr std::array<Tweak, 3> kPolicies = {{
    {"hideall",
     "HKEY_CURRENT_"
     "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDesktop",
     TweakType::Dword},
    {"ieiconchk",
     "HKEY_CURRENT_"
     "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoInternetIcon",
     TweakType::Dword},
    {"dskrightchk",
     "HKEY_CURRENT_"
     "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoViewContextMenu",
     TweakType::Dword},
}};

}  // namespace

void DesktopPage::declare(ui::Control& frame) {
  form_.add(ControlKind::CheckBox, "hideall")
      .caption("Hide all Desktop items")
      .tag("5023")
      .at(120, 360, 6300, 285)
      .in(frame);
  form_.add(ControlKind::CheckBox, "ieiconchk")
      .caption("Remove Internet Explorer icon from desktop")
      .tag("5024")
      .at(120, 720, 6300, 285)
      .in(frame);
  form_.add(ControlKind::CheckBox, "dskrightchk")
      .caption("Disable the Ability to Right Click on the Desktop && Explorer")
      .tag("5025")
      .at(120, 1080, 6300, 285)
      .in(frame);
  form_.add(ControlKind::Button, "desktopCommand")
      .caption("Apply")
      .tag("1016")
      .at(5160, 1500, 1215, 375)
      .in(frame);
  form_.add(ControlKind::SkinLabel, "desktoplbl").tag("3042 ").at(120, 2040, 6300, 255).in(frame);
  form_.add(ControlKind::SkinLabel, "SkinLabel5").tag("3042 ").at(120, 2400, 6300, 255).in(frame);
  form_.add(ControlKind::Button, "applydesktop")
      .caption("Apply")
      .tag("1016")
      .at(5160, 3300, 1215, 375)
      .in(frame);
  form_.control("desktopCommand").onClick = [this] { apply(); };
  form_.control("applydesktop").onClick = [this] { apply(); };
}

void DesktopPage::load(ScriptShell& shell) { readTweaks(form_, shell, kPolicies); }

void DesktopPage::apply() {
  ScriptShell shell(app_.registry, app_.shortcuts);
  ApplyReport report;
  writeTweaks(form_, shell, kPolicies, report);
  report.tell(app_.dialogs);
}

}  // namespace corvanta
