// The six checks of the System Health window, one unit each, and what a
// run of any of them works with.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "health/check_support.h"
#include "health/reg_export.h"
#include "health/registry_scope.h"
#include "registry/registry_routines.h"

namespace corvanta {

struct AppContext;
namespace ui {
class Form;
}

class HealthRun {
 public:
  HealthRun(AppContext& app, ui::Form& form);

  AppContext& app;
  ui::Form& form;
  RegistryRoutines routines;
  PresenceTest presence;

  // Shows `text` in the window's status line, at most every 40 ms (a person
  // reads no faster; per folder, the line cost a walk more than its files).
  // Forced, it shows at once.
  void showStatus(const std::string& text, bool force = false);

  // Whether the file a path names is there for the programs of the scope's
  // view (pathReadings): missing only when every reading is missing.
  bool isPresent(const std::string& path, const RegistryScope& scope);

  // Writes the backup of the registry entries `gather` adds before any of
  // them is deleted. False when it cannot be written: the user has been told
  // and nothing may be deleted.
  bool backUpRegistry(const std::string& check, const std::function<bool(RegExport&)>& gather);
  // The same, entry by entry: `add` puts one entry in the file. An entry
  // that cannot be put there (a name no .reg line can carry, a key that can
  // no longer be read) is taken off `entries` and kept, and named with the
  // others kept. True, writing nothing, when there are no entries.
  template <class Entry, class Add, class Name>
  bool backUpEach(const std::string& check, std::vector<Entry>& entries, Add add, Name shownAs) {
    return entries.empty() || backUpRegistry(check, [&](RegExport& out) {
             std::erase_if(entries, [&](const Entry& entry) {
               if (add(out, entry)) return false;
               kept.push_back(shownAs(entry) + " (no backup could hold it)");
               return true;
             });
             return true;
           });
  }
  // For whole keys, or for values, found below the scopes.
  bool backUpKeyTrees(const std::string& check, const std::vector<RegistryScope>& scopes,
                      std::vector<ScopedEntry>& keys);
  bool backUpValues(const std::string& check, const std::vector<RegistryScope>& scopes,
                    std::vector<ScopedEntry>& values);

  // Deletes the whole key, or the value, then looks again: true when it is
  // gone. What is still there goes on the run's kept list, by `shownAs`.
  bool deleteKeyTree(const RegistryScope& scope, const std::string& path,
                     const std::string& shownAs);
  bool deleteValue(RegKey key, const std::string& subKey, const std::string& name,
                   const std::string& shownAs);
  std::vector<std::string> kept;
  // One notice naming what the check found broken but kept (no backup could
  // hold it, or it would not be deleted: no rights, in use), each also
  // written to the error log; the list is emptied. Nothing when there was none.
  void tellKept(const std::string& check);

 private:
  std::chrono::steady_clock::time_point statusShown_{};
  std::string windowsFolder_;  // asked once: every path reading needs it
};

// The program an application path's command line starts, normalised (lower
// case, quotes as spaces, trimmed): a quoted first part, or the text up to
// the first ".exe", ".com", ".bat" or ".cmd" that ends a word, or the whole.
std::string programOfCommand(const std::string& command);

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

}  // namespace corvanta
