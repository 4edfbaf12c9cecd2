#include "tweaks/start_menu_page.h"

#include <array>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "core/changes/change_journal.h"
#include "core/i18n/localizer.h"
#include "registry/script_shell.h"
#include "tweaks/tweak_model.h"
#include "ui/form.h"

namespace corvanta {
namespace {

using ui::ControlKind;

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

constexpr std::array<ui::ControlRow, 14> kControls = {{
    {ControlKind::SkinLabel, "delaylbl", "Show menu Delay", "3040", {120, 300, 1620, 255}},
    {ControlKind::ComboBox, "mdelaycombo", nullptr, nullptr, {1800, 255, 1275, 315}},
    {ControlKind::SkinLabel, "scrolllbl", "Wheel Scroll", "3041", {3360, 300, 1500, 255}},
    {ControlKind::ComboBox, "wheelcombo", nullptr, nullptr, {4920, 255, 1275, 315}},
    {ControlKind::CheckBox,
     "expandcp",
     "Add an Expanding Control Panel to Start Menu",
     "5016",
     {120, 720, 4920, 285}},
    {ControlKind::CheckBox,
     "denydisplay",
     "Deny Access to Display Settings Page",
     "5017",
     {120, 1035, 4920, 285}},
    {ControlKind::CheckBox,
     "shutchk",
     "Remove the Shut Down  command",
     "5018",
     {120, 1350, 4920, 285}},
    {ControlKind::CheckBox, "runchk", "Remove the Run command", "5026", {120, 1665, 4920, 285}},
    {ControlKind::CheckBox, "findchk", "Remove the Find command", "5019", {120, 1980, 4920, 285}},
    {ControlKind::CheckBox, "recentchk", "Remove Recent Documents", "5020", {120, 2295, 4920, 285}},
    {ControlKind::CheckBox, "favchk", "Remove Favorites", "5021", {120, 2610, 4920, 285}},
    {ControlKind::CheckBox,
     "taskbarchk",
     "Disable Taskbar Context Menus",
     "5022",
     {120, 2925, 4920, 285}},
    {ControlKind::SkinLabel, "visuallbl", nullptr, "3042 ", {120, 3390, 4800, 255}},
    {ControlKind::Button, "applymenu", "Apply", "1016", {5160, 3300, 1215, 375}},
}};

}  // namespace

StartMenuPage::StartMenuPage(ui::Form& form, AppContext& app)
    : TabPage(form, app), folder_(app.files) {}

void StartMenuPage::declare(ui::Control& frame) {
  form_.addAll(kControls, &frame);
  control("applymenu").asDefault();
  control("mdelaycombo").withStyle({.numeric = true}).setText(placeholder_);
  control("wheelcombo").withStyle({.numeric = true}).setText(placeholder_);
  control("applymenu").onClick = [this] { applymenu_Click(); };
}

void StartMenuPage::load(ScriptShell& shell) {
  // The placeholder in the language, until a value read replaces it.
  placeholder_ = app_.localizer.text("8012", placeholder_);
  for (const char* combo : {"mdelaycombo", "wheelcombo"}) control(combo).setText(placeholder_);
  control("mdelaycombo").setItems(numbers(999));
  readTweaks(form_, shell, std::span(kMenuTimings).first(1));
  control("wheelcombo").setItems(numbers(100));
  readTweaks(form_, shell, std::span(kMenuTimings).last(1));
  readTweaks(form_, shell, std::span(kPolicies).first(1));
  resumeNext([&] {
    const auto startMenu = ControlPanelFolder::startMenu(shell);
    control("expandcp").setValue(startMenu && folder_.find(*startMenu) ? 1 : 0);
  });
  readTweaks(form_, shell, std::span(kPolicies).subspan(1));
}

void StartMenuPage::applymenu_Click() {
  const ChangeScope changes(app_.journal, "Start Menu");
  ScriptShell shell(app_.registry, app_.shortcuts);
  ApplyReport report;
  for (const Tweak& timing : kMenuTimings) {
    if (control(timing.control).Text() == placeholder_) continue;
    writeTweaks(form_, shell, std::span(&timing, 1), report);
  }
  const bool wanted = ticked("expandcp");
  Localizer& texts = app_.localizer;
  const auto failed = [&](const std::string& problem) {
    report.failed(texts.text("8067", "the expanding Control Panel: %1", {problem}));
  };
  if (const auto startMenu = ControlPanelFolder::startMenu(shell)) {
    if (wanted) {
      if (const auto folder = folder_.ensure(*startMenu))
        failed(texts.text("8069", "the folder %1 could not be created", {*folder}));
    } else if (const auto folder = folder_.remove(*startMenu)) {
      failed(texts.text("8070", "the folder %1 could not be removed", {*folder}));
    }
  } else if (wanted) {
    // Without a Start Menu folder there is no folder to remove either: only
    // a wanted one that cannot be made is worth telling.
    failed(texts.text("8068", "the user's Start Menu folder is not known"));
  }
  writeTweaks(form_, shell, kPolicies, report);
  report.tell(app_);
}

}  // namespace corvanta
