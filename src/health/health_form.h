// The System Health window, pchealth, opened modally from the main window:
// six checks, each in a frame of its own with one "Check && Repair" button
// that finds and repairs in one click, after writing a backup of what it
// deletes. With "Review before repairing" ticked, each check first lists
// what it found, for the user to choose; the entries the user ignored are
// listed below, and can be taken off the list. A restore point is asked of
// Windows before a repair's first change unless the user says not to; what
// an organisation set by policy (no repairs, always review, always a
// restore point) holds the boxes.
#pragma once

#include "health/findings.h"
#include "ui/form.h"

namespace corvanta {

struct AppContext;
struct HealthCheck;

class HealthForm : public ui::Form {
 public:
  explicit HealthForm(AppContext& app);

  void Form_Load();
  void Form_QueryUnload(bool& cancel);
  void checkcmd_Click();
  void check2cmd_Click();
  void check3cmd_Click();
  void check4cmd_Click();
  void check5cmd_Click();
  void check6cmd_Click();
  void Command1_Click();
  void reviewchk_Click();
  void restorechk_Click();
  void unignorecmd_Click();

 private:
  void declareControls();
  void showIgnored();
  // Runs one check with every button (Close included) disabled, so that no
  // second check and no close can start while it deletes; a close asked
  // for meanwhile happens once the check is done.
  void runCheck(const HealthCheck& check);
  // The same, for a check that repairs under HKEY_LOCAL_MACHINE: refused
  // before it starts without administrator rights.
  void runMachineCheck(const HealthCheck& check);

  AppContext& app_;
  IgnoreList ignored_;  // as listed
  bool running_ = false;
  bool closeWhenDone_ = false;
};

}  // namespace corvanta
