// What careful users and administrators rely on: a restore point asked for
// before the first change of every action that may change much, what an
// organisation sets by policy held in the windows and refused on the
// command line, and a portable program that keeps its own files beside it.
#include <gtest/gtest.h>

#include <functional>

#include "core/policies.h"
#include "fakes/app_harness.h"
#include "health/health_form.h"
#include "health/review_form.h"
#include "shell/changes_form.h"
#include "shell/command_line.h"
#include "shell/main_form.h"

namespace corvanta {
namespace {

using testing::AppHarness;

constexpr RegKey kHklm = kHkeyLocalMachine;
constexpr RegKey kHkcu = kHkeyCurrentUser;
const std::string kSharedDlls = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const std::string kGone = "C:\\tools\\gone.dll";
const std::string kSettingsFile = "C:\\out\\settings.ini";

// A machine with one broken shared-component entry and a settings file
// that ticks "Remove the Run command".
struct Machine {
  explicit Machine(bool portable = false) : app(portable) {
    app.files.addFolder(app.shell.appData);
    app.files.addFolder("C:\\out");
    app.files.addFile(kSettingsFile, "[Start Menu]\r\nrunchk=1\r\n");
    app.registry.putDword(kHklm, kSharedDlls, kGone, 1);
  }
  int run(std::vector<std::string> args) {
    printed.clear();
    return runCommandLine(app.context, args,
                          [&](const std::string& line) { printed += line + '\n'; });
  }
  bool goneThere() const { return app.registry.value(kHklm, kSharedDlls, kGone).has_value(); }
  // The broken entry again, a minute on (a backup's name holds its time).
  void breakAgain() {
    app.registry.putDword(kHklm, kSharedDlls, kGone, 1);
    ++app.system.now.minute;
  }
  // The notes the journal's groups carry, oldest first.
  std::vector<std::string> notes() {
    std::vector<std::string> found;
    for (const ChangeGroup& group : app.journal.groups())
      if (!group.note.empty()) found.push_back(group.note);
    return found;
  }

  AppHarness app;
  std::string printed;
};

void repairInTheWindow(Machine& machine) {
  HealthForm health(machine.app.context);
  machine.app.forms.Load(health);
  health.control("check6cmd").click();
  machine.app.forms.Unload(health);
}

// Each entry point asks once, with nothing written before it, and records
// the outcome with the first group it changes the machine in.
TEST(RestorePoint, EveryActionAsksOnceBeforeItsFirstWriteAndRecordsWhatItCameTo) {
  const auto importFirst = [](Machine& machine) {
    machine.run({"/import-settings", kSettingsFile, "/no-restore-point"});
  };
  struct Case {
    const char* action;
    std::function<void(Machine&)> before;
    std::function<void(Machine&)> act;
  };
  const Case cases[] = {
      {"System Health window", {}, repairInTheWindow},
      {"/health /repair", {}, [](Machine& m) { m.run({"/health", "/checks", "shared", "/repair"}); }},
      {"/import-settings", {}, [](Machine& m) { m.run({"/import-settings", kSettingsFile}); }},
      {"/undo-all", importFirst, [](Machine& m) { m.run({"/undo-all"}); }},
      {"Changes window Undo all", importFirst,
       [](Machine& m) {
         ChangesForm changes(m.app.context);
         m.app.forms.Load(changes);
         changes.control("undoallcmd").click();
       }},
  };
  for (const Case& each : cases) {
    Machine machine;
    if (each.before) each.before(machine);
    ASSERT_TRUE(machine.app.restorePointPort.requests.empty()) << each.action;
    const int writes = machine.app.restorePointPort.writes();
    each.act(machine);
    const auto& requests = machine.app.restorePointPort.requests;
    ASSERT_EQ(1u, requests.size()) << each.action;
    EXPECT_EQ(writes, requests[0].writesBefore) << each.action << ": asked before the first write";
    EXPECT_GT(machine.app.restorePointPort.writes(), writes) << each.action;
    EXPECT_EQ(0u, requests[0].description.rfind("Corvanta: before ", 0)) << each.action;
    EXPECT_EQ(std::vector<std::int64_t>{7}, machine.app.restorePointPort.ended) << each.action;
    EXPECT_EQ(std::vector<std::string>{"restore point made (number 7)"}, machine.notes())
        << each.action << ": recorded once, with the first group";
  }
}

// Every answer System Restore can give, as the report and the window tell
// it; a restore point not wanted is not asked for, and an action that
// changes nothing asks for none.
TEST(RestorePoint, EachOutcomeIsReportedAndNoneIsAskedForWhatChangesNothing) {
  struct Case {
    std::optional<RestorePointReply> reply;
    const char* reported;
  };
  const Case cases[] = {
      {std::nullopt, "no restore point: System Restore is not available on this system"},
      {RestorePointReply{true, 0, 0}, "no restore point: System Restore is not available"},
      {RestorePointReply{false, 0, 0}, "no restore point: System Restore is not available"},
      {RestorePointReply{false, 1058, 0}, "no restore point: System Protection is off"},
      {RestorePointReply{false, 1460, 0}, "no restore point: System Restore failed (error 1460)"},
      {RestorePointReply{true, 0, 12}, "restore point made (number 12)"},
      // The same number again: Windows kept the one it made earlier today.
      {RestorePointReply{true, 0, 12}, "no new restore point: Windows makes one a day, and keeps "
                                       "restore point 12 from the last 24 hours"},
  };
  Machine machine;
  for (const Case& each : cases) {
    machine.breakAgain();
    machine.app.restorePointPort.reply = each.reply;
    EXPECT_EQ(kExitRepaired, machine.run({"/health", "/checks", "shared", "/repair", "/report",
                                          "C:\\out\\r.json"}));
    const std::string report = machine.app.files.contents("C:\\out\\r.json");
    EXPECT_NE(std::string::npos, report.find("\"restorePoint\": \"" + std::string(each.reported)))
        << report;
    const auto notes = machine.notes();
    ASSERT_FALSE(notes.empty()) << each.reported;
    EXPECT_NE(std::string::npos, notes.back().find(each.reported)) << each.reported;
  }
  const std::size_t asked = machine.app.restorePointPort.requests.size();
  EXPECT_EQ(kExitSuccess, machine.run({"/health", "/checks", "shared", "/repair"}));
  machine.breakAgain();
  EXPECT_EQ(kExitRepaired, machine.run({"/health", "/checks", "shared", "/repair",
                                        "/no-restore-point", "/report", "C:\\out\\r.csv"}));
  EXPECT_EQ(asked, machine.app.restorePointPort.requests.size()) << "nothing found, none wanted";
  EXPECT_NE(std::string::npos, machine.app.files.contents("C:\\out\\r.csv")
                                   .find(",no restore point asked for (/no-restore-point)\r\n"));

  // The window says it once, in the user's language, and keeps the box.
  machine.breakAgain();
  machine.app.restorePointPort.reply = RestorePointReply{true, 0, 13};
  HealthForm health(machine.app.context);
  machine.app.forms.Load(health);
  health.control("check6cmd").click();
  EXPECT_EQ("Restore point 13 made.", health.control("restorelabel").Caption());
  health.control("restorechk").valueFromUser(ui::kUnchecked);
  machine.app.forms.Unload(health);
  HealthForm again(machine.app.context);
  machine.app.forms.Load(again);
  EXPECT_EQ(ui::kUnchecked, again.control("restorechk").Value());
  machine.breakAgain();
  again.control("check6cmd").click();
  EXPECT_FALSE(machine.goneThere());
  EXPECT_EQ(asked + 1, machine.app.restorePointPort.requests.size()) << "not asked when unticked";
}

// Each policy, set by the machine or the user, as the windows hold it and
// the command line refuses it (exit code 5, nothing changed).
TEST(Policies, EachIsHeldInTheWindowsAndRefusedOnTheCommandLine) {
  struct Case {
    RegKey root;
    const char* value;
    std::uint32_t dword;  // a DWORD policy's value, else the text's
    const char* text;
    std::vector<std::string> refused;
    std::function<void(Machine&)> window;  // checks what the windows show
  };
  const auto healthWindow = [](Machine& m, const std::function<void(HealthForm&)>& check) {
    HealthForm health(m.app.context);
    m.app.forms.Load(health);
    check(health);
    m.app.forms.Unload(health);
  };
  const Case cases[] = {
      {kHklm, kPolicyDisableRepairs, 1, "", {"/health", "/repair"},
       [&](Machine& m) {
         healthWindow(m, [&](HealthForm& health) {
           EXPECT_EQ(ui::kChecked, health.control("reviewchk").Value());
           EXPECT_FALSE(health.control("reviewchk").Enabled());
           bool repairOffered = true;
           m.app.windows.whileModal = [&](ui::Form& shown) {
             repairOffered = shown.control("repaircmd").Enabled();
             EXPECT_EQ("Set by your organisation", shown.control("repaircmd").ToolTipText());
           };
           health.control("check6cmd").click();
           EXPECT_FALSE(repairOffered);
           EXPECT_TRUE(m.goneThere()) << "the check only reports";
         });
       }},
      {kHkcu, kPolicyForceReview, 1, "", {"/health", "/checks", "shared", "/repair"},
       [&](Machine& m) {
         healthWindow(m, [](HealthForm& health) {
           EXPECT_EQ(ui::kChecked, health.control("reviewchk").Value());
           EXPECT_FALSE(health.control("reviewchk").Enabled());
         });
       }},
      {kHklm, kPolicyRequireRestorePoint, 1, "", {"/import-settings", kSettingsFile, "/no-restore-point"},
       [&](Machine& m) {
         healthWindow(m, [](HealthForm& health) {
           EXPECT_EQ(ui::kChecked, health.control("restorechk").Value());
           EXPECT_FALSE(health.control("restorechk").Enabled());
         });
       }},
      {kHklm, kPolicyDisableUndo, 1, "", {"/undo-last"},
       [](Machine& m) {
         ChangesForm changes(m.app.context);
         m.app.forms.Load(changes);
         EXPECT_FALSE(changes.control("undoallcmd").Enabled());
         EXPECT_FALSE(changes.control("undocmd").Enabled());
       }},
      {kHkcu, kPolicyDisabledPages, 0, "Visual; monitor,health", {"/import-settings", kSettingsFile},
       [](Machine& m) {
         MainForm main(m.app.context);
         m.app.forms.Load(main);
         EXPECT_FALSE(main.control("Command4").Visible());
         EXPECT_FALSE(main.control("Command3").Visible());
         EXPECT_FALSE(main.control("cpucmd").Visible());
         EXPECT_FALSE(main.control("VisualFrame").Visible());
         EXPECT_TRUE(main.control("drivesframe").Visible()) << "the first page left is shown";
         EXPECT_EQ(165, main.control("Command5").Top()) << "the buttons close up";
         m.app.forms.Unload(main);
       }},
  };
  for (const Case& each : cases) {
    Machine machine;
    machine.run({"/import-settings", kSettingsFile, "/no-restore-point"});  // something to undo
    machine.app.registry.putDword(kHkcu,
                                  "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                                  "NoRun", 0);
    if (*each.text)
      machine.app.registry.putString(each.root, kPoliciesKey, each.value, each.text);
    else
      machine.app.registry.putDword(each.root, kPoliciesKey, each.value, each.dword);
    const int writes = machine.app.restorePointPort.writes();
    EXPECT_EQ(kExitPolicy, machine.run(each.refused)) << each.value << machine.printed;
    EXPECT_NE(std::string::npos, machine.printed.find(each.value)) << machine.printed;
    EXPECT_EQ(writes, machine.app.restorePointPort.writes()) << each.value << ": nothing changed";
    each.window(machine);
    // The machine's word wins over the user's.
    if (each.root == kHkcu && !*each.text) {
      machine.app.registry.putDword(kHklm, kPoliciesKey, each.value, 0);
      EXPECT_NE(kExitPolicy, machine.run(each.refused)) << each.value;
    }
  }
}

// Portable: the settings, the journal, the backups and the log live in Data
// beside the program; nothing of the program's own goes to the registry's
// program settings or the profile.
TEST(Portable, ApplyARepairAndUndoAllKeepEverythingOfTheProgramsOwnInData) {
  Machine machine(true);
  AppHarness& app = machine.app;
  const std::string data = app.appFolder + "\\Data";
  {
    MainForm main(app.context);
    app.forms.Show(main);
    main.control("runchk").valueFromUser(1);
    main.control("applymenu").click();
    app.forms.Unload(main);
  }
  HealthForm health(app.context);
  app.forms.Load(health);
  health.control("reviewchk").valueFromUser(ui::kChecked);
  health.control("reviewchk").valueFromUser(ui::kUnchecked);
  health.control("check6cmd").click();
  app.forms.Unload(health);
  EXPECT_FALSE(machine.goneThere());
  {
    ChangesForm changes(app.context);
    app.forms.Load(changes);
    changes.control("undoallcmd").click();
  }
  EXPECT_TRUE(machine.goneThere()) << "undone from the journal in Data";

  EXPECT_FALSE(app.registry.hasKey(kHkcu, "Software\\VB and VBA Program Settings"));
  for (const std::string& path : app.files.paths()) {
    EXPECT_NE(0u, path.rfind(app.shell.appData + "\\", 0)) << path;
    EXPECT_NE(0u, path.rfind(app.shell.localAppData + "\\", 0)) << path;
  }
  EXPECT_TRUE(app.files.exists(data + "\\changes.log"));
  EXPECT_TRUE(app.files.exists(data + "\\Settings\\Corvanta\\health.ini"));
  EXPECT_EQ("0", app.settings.GetSetting(kSettingsApplication, "health", "review"));
  std::vector<FileEntry> backups;
  EXPECT_EQ(kErrorSuccess, app.files.findFiles(data + "\\Backups\\*.reg", backups));
  EXPECT_EQ(data + "\\PROGRAM.LOG", app.folders.logFile(app.appFolder));
}

}  // namespace
}  // namespace corvanta
