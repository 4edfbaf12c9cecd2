// Taking a change group back: each change undone newest first, through the
// journaling registry so that the undo is itself a group that can be undone.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/changes/change_journal.h"

namespace corvanta {

class DesktopPort;
class FilePort;
class RegistryPort;

struct UndoOutcome {
  std::vector<std::string> failed;   // changes that could not be taken back
  std::vector<std::string> skipped;  // changed since, and the user kept that
};

// Asked for a value something else changed since the program wrote it
// (`now` is what it holds): true puts the earlier value back anyway.
using AskOverwrite = std::function<bool(const Change& change, const ValueState& now)>;

class Undo {
 public:
  Undo(RegistryPort& registry, FilePort& files, DesktopPort& desktop, ChangeJournal& journal,
       AskOverwrite ask)
      : registry_(registry),
        files_(files),
        desktop_(desktop),
        journal_(journal),
        ask_(std::move(ask)) {}

  // Takes the group back; it counts as undone when every change was.
  UndoOutcome group(const ChangeGroup& group);
  // Every group still in effect (neither undone nor an undo), newest first.
  UndoOutcome all();

 private:
  bool value(const Change& change, UndoOutcome& outcome);
  bool key(const Change& change);
  bool file(const Change& change, UndoOutcome& outcome);
  bool parameter(const Change& change, UndoOutcome& outcome);

  RegistryPort& registry_;
  FilePort& files_;
  DesktopPort& desktop_;
  ChangeJournal& journal_;
  AskOverwrite ask_;
};

}  // namespace corvanta
