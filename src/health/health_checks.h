// The six checks of the System Health window, one unit each, and what a
// run of any of them works with.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <unordered_map>

#include "core/changes/change_journal.h"
#include "health/check_progress.h"
#include "health/check_support.h"
#include "health/findings.h"
#include "health/reg_export.h"
#include "registry/registry_lists.h"
#include "health/registry_scope.h"
#include "registry/registry_routines.h"

namespace corvanta {

struct AppContext;
class HealthRun;

// The six checks, in the window's order, as the window and the command line
// know them.
struct HealthCheck {
  const char* id;      // "removal": the command line's name, and a finding's
  const char* name;    // "Software removal entries": the journal's and the command line's
  const char* nameId;  // the language ID of the name the windows and notices show
  void (*run)(HealthRun&);
  bool machineWide;  // repairs under HKEY_LOCAL_MACHINE: administrators only
};

// What a run of a check came to: how many entries it found broken (those on
// the ignore list left out) and how many it repaired, each entry it found
// broken but left in place with why, and the findings in the order found.
struct CheckOutcome {
  std::size_t found = 0;
  std::size_t repaired = 0;
  std::vector<std::string> kept;
  std::vector<Finding> findings;
};

// Which of a check's findings to repair: all of them (the window, as
// designed), the ones the user ticks (review), or none (a report). It may
// clear `chosen`; it may also put entries on the ignore list.
using ChooseRepairs = std::function<void(std::vector<Finding>& found, IgnoreList& ignored)>;

class HealthRun {
 public:
  HealthRun(AppContext& app, CheckProgress& progress, const HealthCheck& check);

  AppContext& app;
  CheckProgress& progress;
  RegistryRoutines routines;
  PresenceTest presence;
  const HealthCheck& check;
  // Null: every finding is repaired.
  ChooseRepairs choose;
  // Read from the settings when the run starts; saved back when `choose`
  // changed it.
  IgnoreList ignored;
  // What the run has come to so far; whole once the check returns.
  CheckOutcome outcome;
  // The drive the shortcut walk covers ("C:").
  std::string drive;

  // Takes the entries on the ignore list off `entries`, records the others
  // as findings (`describe` tells what each is), asks `choose` which to
  // repair and keeps only those on `entries`. Returns how many were found.
  template <class Entry, class Describe>
  std::size_t settle(std::vector<Entry>& entries, Describe describe) {
    std::vector<Entry> listed;
    std::vector<Finding> found;
    for (Entry& entry : entries) {
      Finding finding = describe(entry);
      finding.check = check.id;
      if (ignored.contains(finding.entry())) continue;
      found.push_back(std::move(finding));
      listed.push_back(std::move(entry));
    }
    chooseAmong(found);
    entries.clear();
    std::size_t count = 0;
    for (std::size_t i = 0; i < found.size(); ++i) {
      // What the user has just ignored is neither repaired nor reported.
      if (ignored.contains(found[i].entry())) continue;
      if (found[i].chosen) entries.push_back(std::move(listed[i]));
      findingAt_.emplace(found[i].entry(), outcome.findings.size());
      outcome.findings.push_back(std::move(found[i]));
      ++count;
    }
    outcome.found = count;
    return count;
  }
  // The entry `finding` names was deleted: the run's finding says so, with
  // the backup that holds it.
  void markRepaired(const Finding& finding);

  // Shows `text` in the window's status line, at most every 40 ms (a person
  // reads no faster; per folder, the line cost a walk more than its files).
  // Forced, it shows at once.
  void showStatus(const std::string& text, bool force = false);

  // Whether the file a path names is there for the programs of the scope's
  // view (pathReadings): missing only when every reading is missing.
  bool isPresent(const std::string& path, const RegistryScope& scope);

  // The repair every check ends with, written once: `backUp` writes the
  // backup of the entries chosen, taking off those it cannot hold (false
  // when it cannot be written at all: then nothing is deleted); each entry
  // is then deleted (`remove`, true when it is gone; from the last when
  // `lastFirst`) with the bar moving, and marked repaired (`describe` gives
  // its finding); `ended` (told whether the backup was written) runs before
  // the count is shown, and what would not go is told in one notice.
  template <class Entry, class BackUp, class Remove, class Describe>
  void repair(std::vector<Entry>& entries, BackUp backUp, Remove remove, Describe describe,
              bool lastFirst, const std::function<void(bool backedUp)>& ended = {}) {
    if (!backUp(entries)) {
      if (ended) ended(false);
      progress.setRepaired(0);
      return;
    }
    progress.setMaximumFor(entries.size());
    std::size_t deleted = 0;
    {
      // The journal keeps its lock from one delete's line to the next.
      const JournalLockHeld held(journal());
      for (std::size_t done = 0; done < entries.size(); ++done) {
        progress.setPosition(done);
        const Entry& entry = entries[lastFirst ? entries.size() - 1 - done : done];
        if (remove(entry)) {
          ++deleted;
          markRepaired(describe(entry));
        }
      }
    }
    if (ended) ended(true);
    outcome.repaired = deleted;
    progress.setRepaired(deleted);
    tellKept();
  }
  // The same for a registry check: its entries backed up in one .reg file.
  // Whole keys below the scopes...
  void repairKeyTrees(const std::vector<RegistryScope>& scopes, std::vector<ScopedEntry>& keys);
  // ... or values, each in its scope's key or a sub-key of it, deleted from
  // the last to the first (the order a key gives up its values fastest in).
  struct ValueEntry {
    const RegistryScope* scope;
    std::string subKey;  // empty: the scope's key itself
    std::string name;
    // The value as the check's enumeration read it, which its backup then
    // holds without reading it again; null: read for the backup.
    const RegistryValue* seen = nullptr;
  };
  void repairValues(std::vector<ValueEntry>& values);
  // Every sub-key of the scopes' keys, handed to `judge` one by one with
  // the bar moving over them.
  void forEachSubKey(const std::vector<RegistryScope>& scopes,
                     const std::function<void(const RegistryScope&, const ScopedEntry&)>& judge);

  // Where the last backup written went.
  std::string backupWritten;

  std::vector<std::string> kept;
  // One notice naming what the check found broken but kept (no backup could
  // hold it, or it would not be deleted: no rights, in use), each also
  // written to the error log; the list is emptied. Nothing when there was none.
  void tellKept();

 private:
  void chooseAmong(std::vector<Finding>& found);
  ChangeJournal& journal();
  // Writes the backup of the registry entries `gather` adds before any of
  // them is deleted. False when it cannot be written: the user has been told
  // and nothing may be deleted.
  bool backUpRegistry(const std::function<bool(RegExport&)>& gather);
  // The same, entry by entry: `add` puts one entry in the file. An entry
  // that cannot be put there (a name no .reg line can carry, a key that can
  // no longer be read) is taken off `entries` and kept, and named with the
  // others kept. True, writing nothing, when there are no entries.
  template <class Entry, class Add, class Name>
  bool backUpEach(std::vector<Entry>& entries, Add add, Name shownAs) {
    return entries.empty() || backUpRegistry([&](RegExport& out) {
             std::erase_if(entries, [&](const Entry& entry) {
               if (add(out, entry)) return false;
               keptWithoutBackup(shownAs(entry));
               return true;
             });
             return true;
           });
  }

  // Deletes the whole key, or the value, then looks again: true when it is
  // gone. What is still there goes on the run's kept list, by `shownAs`.
  bool deleteKeyTree(const RegistryScope& scope, const std::string& path,
                     const std::string& shownAs);
  // `writable`, when given, is the key itself opened to delete values
  // through: a repair of thousands of values opens it once, not once each.
  bool deleteValue(RegKey key, const std::string& subKey, const std::string& name,
                   const std::string& shownAs, RegKey writable = 0);
  // Puts an entry no backup could hold on the kept list.
  void keptWithoutBackup(const std::string& shownAs);
  // Where each finding is in `findings`, by its entry: a repair of ten
  // thousand entries must not look through all of them each time.
  std::unordered_map<std::string, std::size_t> findingAt_;
  std::chrono::steady_clock::time_point statusShown_{};
  std::string windowsFolder_;  // asked once: every path reading needs it
};

// Runs a check as a function of what it reads: its changes one group of the
// journal, its progress told to `progress`, the shortcut walk over `drive`
// ("C:"), the findings to repair chosen by `choose` (null: all). What it
// came to is returned.
CheckOutcome runHealthCheck(AppContext& app, CheckProgress& progress, const HealthCheck& check,
                            const std::string& drive, ChooseRepairs choose = nullptr);

// The program an application path's command line starts, normalised (lower
// case, quotes as spaces, trimmed): a quoted first part, or the text up to
// the first ".exe", ".com", ".bat" or ".cmd" that ends a word, or the whole.
std::string programOfCommand(const std::string& command);
// The same part of the command as it is written (the report's target).
std::string programPart(const std::string& command);

// Adds every shortcut file (a name ending in "lnk", any case) in `folder`
// and below to `lnklst`, subfolders first, showing the folder it is in on
// the window's status line (a few dozen times a second) and letting its
// events run once per folder.
void FindShortcutFiles(HealthRun& run, const std::string& folder, SortedList& lnklst);

void RemovalCheck(HealthRun& run);           // uninstall entries without an uninstall command
void AppPathsCheck(HealthRun& run);          // application paths whose program is missing
void OrphanShortcutsCheck(HealthRun& run);   // shortcuts whose target is missing
void HistoriesCheck(HealthRun& run);         // open/save dialog histories of missing files
void HelpFilesCheck(HealthRun& run);         // help registrations of missing files
void SharedComponentsCheck(HealthRun& run);  // shared-file counts of missing files


// A finding for the key `name` below the scope, or for a value of the key
// `subKey` below it (empty: the scope's own key).
Finding keyFinding(const RegistryScope& scope, const std::string& name, std::string target,
                   std::string reason);
Finding valueFinding(const RegistryScope& scope, const std::string& subKey, std::string value,
                     std::string target, std::string reason);

extern const std::array<HealthCheck, 6> kHealthChecks;
const HealthCheck* findHealthCheck(const std::string& id);

// "64-bit", "32-bit", "both" or "" (a system of one view), as a finding names
// the programs whose entry it is.
std::string viewName(ScopeView view);

// The check's name as the windows and notices show it, in the language.
std::string shownName(AppContext& app, const HealthCheck& check);

}  // namespace corvanta
