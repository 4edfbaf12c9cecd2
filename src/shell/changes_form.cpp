#include "shell/changes_form.h"

#include <algorithm>

#include "core/app_context.h"
#include "core/app_info.h"
#include "core/changes/undo.h"
#include "core/i18n/localizer.h"
#include "core/skin_form.h"
#include "health/check_support.h"
#include "platform/dialogs_port.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;

// What a change found (`then`) or left, in the window's words.
std::string state(const Change& change, const ValueState& then, bool found) {
  switch (change.kind) {
    case Change::Kind::Value:
      return describe(then);
    case Change::Kind::Key:
      return then.present ? "(key)" : found ? "(none)" : "(deleted)";
    case Change::Kind::File:
      if (change.copy.empty()) return then.present ? "(folder)" : found ? "(none)" : "(removed)";
      return found ? "(file)" : "(deleted)";
    case Change::Kind::Parameter:
      return describe(then);
  }
  return {};
}

}  // namespace

ChangesForm::ChangesForm(AppContext& app)
    : ui::Form("frmchanges", "Changes", 9360, 6180), app_(app) {
  add(ControlKind::ListView, "groups")
      .at(120, 120, 9000, 2295)
      .named("Groups of changes")
      .setColumns({{"Time", 2000}, {"Page or check", 5000}, {"Changes", 1700}});
  add(ControlKind::ListView, "changes")
      .at(120, 2535, 9000, 2535)
      .named("Changes in the group")
      .setColumns({{"What", 4600}, {"Before", 2100}, {"After", 2000}});
  add(ControlKind::Button, "undocmd").caption("Undo").tag("1030").at(120, 5220, 1815, 375);
  add(ControlKind::Button, "undoallcmd").caption("Undo all").tag("1031").at(2055, 5220, 1815, 375);
  add(ControlKind::Button, "closecmd")
      .caption("Close")
      .at(7785, 5220, 1335, 375)
      .asDefault()
      .asCancel();
  setHelpTopic("changes.html");
  onLoad = [this] { Form_Load(); };
  control("groups").onClick = [this] { groups_Click(); };
  control("undocmd").onClick = [this] { undocmd_Click(); };
  control("undoallcmd").onClick = [this] { undoallcmd_Click(); };
  control("closecmd").onClick = [this] { app_.forms.Unload(*this); };
}

void ChangesForm::Form_Load() {
  setCaption(app_.localizer.LookupText("7020", Caption()));
  app_.localizer.ApplyLanguage(*this, app_.localizer.LanguageName());
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  fill();
}

void ChangesForm::fill() {
  groups_ = app_.journal.groups();
  std::reverse(groups_.begin(), groups_.end());
  std::vector<std::vector<std::string>> rows;
  for (const ChangeGroup& group : groups_) {
    rows.push_back({group.time, group.source + (group.undone ? " (undone)" : ""),
                    std::to_string(group.changes.size())});
  }
  control("groups").setRows(std::move(rows));
  control("groups").setListIndex(groups_.empty() ? -1 : 0);
  groups_Click();
}

void ChangesForm::groups_Click() {
  const int index = control("groups").ListIndex();
  std::vector<std::vector<std::string>> rows;
  if (index >= 0 && index < static_cast<int>(groups_.size())) {
    for (const Change& change : groups_[static_cast<std::size_t>(index)].changes)
      rows.push_back({describe(change), state(change, change.before, true),
                      state(change, change.after, false)});
  }
  control("changes").setRows(std::move(rows));
  control("undocmd").setEnabled(index >= 0 && index < static_cast<int>(groups_.size()) &&
                                !groups_[static_cast<std::size_t>(index)].undone);
}

void ChangesForm::tell(const UndoOutcome& outcome) {
  std::string text;
  if (!outcome.failed.empty())
    text += "These changes could not be undone:\r\n" + namesShown(outcome.failed) + "\r\n";
  if (!outcome.skipped.empty())
    text += "Changed since, and kept as they are:\r\n" + namesShown(outcome.skipped);
  if (!text.empty())
    app_.dialogs.messageBox(
        text, kAppTitle,
        outcome.failed.empty() ? kMbOk | kMbIconInformation : kMbOk | kMbIconError);
  fill();
}

namespace {

Undo undoFor(AppContext& app) {
  return Undo(app.registry, app.files, app.desktop, app.journal,
              [&app](const Change& change, const ValueState& now) {
                return app.dialogs.messageBox(
                           describe(change) + "\r\nwas changed since Corvanta wrote it (now: " +
                               describe(now) + ").\r\nPut back what was there before?",
                           kAppTitle, kMbYesNo | kMbIconQuestion) == kIdYes;
              });
}

}  // namespace

void ChangesForm::undocmd_Click() {
  const int index = control("groups").ListIndex();
  if (index < 0 || index >= static_cast<int>(groups_.size())) return;
  tell(undoFor(app_).group(groups_[static_cast<std::size_t>(index)]));
}

void ChangesForm::undoallcmd_Click() { tell(undoFor(app_).all()); }

}  // namespace corvanta
