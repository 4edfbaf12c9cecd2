#include "tweaks/desktop_page.h"

#include <array>

#include "core/app_context.h"
#include "core/changes/change_journal.h"
#include "registry/script_shell.h"
#include "tweaks/tweak_model.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr std::array<ui::ControlRow, 7> kControls = {{
    {ControlKind::CheckBox, "hideall", "Hide all Desktop items", "5023", {120, 360, 6300, 285}},
    {ControlKind::CheckBox,
     "ieiconchk",
     "Remove Internet Explorer icon from desktop",
     "5024",
     {120, 720, 6300, 285}},
    {ControlKind::CheckBox,
     "dskrightchk",
     "Disable the Ability to Right Click on the Desktop && Explorer",
     "5025",
     {120, 1080, 6300, 285}},
    {ControlKind::Button, "desktopCommand", "Apply", "8019", {5160, 1500, 1215, 375}},
    {ControlKind::SkinLabel, "desktoplbl", nullptr, "3042 ", {120, 2040, 6300, 255}},
    {ControlKind::SkinLabel, "SkinLabel5", nullptr, "3042 ", {120, 2400, 6300, 255}},
    {ControlKind::Button, "applydesktop", "Apply", "1016", {5160, 3300, 1215, 375}},
}};

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
  form_.addAll(kControls, &frame);
  control("applydesktop").asDefault();
  control("desktopCommand").onClick = [this] { apply(); };
  control("applydesktop").onClick = [this] { apply(); };
}

void DesktopPage::load(ScriptShell& shell) { readTweaks(form_, shell, kPolicies); }

void DesktopPage::apply() {
  const ChangeScope changes(app_.journal, "Desktop");
  ScriptShell shell(app_.registry, app_.shortcuts);
  ApplyReport report;
  writeTweaks(form_, shell, kPolicies, report);
  report.tell(app_);
}

}  // namespace corvanta
