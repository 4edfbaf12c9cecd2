#include "tweaks/start_menu_page.h"

#include <array>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "registry/script_shell.h"
#include "tweaks/tweak_model.h"
#include "ui/form.h"

namespace corvanta {
namespace {

using ui::ControlKind;

// A combo whose value was missing at load still shows this; it is never a
// value to write.
constexpr const char* kPlaceholder = "Choose";

constexpr std::array<Tweak, 2> kMenuTimings = {{
    {"mdelaycombo", "HKCU\\Control Panel\\Desktop\\MenuShowDelay", TweakType::Text,
     "HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop\\MenuShowDelay"},
    {"wheelcombo", "HKCU\\Control Panel\\Desktop\\WheelScrollLines", TweakType::Text,
     "HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop\\WheelScrollLines"},
}};

constexpr std::array<Tweak, 7> kPolicies = {{
    {"denydisplay",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\NoDispCPL",
     TweakType::Dword},
    {"shutchk",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoClose",
     TweakType::Dword},
    {"runchk",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoRun",
     TweakType::Dword},
    {"findchk",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoFind",
     TweakType::Dword},
    {"recentchk",
     "HKEY_CURRENT_"
     "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoRecentDocsMenu",
     TweakType::Dword},
    {"favchk",
     "HKEY_CURRENT_"
     "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoFavoritesMenu",
     TweakType::Dword},
    {"taskbarchk",
     "HKEY_CURRENT_"
     "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoTrayContextMenu",
     TweakType::Dword},
}};

std::vector<std::string> numbers(int last) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(last));
  for (int number = 1; number <= last; ++number) texts.push_back(std::to_string(number));
  return texts;
}

}  // namespace

StartMenuPage::StartMenuPage(ui::Form& form, AppContext& app)
    : form_(form), app_(app), folder_(app.files) {}

void StartMenuPage::declare(ui::Control& frame) {
  form_.add(ControlKind::SkinLabel, "delaylbl")
      .caption("Show menu Delay")
      .tag("3040")
      .at(120, 300, 1620, 255)
      .in(frame);
  form_.add(ControlKind::ComboBox, "mdelaycombo")
      .at(1800, 255, 1275, 315)
      .in(frame)
      .setText(kPlaceholder);
  form_.add(ControlKind::SkinLabel, "scrolllbl")
      .caption("Wheel Scroll")
      .tag("3041")
      .at(3360, 300, 1500, 255)
      .in(frame);
  form_.add(ControlKind::ComboBox, "wheelcombo")
      .at(4920, 255, 1275, 315)
      .in(frame)
      .setText(kPlaceholder);
  struct Box {
    const char* name;
    const char* caption;
    const char* tag;
  };
  constexpr std::array<Box, 8> kBoxes = {{
      {"expandcp", "Add an Expanding Control Panel to Start Menu", "5016"},
      {"denydisplay", "Deny Access to Display Settings Page", "5017"},
      {"shutchk", "Remove the Shut Down  command", "5018"},
      {"runchk", "Remove the Run command", "5026"},
      {"findchk", "Remove the Find command", "5019"},
      {"recentchk", "Remove Recent Documents", "5020"},
      {"favchk", "Remove Favorites", "5021"},
      {"taskbarchk", "Disable Taskbar Context Menus", "5022"},
  }};
  int top = 720;
  for (const Box& box : kBoxes) {
    form_.add(ControlKind::CheckBox, box.name)
        .caption(box.caption)
        .tag(box.tag)
        .at(120, top, 4920, 285)
        .in(frame);
    top += 315;
  }
  form_.add(ControlKind::SkinLabel, "visuallbl").tag("3042 ").at(120, 3390, 4800, 255).in(frame);
  form_.add(ControlKind::Button, "applymenu")
      .caption("Apply")
      .tag("1016")
      .at(5160, 3300, 1215, 375)
      .in(frame);
  form_.control("applymenu").onClick = [this] { applymenu_Click(); };
}

void StartMenuPage::load(ScriptShell& shell) {
  form_.control("mdelaycombo").setItems(numbers(999));
  readTweaks(form_, shell, std::span(kMenuTimings).first(1));
  form_.control("wheelcombo").setItems(numbers(100));
  readTweaks(form_, shell, std::span(kMenuTimings).last(1));
  readTweaks(form_, shell, std::span(kPolicies).first(1));
  resumeNext([&] {
    const auto startMenu = ControlPanelFolder::startMenu(shell);
    form_.control("expandcp").setValue(startMenu && folder_.find(*startMenu) ? 1 : 0);
  });
  readTweaks(form_, shell, std::span(kPolicies).subspan(1));
}

void StartMenuPage::applymenu_Click() {
  ScriptShell shell(app_.registry, app_.shortcuts);
  ApplyReport report;
  for (const Tweak& timing : kMenuTimings) {
    if (form_.control(timing.control).Text() == kPlaceholder) continue;
    writeTweaks(form_, shell, std::span(&timing, 1), report);
  }
  if (const auto startMenu = ControlPanelFolder::startMenu(shell)) {
    const bool wanted = form_.control("expandcp").Value() == ui::kChecked;
    if (const auto problem = wanted ? folder_.ensure(*startMenu) : folder_.remove(*startMenu)) {
      report.failed("the expanding Control Panel: " + *problem);
    }
  } else {
    report.failed("the expanding Control Panel: the user's Start Menu folder is not known");
  }
  writeTweaks(form_, shell, kPolicies, report);
  report.tell(app_.dialogs);
}

}  // namespace corvanta
