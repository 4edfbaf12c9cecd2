// The Changes window, opened from the main window's top bar: every change
// group the journal holds, newest first, the selected group's changes, and
// Undo (the selected group) and Undo all (every group still in effect).
#pragma once

#include <vector>

#include "core/changes/change_journal.h"
#include "ui/form.h"

namespace corvanta {

struct AppContext;
struct UndoOutcome;

class ChangesForm : public ui::Form {
 public:
  explicit ChangesForm(AppContext& app);

  void Form_Load();
  void groups_Click();
  void undocmd_Click();
  void undoallcmd_Click();

 private:
  void fill();
  void tell(const UndoOutcome& outcome);

  AppContext& app_;
  std::vector<ChangeGroup> groups_;  // newest first, as listed
};

}  // namespace corvanta
