// Orphan shortcuts: every shortcut file on the chosen drive whose target is
// missing is deleted. A shortcut that cannot be read has no known target and
// is kept; the user is told once how many there were. The walk leaves out
// the folders whose shortcuts are not the user's to lose: the program's own
// backups (their targets are missing by definition), the Recycle Bins and
// the system's restore data.
#include <algorithm>
#include <array>
#include <cstdio>

#include "base/resume.h"
#include "core/app_context.h"
#include "core/i18n/localizer.h"
#include "health/health_checks.h"
#include "health/repair_backup.h"
#include "platform/dialogs_port.h"
#include "platform/file_port.h"
#include "platform/shortcut_port.h"
#include "registry/script_shell.h"

namespace corvanta {
namespace {

constexpr std::array<const char*, 4> kSkippedFolders = {"$Recycle.Bin", "RECYCLER", "RECYCLED",
                                                        "System Volume Information"};

bool skippedFolder(const std::string& name) {
  return std::any_of(kSkippedFolders.begin(), kSkippedFolders.end(),
                     [&](const char* skipped) { return equalsIgnoringCase(name, skipped); });
}

std::string childPath(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + '\\' + name;
}

bool endsInLnk(const std::string& path) {
  return path.size() >= 3 &&
         equalsIgnoringCase(std::string_view(path).substr(path.size() - 3), "lnk");
}

struct Unreadable {
  std::int32_t firstStatus = 0;
  std::vector<std::string> names;
};

// A notice, not an error: nothing failed that the user must act on, and
// every shortcut named is still where it was.
void tellUnreadable(HealthRun& run, const Unreadable& unreadable) {
  char status[16];
  std::snprintf(status, sizeof status, "0x%08X", static_cast<unsigned>(unreadable.firstStatus));
  run.app.dialogs.messageBox(
      run.app.localizer.text(
          "8132",
          "%1 shortcut file(s) could not be read and were left in place:%n%2%n"
          "(The first could not be read: error %3.)",
          {std::to_string(unreadable.names.size()), namesShown(unreadable.names), status}),
      shownName(run.app, run.check), kMbOk | kMbIconInformation);
}

}  // namespace

namespace {

void walk(HealthRun& run, const std::string& folder, const std::string& backups,
          SortedList& lnklst) {
  if (!backups.empty() && equalsIgnoringCase(folder, backups)) return;
  run.progress.letInputRun();
  run.showStatus(folder);
  std::vector<FileEntry> entries;
  // A folder that cannot be listed (no rights, no medium) is passed over.
  if (run.app.files.findFiles(childPath(folder, "*"), entries) != kErrorSuccess) return;
  for (const FileEntry& entry : entries) {
    // Junctions are not followed: some point back up their own tree.
    if ((entry.attributes & kFileAttributeDirectory) &&
        !(entry.attributes & kFileAttributeReparsePoint) && !skippedFolder(entry.name)) {
      walk(run, childPath(folder, entry.name), backups, lnklst);
    }
  }
  for (const FileEntry& entry : entries) {
    // Only a shortcut's path is made: most of a drive's files are not.
    if (!(entry.attributes & kFileAttributeDirectory) && endsInLnk(entry.name))
      lnklst.add(childPath(folder, entry.name));
  }
}

}  // namespace

void FindShortcutFiles(HealthRun& run, const std::string& folder, SortedList& lnklst) {
  walk(run, folder, backupsFolder(run.app), lnklst);
}

void OrphanShortcutsCheck(HealthRun& run) {
  CheckProgress& display = run.progress;
  SortedList lnklst;
  // Broken shortcuts, in the walk's sorted order, with their targets.
  struct Orphan {
    std::string path;
    std::string target;
  };
  std::vector<Orphan> lnklst2;

  const std::string drive = run.drive.substr(0, 2);
  if (drive.size() == 2) FindShortcutFiles(run, drive + "\\", lnklst);
  run.showStatus(run.app.localizer.text("8115", "Wait ..."), true);

  ScriptShell shell(run.app.registry, run.app.shortcuts);
  Unreadable unreadable;
  for (const std::string& path : lnklst) {
    const Shortcut shortcut = shell.CreateShortcut(path);
    if (shortcut.loadStatus() != kSOk) {
      if (unreadable.names.empty()) unreadable.firstStatus = shortcut.loadStatus();
      unreadable.names.push_back(path);
      continue;
    }
    // Trimmed again after the quotes became spaces: a quoted target is the
    // path inside the quotes, not a relative name starting with a blank.
    const std::string target = trimSpaces(QuotesToSpaces(trimSpaces(shortcut.TargetPath())));
    if (!run.presence.IsPresent(target)) lnklst2.push_back({path, target});
  }
  if (!unreadable.names.empty()) tellUnreadable(run, unreadable);
  const auto finding = [](const Orphan& orphan) {
    Finding found;
    found.kind = Finding::Kind::File;
    found.file = orphan.path;
    found.target = orphan.target;
    found.reason = "target missing";
    return found;
  };
  display.setErrors(run.settle(lnklst2, finding));

  run.repair(
      lnklst2,
      [&](const std::vector<Orphan>& chosen) {
        if (chosen.empty()) return true;
        // Every shortcut copied before any is deleted: one that cannot be
        // copied keeps them all.
        RepairBackup backup(run.app, run.check.name);
        const bool saved = std::all_of(chosen.begin(), chosen.end(), [&](const Orphan& orphan) {
          return backup.addFile(orphan.path);
        });
        run.backupWritten = backup.location();
        if (!saved) backup.tellFailure();
        return saved;
      },
      [&](const Orphan& orphan) {
        const std::string& path = orphan.path;
        std::vector<FileEntry> found;
        const std::uint32_t attributes = run.app.files.findFiles(path, found) == kErrorSuccess
                                             ? found.front().attributes
                                             : kFileAttributeNormal;
        run.app.files.setFileAttributes(path, kFileAttributeNormal);
        if (run.app.files.deleteFile(path) == kErrorSuccess) return true;
        run.app.files.setFileAttributes(path, attributes);  // left as it was found
        run.kept.push_back(run.app.localizer.text("8133", "%1 (could not be deleted)", {path}));
        return false;
      },
      finding, false,
      [&](bool backedUp) {
        run.showStatus(run.app.localizer.text("8116", "Done ..."), true);
        if (backedUp) display.setPosition(100);
      });
}

}  // namespace corvanta
