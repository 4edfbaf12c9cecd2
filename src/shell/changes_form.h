// The Changes window, opened from the main window's top bar: every change
// group the journal holds, newest first, the selected group's changes, and
// Undo (the selected group) and Undo all (every group still in effect);
// Archives... lists instead an archive the journal was compacted to, to
// read only.
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
  void archivecmd_Click();
  void undocmd_Click();
  void undoallcmd_Click();

 private:
  void fill();
  // What an undo could not do, and what the restore point asked for first
  // came to, in one message.
  void tell(const UndoOutcome& outcome, const std::string& restorePoint = {});
  // What a change found (`then`) or left, and the page or check a group
  // came from, in the window's words.
  std::string state(const Change& change, const ValueState& then, bool found);
  std::string shownSource(const std::string& source);

  AppContext& app_;
  std::vector<GroupSummary> groups_;  // newest first, as listed
  ChangeGroup chosen_;                // the chosen group, whole
  bool undoAllowed_ = true;          // not turned off by the organisation
  std::string archive_;              // the archive listed, to read only; empty: the journal
};

}  // namespace corvanta
