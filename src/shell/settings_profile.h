// The tweak pages' settings as an INI file a person can read and edit: one
// section per page, one key per control, each value as the page shows it
// (a box 0 or 1, a slider its position, a field its text). Importing sets
// each control that differs as a user would, then presses the page's Apply,
// so what is written, and recorded for undo, is what the window writes; the
// outcome is what the journal recorded, not what the controls show.
#pragma once

#include <string>
#include <vector>

#include "core/changes/change_journal.h"

namespace corvanta {

struct AppContext;

// The settings as the pages read them now.
std::string exportSettings(AppContext& app);

struct ImportOutcome {
  // Why nothing was applied (a line that cannot be read, an unknown
  // section or key, a value the control cannot take), one line; empty when
  // the file was applied.
  std::string refused;
  bool refusedByPolicy = false;  // refused: a page the organisation turned off
  std::vector<Change> written;          // what the journal recorded, as made
  std::vector<std::string> notApplied;  // "Page: key": set, but no Apply wrote it
  bool journalRefused = false;          // a change was not made: no record of it
};

// Applies `text` (an exported file, edited or not). Everything is checked
// before anything is set: a file with one bad line changes nothing.
ImportOutcome importSettings(AppContext& app, const std::string& text);

}  // namespace corvanta
