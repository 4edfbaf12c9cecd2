#include "shell/changes_form.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "base/text.h"
#include "core/app_context.h"
#include "core/app_info.h"
#include "core/changes/undo.h"
#include "core/i18n/localizer.h"
#include "core/policies.h"
#include "core/restore_points.h"
#include "core/skin_form.h"
#include "health/check_support.h"
#include "health/health_checks.h"
#include "platform/dialogs_port.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;
using ui::Grow;

// The journal names a group by the page or check that made it, in English;
// the window shows the names it knows in the language.
constexpr std::array<std::pair<const char*, const char*>, 9> kSources = {{
    {"Visual", "8003"},
    {"Start Menu", "8005"},
    {"Desktop", "8006"},
    {"Explorer", "8000"},
    {"Privacy", "4002"},
    {"Input", "7008"},
    {"Fonts", "7004"},
    {"System colours", "8717"},
    {"Settings imported", "8718"},
}};
constexpr const char* kUndoPrefix = "Undo: ";

// What a change changed, a value's name first (a key's path is long, and
// lists cut it); the registry's unnamed value by the language's name for it.
std::string shownChange(Localizer& texts, const Change& change) {
  if (change.kind == Change::Kind::Value && change.name.empty())
    return texts.text("8713", "(Default)") + " \u2014 " + change.key;
  return describe(change);
}

}  // namespace

ChangesForm::ChangesForm(AppContext& app)
    : ui::Form("frmchanges", "Changes", 9360, 6180), app_(app) {
  setResizable(true);
  setTag("7020");
  add(ControlKind::ListView, "groups")
      .at(120, 120, 9000, 2295)
      .grows(Grow::Stretch, Grow::Stay)
      .withStyle({.manyRows = true})
      .named("Groups of changes", "8720")
      .setColumns(
          {{"Time", 2000, "8700"}, {"Page or check", 5000, "8701"}, {"Changes", 1700, "8702"}});
  add(ControlKind::ListView, "changes")
      .at(120, 2535, 9000, 2535)
      .grows(Grow::Stretch, Grow::Stretch)
      .named("Changes in the group", "8721")
      .setColumns({{"What", 4600, "8703"}, {"Before", 2100, "8704"}, {"After", 2000, "8705"}});
  add(ControlKind::Button, "undocmd")
      .caption("Undo")
      .tag("1030")
      .at(120, 5220, 1815, 375)
      .grows(Grow::Stay, Grow::Move);
  add(ControlKind::Button, "undoallcmd")
      .caption("Undo all")
      .tag("1031")
      .at(2055, 5220, 1815, 375)
      .grows(Grow::Stay, Grow::Move);
  add(ControlKind::Button, "archivecmd")
      .caption("Archives...")
      .tag("8722")
      .at(3990, 5220, 1815, 375)
      .grows(Grow::Stay, Grow::Move);
  add(ControlKind::Button, "closecmd")
      .caption("Close")
      .tag("1018")
      .at(7785, 5220, 1335, 375)
      .grows(Grow::Move, Grow::Move)
      .asDefault()
      .asCancel();
  setHelpTopic("changes.html");
  onLoad = [this] { Form_Load(); };
  control("groups").onClick = [this] { groups_Click(); };
  control("undocmd").onClick = [this] { undocmd_Click(); };
  control("undoallcmd").onClick = [this] { undoallcmd_Click(); };
  control("archivecmd").onClick = [this] { archivecmd_Click(); };
  control("closecmd").onClick = [this] { app_.forms.Unload(*this); };
}

void ChangesForm::Form_Load() {
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  undoAllowed_ = !readPolicies(app_.registry).disableUndo;
  if (!undoAllowed_) {
    const std::string why = app_.localizer.text("8140", kSetByOrganisation);
    control("undocmd").setToolTipText(why);
    control("undoallcmd").setToolTipText(why);
  }
  fill();
}

void ChangesForm::fill() {
  // The groups without their changes; the chosen one's are read when it is.
  groups_ = app_.journal.summaries(archive_);
  std::reverse(groups_.begin(), groups_.end());
  // Each source named once, not once a group: a name is looked up in the
  // language file, and a journal of years repeats a few dozen sources.
  std::map<std::string, std::string> shown;
  const std::string undone = app_.localizer.LookupText("8706", "%1 (undone)");
  std::vector<std::vector<std::string>> rows;
  rows.reserve(groups_.size());
  for (GroupSummary& group : groups_) {
    auto named = shown.find(group.source);
    if (named == shown.end()) named = shown.emplace(group.source, shownSource(group.source)).first;
    // The time is the row's from here on: a chosen group is read whole.
    rows.push_back({std::move(group.time),
                    group.undone ? fillIn(undone, {named->second}) : named->second,
                    std::to_string(group.changes)});
  }
  control("groups").setRows(std::move(rows));
  control("groups").setListIndex(groups_.empty() ? -1 : 0);
  groups_Click();
}

std::string ChangesForm::state(const Change& change, const ValueState& then, bool found) {
  Localizer& texts = app_.localizer;
  const std::string none = texts.text("8708", "(none)");
  switch (change.kind) {
    case Change::Kind::Value:
    case Change::Kind::Parameter:
      return then.present ? describe(then) : none;
    case Change::Kind::Key:
      return then.present ? texts.text("8707", "(key)")
             : found      ? none
                          : texts.text("8709", "(deleted)");
    case Change::Kind::File:
      if (change.copy.empty())
        return then.present ? texts.text("8710", "(folder)")
               : found      ? none
                            : texts.text("8711", "(removed)");
      return found ? texts.text("8712", "(file)") : texts.text("8709", "(deleted)");
  }
  return {};
}

// "Undo: Visual (2024-05-01 10:00:00)" names the group it undid by its
// source and time.
std::string ChangesForm::shownSource(const std::string& source) {
  if (source.rfind(kUndoPrefix, 0) == 0) {
    std::string undone = source.substr(std::string_view(kUndoPrefix).size());
    std::string time;
    if (const std::size_t open = undone.rfind(" (");
        open != std::string::npos && !undone.empty() && undone.back() == ')') {
      time = undone.substr(open + 2, undone.size() - open - 3);
      undone.resize(open);
    }
    return app_.localizer.text("8719", "Undo: %1 (%2)", {shownSource(undone), time});
  }
  for (const auto& [english, id] : kSources) {
    if (source == english) return app_.localizer.LookupText(id, english);
  }
  for (const HealthCheck& check : kHealthChecks) {
    if (source == check.name) return shownName(app_, check);
  }
  return source;
}

void ChangesForm::groups_Click() {
  const int index = control("groups").ListIndex();
  chosen_ = {};
  if (index >= 0 && index < static_cast<int>(groups_.size())) {
    if (auto whole = app_.journal.group(groups_[static_cast<std::size_t>(index)], archive_))
      chosen_ = std::move(*whole);
  }
  std::vector<std::vector<std::string>> rows;
  for (const Change& change : chosen_.changes)
    rows.push_back({shownChange(app_.localizer, change), state(change, change.before, true),
                    state(change, change.after, false)});
  control("changes").setRows(std::move(rows));
  // An archived group is history: only the journal's are undone.
  control("undocmd").setEnabled(undoAllowed_ && archive_.empty() && chosen_.id != 0 &&
                                !chosen_.undone);
  control("undoallcmd").setEnabled(undoAllowed_ && archive_.empty());
}

void ChangesForm::tell(const UndoOutcome& outcome, const std::string& restorePoint) {
  std::string text = restorePoint.empty() ? std::string() : restorePoint + "\r\n";
  if (!outcome.failed.empty())
    text += app_.localizer.text("8714", "These changes could not be undone:%n%1",
                                {namesShown(outcome.failed)}) +
            "\r\n";
  if (!outcome.skipped.empty())
    text += app_.localizer.text("8715", "Changed since, and kept as they are:%n%1",
                                {namesShown(outcome.skipped)});
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
                Localizer& texts = app.localizer;
                return app.dialogs.messageBox(
                           texts.text("8716",
                                      "%1%nwas changed since Corvanta wrote it (now: %2).%nPut "
                                      "back what was there before?",
                                      {shownChange(texts, change),
                                       now.present ? describe(now) : texts.text("8708", "(none)")}),
                           kAppTitle, kMbYesNo | kMbIconQuestion) == kIdYes;
              });
}

}  // namespace

void ChangesForm::undocmd_Click() {
  if (!undoAllowed_ || !archive_.empty()) return;
  if (chosen_.id == 0 || chosen_.undone) return;
  tell(undoFor(app_).group(chosen_));
}

void ChangesForm::undoallcmd_Click() {
  if (!undoAllowed_ || !archive_.empty()) return;
  const RestorePointScope restorePoint(app_, "before Undo all", true);
  const UndoOutcome outcome = undoFor(app_).all();
  const auto made = restorePoint.outcome();
  tell(outcome, made ? describeFor(app_.localizer, *made) : std::string());
}

// The newest archive is offered first; choosing the journal itself lists
// it again.
void ChangesForm::archivecmd_Click() {
  const std::vector<std::string> archives = app_.journal.archives();
  Localizer& texts = app_.localizer;
  const auto chosen = app_.dialogs.openFile(
      {texts.text("8723", "Open an archive of changes"),
       texts.text("8724", "Archives of changes") + " (changes-*.log)|changes-*.log",
       app_.journal.ownFolder(),
       archives.empty() ? std::string() : archives.back().substr(archives.back().rfind('\\') + 1)});
  if (!chosen) return;
  archive_ = foldCase(*chosen) == foldCase(app_.journal.path()) ? std::string() : *chosen;
  fill();
}

}  // namespace corvanta
