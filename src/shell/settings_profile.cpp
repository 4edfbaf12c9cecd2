#include "shell/settings_profile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "base/text.h"
#include "core/app_context.h"
#include "core/changes/change_journal.h"
#include "core/policies.h"
#include "registry/script_shell.h"
#include "tweaks/desktop_page.h"
#include "tweaks/explorer_page.h"
#include "tweaks/input_page.h"
#include "tweaks/start_menu_page.h"
#include "tweaks/visual_page.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::Control;
using ui::ControlKind;

// The tweak pages on a window of their own that is never shown: each page
// declares and reads its controls as on the main window.
class SettingsPages : public ui::Form {
 public:
  explicit SettingsPages(AppContext& app)
      : ui::Form("settingspages", "Settings", 7200, 5400),
        visual_(*this, app),
        startMenu_(*this, app),
        desktop_(*this, app),
        explorer_(*this, app),
        input_(*this, app) {
    visual_.declare(add(ControlKind::Frame, kPages[0].frame));
    startMenu_.declare(add(ControlKind::Frame, kPages[1].frame));
    desktop_.declare(add(ControlKind::Frame, kPages[2].frame));
    explorer_.declare(add(ControlKind::Frame, kPages[3].frame));
    input_.declare(add(ControlKind::Frame, kPages[4].frame));
    // The Fonts and System Colors buttons open windows: not settings.
    visual_.openFonts = visual_.openSystemColors = [] {};
    onLoad = [this, &app] {
      visual_.loadDesktopColour();
      ScriptShell shell(app.registry, app.shortcuts);
      startMenu_.load(shell);
      desktop_.load(shell);
      visual_.load(shell);
      explorer_.load(shell);
      input_.load(shell);
    };
  }

  struct Page {
    const char* section;
    const char* frame;
    const char* apply;
    const char* pageId;  // the main window's page it is on, as policies name it
  };
  static constexpr std::array<Page, 5> kPages = {{
      {"Visual", "visualpage", "applyvisualcmd", "visual"},
      {"Start Menu", "startmenupage", "applymenu", "visual"},
      {"Desktop", "desktoppage", "applydesktop", "visual"},
      {"Explorer", "explorerpage", "applycmd", "explorer"},
      {"Input", "inputpage", "inputcmd", "input"},
  }};

 private:
  VisualPage visual_;
  StartMenuPage startMenu_;
  DesktopPage desktop_;
  ExplorerPage explorer_;
  InputPage input_;
};

// A control that holds a setting: boxes, sliders and fields a user sets,
// not buttons, labels or fields only a dialog fills.
bool holdsSetting(const Control& control) {
  switch (control.kind()) {
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::TrackBar:
    case ControlKind::UpDown:
    case ControlKind::ComboBox:
      return true;
    case ControlKind::TextBox:
      return !control.style().readOnly;
    default:
      return false;
  }
}

bool within(const Control& control, const Control& frame) {
  for (const Control* up = control.parent(); up; up = up->parent()) {
    if (up == &frame) return true;
  }
  return false;
}

std::string keyOf(const Control& control) {
  return control.index() < 0 ? control.name()
                             : control.name() + '(' + std::to_string(control.index()) + ')';
}

bool byText(const Control& control) {
  return control.kind() == ControlKind::TextBox || control.kind() == ControlKind::ComboBox;
}

std::string shown(const Control& control) {
  return byText(control) ? control.Text() : std::to_string(control.Value());
}

// Sets the control to `value` as a user would (a click on a box runs what
// its click runs).
void set(Control& control, const std::string& value) {
  if (control.kind() == ControlKind::ComboBox && control.style().dropDownList) {
    const auto& items = control.items();
    control.listIndexFromUser(
        static_cast<int>(std::find(items.begin(), items.end(), value) - items.begin()));
  } else if (byText(control)) {
    control.textFromUser(value);
  } else {
    control.valueFromUser(std::stoi(value));
  }
}

// The settings of one page, in the page's order.
std::vector<Control*> settingsOf(SettingsPages& pages, const SettingsPages::Page& page) {
  std::vector<Control*> found;
  const Control& frame = pages.control(page.frame);
  for (const auto& control : pages.controls()) {
    if (holdsSetting(*control) && within(*control, frame)) found.push_back(control.get());
  }
  return found;
}

// Why the control cannot take `value`; nothing when it can.
std::optional<std::string> refusal(const Control& control, const std::string& value) {
  if (control.kind() == ControlKind::TextBox) return std::nullopt;
  if (control.kind() == ControlKind::ComboBox) {
    if (control.style().numeric) {
      const bool whole = !value.empty() && value.size() <= 9 &&
                         value.find_first_not_of("0123456789") == std::string::npos;
      return whole ? std::nullopt : std::optional<std::string>("is not a whole number");
    }
    if (!control.style().dropDownList) return std::nullopt;
    for (const std::string& item : control.items()) {
      if (item == value) return std::nullopt;
    }
    return "is not one of the list's choices";
  }
  int number = 0;
  std::size_t used = 0;
  try {
    number = std::stoi(value, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != value.size()) return "is not a number";
  const bool box =
      control.kind() == ControlKind::CheckBox || control.kind() == ControlKind::OptionButton;
  const int low = box ? 0 : control.Min();
  const int high = box ? 1 : control.Max();
  if (number < low || number > high)
    return "is outside " + std::to_string(low) + " to " + std::to_string(high);
  return std::nullopt;
}

struct Line {
  int number;
  std::string section;
  std::string key;
  std::string value;
};

// Reads the file strictly: blank lines, comments (";") and "[section]"
// and "key=value" lines only; a key before any section or twice in one is
// refused too. Lines end at CR LF, LF or CR alone (old Mac editors).
// Returns the refusal, or empty.
std::string readLines(const std::string& text, std::vector<Line>& lines) {
  const std::string utf8 = utf8FromStoredText(text);
  std::string section;
  std::set<std::string> keys;  // folded "section\nkey" of each key read
  int number = 0;
  for (std::size_t at = 0; at <= utf8.size();) {
    std::size_t end = utf8.find_first_of("\r\n", at);
    if (end == std::string::npos) end = utf8.size();
    std::string line = utf8.substr(at, end - at);
    at = end + (utf8.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    ++number;
    line = trimSpaces(line);
    const std::string where = "line " + std::to_string(number) + ": ";
    if (line.empty() || line[0] == ';') continue;
    if (line.find('\0') != std::string::npos) return where + "holds a NUL character";
    if (line.front() == '[') {
      if (line.back() != ']') return where + "a section name must end in ]";
      section = trimSpaces(line.substr(1, line.size() - 2));
      // A section alone is checked as well: a page name mistyped is named
      // even when its keys are gone.
      lines.push_back({number, section, "", ""});
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return where + "not a key=value line: " + line;
    if (section.empty()) return where + "a key before the first [section]";
    if (trimSpaces(line.substr(0, equals)).empty()) return where + "a value without a key name";
    Line read{number, section, trimSpaces(line.substr(0, equals)),
              trimSpaces(line.substr(equals + 1))};
    if (!keys.insert(foldCase(read.section) + '\n' + foldCase(read.key)).second)
      return where + read.key + " is set twice in [" + read.section + "]";
    lines.push_back(std::move(read));
  }
  return {};
}

}  // namespace

std::string exportSettings(AppContext& app) {
  SettingsPages pages(app);
  app.forms.Load(pages);
  std::string text =
      "; Corvanta settings: one section per page, one key per control, as the page shows it.\r\n"
      "; Boxes are 1 (ticked) or 0; sliders and counters their position.\r\n"
      "; Import with: corvanta /import-settings <this file>\r\n";
  for (const auto& page : SettingsPages::kPages) {
    text += std::string("\r\n[") + page.section + "]\r\n";
    for (const Control* control : settingsOf(pages, page))
      text += keyOf(*control) + '=' + shown(*control) + "\r\n";
  }
  app.forms.Unload(pages);
  return text;
}

ImportOutcome importSettings(AppContext& app, const std::string& text) {
  ImportOutcome outcome;
  std::vector<Line> lines;
  outcome.refused = readLines(text, lines);
  if (!outcome.refused.empty()) return outcome;

  SettingsPages pages(app);
  app.forms.Load(pages);
  // Every line is matched and checked before the first control is set.
  struct Setting {
    const SettingsPages::Page* page;
    Control* control;
    std::string value;
  };
  std::vector<Setting> settings;
  const Policies policies = readPolicies(app.registry);
  for (const Line& line : lines) {
    const std::string where = "line " + std::to_string(line.number) + ": ";
    const SettingsPages::Page* page = nullptr;
    for (const auto& each : SettingsPages::kPages) {
      if (equalsIgnoringCase(each.section, line.section)) page = &each;
    }
    if (!page) {
      outcome.refused = where + "no page is called [" + line.section + "]";
      break;
    }
    if (policies.pageDisabled(page->pageId)) {
      outcome.refused = where + "the " + page->section +
                        " settings are on a page turned off by your organisation (policy " +
                        kPolicyDisabledPages + ")";
      outcome.refusedByPolicy = true;
      break;
    }
    if (line.key.empty()) continue;
    Control* control = nullptr;
    for (Control* each : settingsOf(pages, *page)) {
      if (equalsIgnoringCase(keyOf(*each), line.key)) control = each;
    }
    if (!control) {
      outcome.refused = where + "the " + page->section + " page has no setting " + line.key;
      break;
    }
    // A value as the page shows it already changes nothing: not refused
    // (a drop-down still showing its placeholder, say).
    if (const auto why =
            shown(*control) == line.value ? std::nullopt : refusal(*control, line.value)) {
      outcome.refused = where + line.key + '=' + line.value + ' ' + *why;
      break;
    }
    settings.push_back({page, control, line.value});
  }
  if (outcome.refused.empty()) {
    const ChangeScope changes(app.journal, "Settings imported");
    for (const auto& page : SettingsPages::kPages) {
      std::vector<const Setting*> here;
      for (const Setting& setting : settings) {
        if (setting.page == &page && shown(*setting.control) != setting.value)
          here.push_back(&setting);
      }
      if (here.empty()) continue;
      // The page's Apply writes some values whatever was changed: written
      // first, so that what each setting's own Apply records is its own. A
      // setting whose Apply records nothing was not applied (a field the
      // Apply never writes, a box that needs a choice made first, a change
      // the journal refused).
      Control& apply = pages.control(page.apply);
      apply.click();
      for (const Setting* setting : here) {
        const std::size_t before = app.journal.recorded().size();
        set(*setting->control, setting->value);
        apply.click();
        if (app.journal.recorded().size() == before)
          outcome.notApplied.push_back(std::string(page.section) + ": " + keyOf(*setting->control));
      }
    }
    outcome.written = app.journal.recorded();
    outcome.journalRefused = app.journal.refused();
  }
  app.forms.Unload(pages);
  return outcome;
}

}  // namespace corvanta
