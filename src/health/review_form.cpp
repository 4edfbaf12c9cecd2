#include "health/review_form.h"

#include <array>
#include <map>
#include <utility>

#include "base/text.h"
#include "core/app_context.h"
#include "core/i18n/localizer.h"
#include "core/skin_form.h"
#include "core/policies.h"
#include "health/health_checks.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;
using ui::Grow;

// The words the checks and the report use, and their language IDs.
constexpr std::array<std::pair<const char*, const char*>, 3> kViews = {{
    {"64-bit", "8203"},
    {"32-bit", "8204"},
    {"both", "8205"},
}};
constexpr std::array<std::pair<const char*, const char*>, 5> kReasons = {{
    {"program missing", "8206"},
    {"file missing", "8207"},
    {"help file missing", "8208"},
    {"no uninstall command", "8209"},
    {"target missing", "8210"},
}};

// The word in the language; one the table does not know as it is.
template <std::size_t N>
std::string shown(Localizer& localizer,
                  const std::array<std::pair<const char*, const char*>, N>& words,
                  const std::string& word) {
  for (const auto& [english, id] : words) {
    if (word == english) return localizer.LookupText(id, english);
  }
  return word;
}

}  // namespace

ReviewForm::ReviewForm(AppContext& app, const HealthCheck& check, std::vector<Finding>& found,
                       IgnoreList& ignored, bool repairs)
    : ui::Form("frmreview", check.name, 10800, 5400),
      app_(app),
      found_(found),
      ignored_(ignored),
      repairs_(repairs),
      ticked_(found.size(), true) {
  setResizable(true);
  setTag(check.nameId);
  add(ControlKind::ListView, "findings")
      .at(120, 120, 10440, 4215)
      .grows(Grow::Stretch, Grow::Stretch)
      .withStyle({.tickBoxes = true})
      .setColumns({{"Entry", 5400, "8200"}, {"View", 900, "8201"}, {"Why", 4000, "8202"}});
  add(ControlKind::Button, "repaircmd")
      .caption("Repair")
      .tag("1032")
      .at(120, 4455, 1575, 375)
      .grows(Grow::Stay, Grow::Move)
      .asDefault();
  add(ControlKind::Button, "ignorecmd")
      .caption("Ignore")
      .tag("1033")
      .at(1815, 4455, 1575, 375)
      .grows(Grow::Stay, Grow::Move);
  add(ControlKind::Button, "cancelcmd")
      .caption("Cancel")
      .tag("1035")
      .at(8985, 4455, 1575, 375)
      .grows(Grow::Move, Grow::Move)
      .asCancel();
  setHelpTopic("system-health.html#review");
  onLoad = [this] { Form_Load(); };
  control("repaircmd").onClick = [this] { repaircmd_Click(); };
  control("ignorecmd").onClick = [this] { ignorecmd_Click(); };
  control("cancelcmd").onClick = [this] { cancelcmd_Click(); };
  // Closed without Repair, nothing is repaired.
  for (Finding& finding : found_) finding.chosen = false;
}

void ReviewForm::Form_Load() {
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  if (!repairs_) control("repaircmd").setToolTipText(app_.localizer.text("8140", kSetByOrganisation));
  fill();
}

void ReviewForm::fill() {
  ui::Control& list = control("findings");
  // A finding keeps its tick when the list is filled again.
  for (std::size_t row = 0; row < shown_.size(); ++row)
    ticked_[shown_[row]] = list.RowTicked(static_cast<int>(row));
  shown_.clear();
  // Described once: a refill after an Ignore only leaves rows out.
  if (rowOf_.size() != found_.size()) rowOf_ = describeFindings();
  std::vector<std::vector<std::string>> rows;
  std::vector<bool> ticks;
  for (std::size_t i = 0; i < found_.size(); ++i) {
    if (ignored_.contains(found_[i].entry())) continue;
    shown_.push_back(i);
    rows.push_back(rowOf_[i]);
    ticks.push_back(ticked_[i]);
  }
  // Rows and ticks in one go: the list is drawn once, not once a row.
  list.setRows(std::move(rows), std::move(ticks));
  control("repaircmd").setEnabled(repairs_ && !shown_.empty());
  control("ignorecmd").setEnabled(!shown_.empty());
}

std::vector<std::vector<std::string>> ReviewForm::describeFindings() {
  // Each word is looked up once, not once a row: a lookup reads the
  // language setting, and thousands of rows share a handful of words.
  std::map<std::string, std::string> words;
  const auto word = [&](const auto& table, const std::string& english) -> const std::string& {
    auto known = words.find(english);
    if (known == words.end())
      known = words.emplace(english, shown(app_.localizer, table, english)).first;
    return known->second;
  };
  // Why, with the path judged missing where there is one.
  const std::string withTarget = app_.localizer.LookupText("8211", "%1: %2");
  std::vector<std::vector<std::string>> rows;
  rows.reserve(found_.size());
  for (const Finding& finding : found_) {
    const std::string& reason = word(kReasons, finding.reason);
    rows.push_back(
        {shownEntry(finding.entry()), word(kViews, finding.view),
         finding.target.empty() ? reason : fillIn(withTarget, {reason, finding.target})});
  }
  return rows;
}

void ReviewForm::repaircmd_Click() {
  const ui::Control& list = control("findings");
  for (std::size_t row = 0; row < shown_.size(); ++row)
    found_[shown_[row]].chosen = list.RowTicked(static_cast<int>(row));
  app_.forms.Unload(*this);
}

void ReviewForm::ignorecmd_Click() {
  const int row = control("findings").ListIndex();
  if (row < 0 || row >= static_cast<int>(shown_.size())) return;
  ignored_.add(found_[shown_[static_cast<std::size_t>(row)]].entry());
  fill();
}

void ReviewForm::cancelcmd_Click() { app_.forms.Unload(*this); }

}  // namespace corvanta
