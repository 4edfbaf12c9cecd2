// What a check found, listed before anything is repaired: each entry with
// its view and why it is judged broken, a tick box each. Repair repairs the
// ticked ones; Ignore puts the selected one on the ignore list, so that no
// later run reports it; Cancel (or the close box) repairs nothing.
#pragma once

#include <vector>

#include "health/findings.h"
#include "ui/form.h"

namespace corvanta {

struct AppContext;
struct HealthCheck;

class ReviewForm : public ui::Form {
 public:
  // `found`'s `chosen` flags are set when the window closes; entries the
  // user ignores go on `ignored`. Without `repairs` (turned off by policy)
  // the list only shows what was found: Repair stays disabled.
  ReviewForm(AppContext& app, const HealthCheck& check, std::vector<Finding>& found,
             IgnoreList& ignored, bool repairs = true);

  void Form_Load();
  void repaircmd_Click();
  void ignorecmd_Click();
  void cancelcmd_Click();

 private:
  void fill();
  // Each finding's row: its entry, and its view and reason, which a report
  // gives in English, as the list shows them.
  std::vector<std::vector<std::string>> describeFindings();

  AppContext& app_;
  std::vector<Finding>& found_;
  IgnoreList& ignored_;
  bool repairs_;
  std::vector<std::size_t> shown_;  // the row's finding
  std::vector<bool> ticked_;        // by finding: all ticked at first
  std::vector<std::vector<std::string>> rowOf_;  // by finding, once described
};

}  // namespace corvanta
