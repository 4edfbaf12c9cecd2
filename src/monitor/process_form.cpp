// Geometry is in twips, as designed. The list is rebuilt whenever the set of
// processes changes, not only their number, so that a row never names a
// process that has ended and given its identifier to another.
#include "monitor/process_form.h"

#include <algorithm>
#include <array>

#include "base/resume.h"
#include "base/text.h"
#include "core/app_context.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
#include "core/log/error_log.h"
#include "core/skin_form.h"
#include "platform/dialogs_port.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr std::array<const char*, 7> kCriticalNames = {
    "system", "smss.exe", "csrss.exe", "wininit.exe", "winlogon.exe", "services.exe", "lsass.exe"};

}  // namespace

std::string FileNameFromPath(const std::string& path) {
  const std::size_t separator = path.find_last_of('\\');
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool Kill_Process(AppContext& app, const ProcessEntry& listed) {
  ErrorLog log = programLog(app);
  ProcessPort& processes = app.processes;
  const auto failed = [&](const char* what) {
    log.LogError(static_cast<std::int32_t>(processes.lastError()), what, "mdlMisc", "Kill_Process");
  };
  const std::uintptr_t process =
      processes.openProcess(kProcessTerminate | kProcessQueryInformation, listed.id);
  if (!process) failed("OpenProcess failed");
  // The handle holds the process it opened: if that one did not start when
  // the listed one did, the listed one has ended and its identifier has gone
  // to another program, which is left alone. A start that cannot be told
  // counts as another program.
  if (process) {
    const auto created = processes.creationTime(process);
    if (!created || *created != listed.created) {
      log.LogError(0, "the process is not the one listed", "mdlMisc", "Kill_Process");
      processes.closeHandle(process);
      return false;
    }
  }
  std::uint32_t exitCode = 0;
  if (!processes.getExitCode(process, exitCode)) failed("GetExitCodeProcess failed");
  const bool terminated = processes.terminate(process, exitCode);
  if (!terminated) failed("TerminateProcess failed");
  if (!processes.closeHandle(process)) failed("CloseHandle failed");
  return terminated;
}

ProcessForm::ProcessForm(AppContext& app)
    : ui::Form("enumfrm", "Process manager", 6900, 5640), app_(app) {
  setResizable(true);
  setTag("7002");
  add(ControlKind::SkinLabel, "SkinLabel1")
      .caption(
          "You can free up some memory by terminating some processes resident in memory "
          "and may be unused.")
      .tag("3010")
      .at(120, 120, 6495, 495);
  auto& frame = add(ControlKind::Frame, "Frame1").at(120, 660, 6495, 3855);
  add(ControlKind::ListView, "info")
      .at(60, 120, 6375, 3675)
      .in(frame)
      .setColumns({{"Process Name", 3529, "8600"}, {"Process ID", 2540, "8601"}});
  add(ControlKind::SkinLabel, "label2").at(120, 4680, 3600, 255);
  add(ControlKind::Button, "terminatecmd")
      .caption("Terminate")
      .tag("1013")
      .at(3960, 4620, 1215, 375);
  add(ControlKind::Button, "Command1")
      .caption("Close")
      .tag("1018")
      .at(5400, 4620, 1215, 375)
      .asDefault()
      .asCancel();
  setHelpTopic("process-manager.html");
  addTimer("Timer1", 1000).onTick = [this] { Display(); };
  addTimer("Timer2", 100).onTick = [this] { Timer2_Timer(); };

  onLoad = [this] { Form_Load(); };
  control("terminatecmd").onClick = [this] { terminatecmd_Click(); };
  control("Command1").onClick = [this] { Command1_Click(); };
}

void ProcessForm::Form_Load() {
  Display();
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  for (const char* name : {"Timer1", "Timer2"}) setTimerEnabled(timer(name), true);
}

void ProcessForm::Display() {
  std::vector<ProcessEntry> processes;
  if (!app_.processes.snapshot(processes) || processes == shown_) return;
  ui::Control& list = control("info");
  const ProcessEntry* before = selected();
  const std::uint32_t selectedId = before ? before->id : 0;
  const bool hadSelection = before != nullptr;
  std::vector<std::vector<std::string>> rows;
  rows.reserve(processes.size());
  int keep = -1;
  for (const ProcessEntry& process : processes) {
    if (hadSelection && process.id == selectedId) keep = static_cast<int>(rows.size());
    rows.push_back({FileNameFromPath(process.exeName), std::to_string(process.id)});
  }
  shown_ = std::move(processes);
  list.setRows(std::move(rows));
  list.setListIndex(keep);
}

const ProcessEntry* ProcessForm::selected() const {
  const int row = control("info").ListIndex();
  if (row < 0 || static_cast<std::size_t>(row) >= shown_.size()) return nullptr;
  return &shown_[static_cast<std::size_t>(row)];
}

std::string ProcessForm::refusal(const ProcessEntry& process) {
  const std::string name = FileNameFromPath(process.exeName);
  if (process.id == app_.processes.currentProcessId()) {
    return app_.localizer.text("8602", "%1 is this program: close it with its own window instead.",
                               {name});
  }
  bool critical = false;
  if (const auto marked = app_.processes.isCritical(process.id)) {
    critical = *marked;
  } else {
    critical = std::any_of(kCriticalNames.begin(), kCriticalNames.end(),
                           [&](const char* known) { return equalsIgnoringCase(name, known); });
  }
  if (critical) {
    return app_.localizer.text(
        "8603", "%1 is a part of Windows: ending it would end the session and lose unsaved work.",
        {name});
  }
  return {};
}

void ProcessForm::terminatecmd_Click() {
  const ProcessEntry* chosen = selected();
  if (!chosen) return;
  const ProcessEntry process = *chosen;
  if (const std::string why = refusal(process); !why.empty()) {
    app_.dialogs.messageBox(why, kAppTitle, kMbOk | kMbIconError);
    return;
  }
  // The identifier may have gone to another program since the list was made.
  std::vector<ProcessEntry> now;
  const bool current =
      app_.processes.snapshot(now) && std::find(now.begin(), now.end(), process) != now.end();
  if (current && !Kill_Process(app_, process)) {
    app_.dialogs.messageBox(app_.localizer.text("8604", "The process %1 could not be ended.",
                                                {FileNameFromPath(process.exeName)}),
                            kAppTitle, kMbOk | kMbIconError);
  }
  Display();
  resumeNext([&] { control("info").setListIndex(0); });
}

void ProcessForm::Timer2_Timer() {
  const ProcessEntry* process = selected();
  control("label2").setCaption(process ? FileNameFromPath(process->exeName) : std::string());
}

void ProcessForm::Command1_Click() { app_.forms.Unload(*this); }

}  // namespace corvanta
