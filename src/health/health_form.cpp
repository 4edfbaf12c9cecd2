// Geometry is in twips, as designed.
#include "health/health_form.h"

#include <array>
#include <string>
#include <string_view>

#include "base/resume.h"
#include "core/app_context.h"
#include "core/drive_list.h"
#include "core/elevation.h"
#include "core/i18n/localizer.h"
#include "core/policies.h"
#include "core/restore_points.h"
#include "core/skin_form.h"
#include "health/check_progress.h"
#include "health/health_checks.h"
#include "health/review_form.h"
#include "platform/drive_port.h"
#include "registry/settings_store.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;
using ui::Geometry;

constexpr const char* kCheckCaption = "Check && Repair";
constexpr const char* kErrorsCaption = "Total Errors Found :";
constexpr const char* kErrorsId = "8113";
constexpr const char* kRepairedCaption = "Repaired                :";
constexpr const char* kRepairedId = "8114";
// The count captions reach to their counts, so "Total Errors Found :" is
// never cut at the system font.
constexpr int kCaptionWidth = 4320 - 2640;

struct CheckFrame {
  const char* frame;
  const char* caption;
  const char* tag;
  Geometry geometry;
  const char* buttonTag;  // each its own: the six buttons need six access keys
  const char* button;
  const char* bar;
  const char* errors;
  const char* repaired;
  const char* check;  // the id of the check it shows
};

// The five registry checks; the orphan-shortcut frame is laid out on its own.
constexpr std::array<CheckFrame, 5> kRegistryFrames = {{
    {"SRFrame",
     "Software removal entries in Registry",
     "8101",
     {240, 240, 5175, 1335},
     "8107",
     "checkcmd",
     "RemovalProgressBar",
     "Elabel",
     "Rlabel",
     "removal"},
    {"APFrame",
     "Application paths entries in Registry",
     "8102",
     {240, 1680, 5175, 1335},
     "8108",
     "check2cmd",
     "PathProgressBar",
     "t2label",
     "R2label",
     "apppaths"},
    {"HFrame",
     "Histories",
     "8103",
     {5520, 240, 7065, 1335},
     "8110",
     "check4cmd",
     "HistoryProgressBar",
     "t4label",
     "R4label",
     "histories"},
    {"HelpFrame",
     "Help files",
     "8104",
     {5520, 1680, 6225, 1335},
     "8111",
     "check5cmd",
     "HelpProgressBar",
     "e5label",
     "R5label",
     "help"},
    {"SCFrame",
     "Shared Components",
     "8105",
     {5520, 3120, 6210, 1335},
     "8112",
     "check6cmd",
     "SharedProgressBar",
     "E6label",
     "R6label",
     "shared"},
}};

// The orphan-shortcut frame's bar and counts; its other parts are declared
// with it.
constexpr CheckFrame kOrphanFrame{
    "", "", "", {}, "", "check3cmd", "OrphanProgressBar", "E3label", "R3label", "shortcuts"};

// A check's run shown in its frame: the bar, which takes a maximum of a
// count minus one and refuses what it cannot show (a maximum of 0 or less, a
// position past the maximum: a refused setting leaves the bar as it was and
// the check goes on), and moves a hundred times a pass at most (moved for
// each of ten thousand entries, it took most of the time); the two counts;
// the status line; and the window's events, let run during the check.
class FrameProgress final : public CheckProgress {
 public:
  FrameProgress(ui::Form& window, ui::Forms& forms, const CheckFrame& frame)
      : forms_(forms),
        bar_(window.control(frame.bar)),
        errors_(window.control(frame.errors)),
        repaired_(window.control(frame.repaired)),
        status_(window.control("label29")) {}

  void clearCounts() override {
    errors_.setCaption("");
    repaired_.setCaption("");
  }
  void setMaximumFor(std::size_t count) override {
    step_ = count / 100 + 1;
    nextShown_ = 0;
    resumeNext([&] { bar_.setMax(static_cast<int>(count) - 1); });
  }
  void setPosition(std::size_t position) override {
    // The first position, every step after, and anything past the last
    // entry (a pass's end) are shown; the positions between are passed over.
    const bool last = static_cast<int>(position) >= bar_.Max();
    if (position < nextShown_ && !last) return;
    nextShown_ = position + step_;
    resumeNext([&] { bar_.setValue(static_cast<int>(position)); });
  }
  void setErrors(std::size_t count) override { errors_.setCaption(std::to_string(count)); }
  void setRepaired(std::size_t count) override { repaired_.setCaption(std::to_string(count)); }
  void showStatus(const std::string& text) override {
    resumeNext([&] { status_.setCaption(text); });
  }
  void letInputRun() override { forms_.DoEvents(); }

 private:
  ui::Forms& forms_;
  ui::Control& bar_;
  ui::Control& errors_;
  ui::Control& repaired_;
  ui::Control& status_;
  std::size_t step_ = 1;       // entries between two moves of the bar
  std::size_t nextShown_ = 0;  // the next position the bar moves to
};

const CheckFrame& frameOf(const HealthCheck& check) {
  for (const CheckFrame& frame : kRegistryFrames)
    if (std::string_view(frame.check) == check.id) return frame;
  return kOrphanFrame;
}

constexpr std::array<const char*, 8> kButtons = {"checkcmd",  "check2cmd",  "check3cmd",
                                                 "check4cmd", "check5cmd",  "check6cmd",
                                                 "Command1",  "unignorecmd"};

// The window's client area is 12975 x 7305; the form's size is its outer one.
constexpr int kWidth = 12975 + 90;
constexpr int kHeight = 7305 + 405;

}  // namespace

HealthForm::HealthForm(AppContext& app)
    : ui::Form("pchealth", "System Health", kWidth, kHeight), app_(app) {
  setResizable(true);
  setTag("7010");
  declareControls();
  onLoad = [this] { Form_Load(); };
  onQueryUnload = [this](bool& cancel) { Form_QueryUnload(cancel); };
  control("checkcmd").onClick = [this] { checkcmd_Click(); };
  control("check2cmd").onClick = [this] { check2cmd_Click(); };
  control("check3cmd").onClick = [this] { check3cmd_Click(); };
  control("check4cmd").onClick = [this] { check4cmd_Click(); };
  control("check5cmd").onClick = [this] { check5cmd_Click(); };
  control("check6cmd").onClick = [this] { check6cmd_Click(); };
  control("Command1").onClick = [this] { Command1_Click(); };
  control("reviewchk").onClick = [this] { reviewchk_Click(); };
  control("restorechk").onClick = [this] { restorechk_Click(); };
  control("unignorecmd").onClick = [this] { unignorecmd_Click(); };
}

void HealthForm::declareControls() {
  setHelpTopic("system-health.html");
  auto& outer = add(ControlKind::Frame, "HealthFrame")
                    .caption("System Health")
                    .tag("8100")
                    .at(120, 240, 12705, 7035);
  // Each count after its caption, as a screen reader names a value by the
  // label before it; a check's bar before them, named by its frame.
  const auto countLabels = [&](ui::Control& frame, const char* errors, const char* repaired,
                               int top) {
    add(ControlKind::Label, std::string(errors) + "Caption")
        .caption(kErrorsCaption)
        .tag(kErrorsId)
        .at(2640, top, kCaptionWidth, 255)
        .in(frame);
    add(ControlKind::Label, errors).at(4320, top, 615, 255).in(frame);
    add(ControlKind::Label, std::string(repaired) + "Caption")
        .caption(kRepairedCaption)
        .tag(kRepairedId)
        .at(2640, top + 360, kCaptionWidth, 255)
        .in(frame);
    add(ControlKind::Label, repaired).at(4320, top + 360, 615, 255).in(frame);
  };
  for (const CheckFrame& check : kRegistryFrames) {
    const Geometry& g = check.geometry;
    auto& frame = add(ControlKind::Frame, check.frame)
                      .caption(check.caption)
                      .tag(check.tag)
                      .at(g.left, g.top, g.width, g.height)
                      .in(outer);
    add(ControlKind::Button, check.button)
        .caption(kCheckCaption)
        .tag(check.buttonTag)
        .at(120, 360, 1550, 375)
        .in(frame)
        .asDefault();
    add(ControlKind::ProgressBar, check.bar).at(120, 960, 4935, 255).in(frame);
    countLabels(frame, check.errors, check.repaired, 240);
  }
  auto& shortcuts = add(ControlKind::Frame, "OSFrame")
                        .caption("Orphan Shortcuts")
                        .tag("8106")
                        .at(240, 3120, 5175, 1815)
                        .in(outer);
  add(ControlKind::DriveList, "ODrive")
      .at(120, 240, 1575, 315)
      .in(shortcuts)
      .withStyle({.dropDownList = true});
  add(ControlKind::Button, "check3cmd")
      .caption(kCheckCaption)
      .tag("8109")
      .at(120, 600, 1550, 375)
      .in(shortcuts)
      .asDefault();
  add(ControlKind::Label, "label29").at(120, 1200, 4935, 225).in(shortcuts);
  add(ControlKind::ProgressBar, kOrphanFrame.bar).at(120, 1440, 4935, 255).in(shortcuts);
  countLabels(shortcuts, kOrphanFrame.errors, kOrphanFrame.repaired, 360);
  add(ControlKind::Button, "Command1")
      .caption("Close")
      .tag("1018")
      .at(8025, 4620, 1560, 390)
      .in(outer)
      .asCancel();
  auto& review = add(ControlKind::Frame, "ReviewFrame")
                     .caption("Review")
                     .tag("7023")
                     .at(240, 5040, 12225, 1815)
                     .in(outer);
  add(ControlKind::CheckBox, "reviewchk")
      .caption("Review before repairing")
      .tag("7021")
      .at(120, 300, 3480, 255)
      .in(review);
  add(ControlKind::CheckBox, "restorechk")
      .caption("Make a restore point first")
      .tag("7024")
      .at(120, 660, 3480, 255)
      .in(review);
  // What the last repair's restore point came to.
  add(ControlKind::Label, "restorelabel").at(120, 1020, 3480, 615).in(review);
  add(ControlKind::Label, "ignorelabel")
      .caption("Ignored entries:")
      .tag("7022")
      .at(3720, 300, 6960, 255)
      .in(review);
  // Handed its rows as it draws them: years of Ignore make thousands.
  add(ControlKind::ListView, "ignorelist")
      .at(3720, 600, 6960, 1035)
      .in(review)
      .withStyle({.manyRows = true})
      .setColumns({{"Entry", 6600, "8200"}});
  add(ControlKind::Button, "unignorecmd")
      .caption("Remove")
      .tag("1034")
      .at(10800, 600, 1305, 375)
      .in(review);
}

void HealthForm::Form_Load() {
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  fillDriveList(control("ODrive"), app_.drives, app_.drives.currentDrive());
  const auto stored = [&](const char* key, const char* fallback) {
    return app_.settings.GetSetting(kSettingsApplication, "health", key, fallback) == "1"
               ? ui::kChecked
               : ui::kUnchecked;
  };
  control("reviewchk").setValue(stored("review", "0"));
  control("restorechk").setValue(stored("restorepoint", "1"));
  // What the organisation set holds the boxes, ticked, and says why.
  const Policies policies = readPolicies(app_.registry);
  const std::string why = app_.localizer.text("8140", kSetByOrganisation);
  const auto hold = [&](const char* box) {
    control(box).setValue(ui::kChecked);
    control(box).setEnabled(false);
    control(box).setToolTipText(why);
  };
  // Repairs turned off: each check lists what it finds, for the user to see.
  if (policies.forceReview || policies.disableRepairs) hold("reviewchk");
  if (policies.requireRestorePoint) hold("restorechk");
  if (policies.disableRepairs) {
    control("restorechk").setEnabled(false);
    control("restorechk").setToolTipText(why);
    control("restorelabel")
        .setCaption(app_.localizer.text(
            "8141", "Repairs are turned off by your organisation: the checks only report."));
  }
  showIgnored();
}

void HealthForm::restorechk_Click() {
  resumeNext([&] {
    app_.settings.SaveSetting(kSettingsApplication, "health", "restorepoint",
                              control("restorechk").Value() == ui::kChecked ? "1" : "0");
  });
}

void HealthForm::showIgnored() {
  ignored_ = IgnoreList::load(app_.settings);
  std::vector<std::vector<std::string>> shown;
  shown.reserve(ignored_.entries().size());
  for (const std::string& entry : ignored_.entries()) shown.push_back({shownEntry(entry)});
  control("ignorelist").setRows(std::move(shown));
  control("unignorecmd").setEnabled(!control("ignorelist").rows().empty());
}

void HealthForm::reviewchk_Click() {
  resumeNext([&] {
    app_.settings.SaveSetting(kSettingsApplication, "health", "review",
                              control("reviewchk").Value() == ui::kChecked ? "1" : "0");
  });
}

void HealthForm::unignorecmd_Click() {
  const int row = control("ignorelist").ListIndex();
  if (row < 0 || row >= static_cast<int>(ignored_.entries().size())) return;
  const std::string entry = ignored_.entries()[static_cast<std::size_t>(row)];
  ignored_.remove(entry);
  resumeNext([&] { ignored_.save(app_.settings); });
  showIgnored();
}

void HealthForm::runCheck(const HealthCheck& check) {
  if (running_) return;
  running_ = true;
  for (const char* button : kButtons) control(button).setEnabled(false);
  {
    // Read at each click: a policy applied meanwhile holds at once.
    const Policies policies = readPolicies(app_.registry);
    const bool repairs = !policies.disableRepairs;
    FrameProgress progress(*this, app_.forms, frameOf(check));
    ChooseRepairs review;
    if (!repairs || policies.forceReview || control("reviewchk").Value() == ui::kChecked) {
      review = [this, &check, repairs](std::vector<Finding>& found, IgnoreList& ignored) {
        ReviewForm form(app_, check, found, ignored, repairs);
        app_.forms.ShowModal(form, *this);
      };
    }
    const RestorePointScope restorePoint(
        app_, "before System Health repairs",
        repairs && control("restorechk").Value() == ui::kChecked);
    runHealthCheck(app_, progress, check, control("ODrive").Text(), review);
    if (const auto outcome = restorePoint.outcome())
      control("restorelabel").setCaption(describeFor(app_.localizer, *outcome));
  }
  for (const char* button : kButtons) control(button).setEnabled(true);
  showIgnored();  // Remove only with something to remove
  running_ = false;
  if (closeWhenDone_) app_.forms.Unload(*this);
}

void HealthForm::Form_QueryUnload(bool& cancel) {
  if (!running_) return;
  cancel = true;
  closeWhenDone_ = true;
}

void HealthForm::checkcmd_Click() { runMachineCheck(kHealthChecks[0]); }
void HealthForm::check2cmd_Click() { runMachineCheck(kHealthChecks[1]); }
void HealthForm::check3cmd_Click() { runCheck(kHealthChecks[2]); }
void HealthForm::check4cmd_Click() { runCheck(kHealthChecks[3]); }
void HealthForm::check5cmd_Click() { runMachineCheck(kHealthChecks[4]); }
void HealthForm::check6cmd_Click() { runMachineCheck(kHealthChecks[5]); }

// The checks of the machine-wide lists repair under HKEY_LOCAL_MACHINE.
void HealthForm::runMachineCheck(const HealthCheck& check) {
  if (!running_ && haveAdministratorRights(
                       app_, app_.localizer.text("8117", "Repairing the machine's own lists")))
    runCheck(check);
}
void HealthForm::Command1_Click() { app_.forms.Unload(*this); }

}  // namespace corvanta
