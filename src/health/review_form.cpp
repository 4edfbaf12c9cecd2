#include "health/review_form.h"

#include "core/app_context.h"
#include "core/i18n/localizer.h"
#include "core/skin_form.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;

// Why, with the path judged missing where there is one.
std::string why(const Finding& finding) {
  return finding.target.empty() ? finding.reason : finding.reason + ": " + finding.target;
}

}  // namespace

ReviewForm::ReviewForm(AppContext& app, const std::string& check, std::vector<Finding>& found,
                       IgnoreList& ignored)
    : ui::Form("frmreview", check, 10800, 5400),
      app_(app),
      found_(found),
      ignored_(ignored),
      ticked_(found.size(), true) {
  add(ControlKind::ListView, "findings")
      .at(120, 120, 10440, 4215)
      .withStyle({.tickBoxes = true})
      .setColumns({{"Entry", 5400}, {"View", 900}, {"Why", 4000}});
  add(ControlKind::Button, "repaircmd")
      .caption("Repair")
      .tag("1032")
      .at(120, 4455, 1575, 375)
      .asDefault();
  add(ControlKind::Button, "ignorecmd").caption("Ignore").tag("1033").at(1815, 4455, 1575, 375);
  add(ControlKind::Button, "cancelcmd")
      .caption("Cancel")
      .tag("1035")
      .at(8985, 4455, 1575, 375)
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
  app_.localizer.ApplyLanguage(*this, app_.localizer.LanguageName());
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  fill();
}

void ReviewForm::fill() {
  ui::Control& list = control("findings");
  // A finding keeps its tick when the list is filled again.
  for (std::size_t row = 0; row < shown_.size(); ++row)
    ticked_[shown_[row]] = list.RowTicked(static_cast<int>(row));
  shown_.clear();
  std::vector<std::vector<std::string>> rows;
  std::vector<bool> ticks;
  for (std::size_t i = 0; i < found_.size(); ++i) {
    if (ignored_.contains(found_[i].entry())) continue;
    shown_.push_back(i);
    rows.push_back({shownEntry(found_[i].entry()), found_[i].view, why(found_[i])});
    ticks.push_back(ticked_[i]);
  }
  // Rows and ticks in one go: the list is drawn once, not once a row.
  list.setRows(std::move(rows), std::move(ticks));
  control("repaircmd").setEnabled(!shown_.empty());
  control("ignorecmd").setEnabled(!shown_.empty());
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
