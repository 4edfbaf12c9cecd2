// The record of every change the program makes to the machine: before a
// registry value or key is written or deleted, or a file deleted, what was
// there and what is written go to an append-only journal under
// the program's data folder (UTF-8, one line a record), in groups (one Apply, one
// check run, one undo). A change the journal cannot hold is not made.
//
// Past a size (kJournalArchiveBytes) it is compacted when a group ends:
// groups undone, with the undo groups that undid them, and the oldest beyond
// the newest kJournalKeptGroups move to an archive beside it,
// "changes-YYYY-MM-DD.log" ("changes-YYYY-MM-DD-2.log" and on when that date
// has one), and the copies of deleted files only they name move to a folder
// of the archive's name, with the repair backups older than every group
// kept. Every group the journal keeps undoes as before. The
// journal is rewritten in place, so that the other processes that hold it
// open go on with it; what it is to hold is written beside it first
// ("changes.log.compacting") and a mark put at its end, which the rewrite
// takes away: whoever takes the lock and finds the mark finishes a rewrite
// that was cut short.
//
// Several processes may write it at once (the window and a scheduled command
// line): each append is made under a lock on the file, and a group's number
// is taken under that lock from the journal as it is then. Each line carries
// a checksum, so a line cut short (power lost mid-write) is passed over and
// never read into the line after it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "registry/value_data.h"

namespace corvanta {

class FilePort;
class SharedFile;
class ProgramFolders;
class SystemPort;

// A registry value as it was or is: absent, or its type and bytes (text as
// UTF-8, as the registry port hands it out).
struct ValueState {
  bool present = false;
  std::uint32_t type = 0;
  Bytes data;
  bool operator==(const ValueState&) const = default;
};

struct Change {
  enum class Kind { Value, Key, File, Parameter };
  Kind kind = Kind::Value;
  std::uint32_t view = 0;  // the registry view flag it was made in (0: the program's own)
  std::string key;         // Value, Key: the full name, "HKEY_CURRENT_USER\..."
  std::string name;        // Value: the value's name; File: its path; Parameter: which
  ValueState before;       // Key: present or not; File: present
  ValueState after;
  std::string copy;              // File: the journal's copy of it (none for a folder)
  std::uint32_t attributes = 0;  // File: its attributes before the program touched them

  static Change value(std::uint32_t view, std::string key, std::string name, ValueState before,
                      ValueState after) {
    Change change;
    change.view = view;
    change.key = std::move(key);
    change.name = std::move(name);
    change.before = std::move(before);
    change.after = std::move(after);
    return change;
  }
  static Change parameter(std::string which, ValueState before, ValueState after) {
    Change change = value(0, {}, std::move(which), std::move(before), std::move(after));
    change.kind = Kind::Parameter;
    return change;
  }
  // A folder the program made (a Control Panel folder in the Start menu).
  static Change folderMade(std::string path) {
    Change change = file(std::move(path), {}, 0x10);
    change.before.present = false;
    change.after.present = true;
    return change;
  }
  // An empty folder the program removed.
  static Change folderRemoved(std::string path) {
    Change change = file(std::move(path), {}, 0x10);
    return change;
  }
  static Change keyChange(std::uint32_t view, std::string key, bool before, bool after) {
    Change change;
    change.kind = Kind::Key;
    change.view = view;
    change.key = std::move(key);
    change.before.present = before;
    change.after.present = after;
    return change;
  }
  static Change file(std::string path, std::string copy, std::uint32_t attributes) {
    Change change;
    change.kind = Kind::File;
    change.name = std::move(path);
    change.before.present = true;
    change.copy = std::move(copy);
    change.attributes = attributes;
    return change;
  }
};

// Group numbers go past what 32 bits hold: a journal is kept for years.
using GroupId = std::int64_t;

struct ChangeGroup {
  GroupId id = 0;
  std::string time;    // "YYYY-MM-DD hh:mm:ss", local
  std::string source;  // the page or check, or "Undo: ..."
  GroupId undoes = 0;  // the group this one undid, or 0
  bool undone = false;
  std::string note;  // what was done before its first change (a restore point)
  std::vector<Change> changes;
};

// A group as a list of groups shows it, read without its changes: what
// reading a journal of years costs is mostly its changes' values.
struct GroupSummary {
  GroupId id = 0;
  std::string time;
  std::string source;
  GroupId undoes = 0;
  bool undone = false;
  std::size_t changes = 0;
  std::uint64_t from = 0;  // where the group's own line starts in the journal
  std::uint64_t to = 0;    // where its last line ends
};

// One line of a Change as the Changes window shows it.
std::string describe(const Change& change);
std::string describe(const ValueState& state);

// The journal's size past which a group's end compacts it, and how many of
// its newest groups it keeps.
inline constexpr std::uint64_t kJournalArchiveBytes = 8 * 1024 * 1024;
inline constexpr std::size_t kJournalKeptGroups = 1000;

struct JournalLimits {
  std::uint64_t archiveBytes = kJournalArchiveBytes;
  std::size_t keptGroups = kJournalKeptGroups;
};

class ChangeJournal {
 public:
  ChangeJournal(FilePort& files, ProgramFolders& folders, SystemPort& system,
                JournalLimits limits = {});
  ~ChangeJournal();
  ChangeJournal(const ChangeJournal&) = delete;
  ChangeJournal& operator=(const ChangeJournal&) = delete;

  // Changes recorded from begin to end form one group; a begin inside an
  // open group joins it. `undoes` names the group an undo takes back.
  void begin(const std::string& source, GroupId undoes = 0);
  void end();
  bool recording() const { return depth_ > 0; }

  // Appends the change before it is made; false when the journal cannot be
  // written (the change must not be made then).
  bool record(const Change& change);
  // Whether a record was refused since the outermost begin.
  bool refused() const { return refused_; }
  // The changes the open (or last) group holds, as recorded, cancels taken
  // out: what this process changed in it.
  const std::vector<Change>& recorded() const { return recorded_; }
  // The last change recorded was not made after all.
  void cancelLast();
  // Where the journal keeps copies of deleted files; empty without one.
  std::string copiesFolder();
  // The program's own folder of data (journal, backups, copies), whose
  // changes are not the machine's; empty without one.
  std::string ownFolder();

  // Every group of the journal (or of `file`, an archive), oldest first;
  // nothing when there is none yet.
  std::vector<ChangeGroup> groups(const std::string& file = {});
  // The same, each without its changes: read in a fraction of the time.
  std::vector<GroupSummary> summaries(const std::string& file = {});
  // The group a summary names, whole, read from its lines alone; nothing
  // when they cannot be read (the journal was compacted meanwhile).
  std::optional<ChangeGroup> group(const GroupSummary& summary, const std::string& file = {});
  // The journal's file; empty without one.
  std::string path();
  // The archives compaction made, full paths, oldest first.
  std::vector<std::string> archives();
  // Told why a compaction failed (the journal then stays as it was).
  void onArchiveFailure(std::function<void(const std::string&)> report) {
    archiveFailed_ = std::move(report);
  }
  // The newest group not undone (an undo among them), read from the end of
  // the journal only as far back as it lies; nothing when there is none.
  std::optional<ChangeGroup> newestInEffect();
  bool markUndone(GroupId group);

  // Called before a group's first change is recorded, with no lock held
  // (it may take long): what it gives is kept in the group's record as its
  // note (the restore point asked for first).
  void setBeforeFirstChange(std::function<std::optional<std::string>()> hook) {
    beforeFirstChange_ = std::move(hook);
  }

  // Between these, the journal's lock is kept from one line to the next
  // instead of taken and given back for each (a repair records thousands
  // of lines in a row); it is still given back every few hundred lines, so
  // that another process's writer waits no longer than it would for one
  // line of a slow disk. Nothing that waits on the user may run between.
  void holdLock();
  void releaseLock();

 private:
  // Moves what need not stay to a new archive, under the journal's lock; the
  // status that stopped it, or 0 (also when nothing moves).
  long archive(SharedFile& journal);
  // Moves the repair backups made before `time` ("YYYY-MM-DD hh-mm-ss",
  // as their names begin) into the folder `into`.
  void moveBackupsBefore(const std::string& time, const std::string& into);
  // Under the journal's lock, the journal `size` bytes long: finishes a
  // rewrite a compaction began and could not end (and gives the new size);
  // 0 when there is none or it is done.
  long finishRewrite(SharedFile& journal, std::uint64_t& size);
  // The journal's (or an archive's) whole text, read under the journal's
  // lock so that no rewrite is seen half done.
  long readWhole(const std::string& file, std::string& text);
  // Appends the line `compose` makes for the open group's number; in a
  // group that has no number yet, the group's own line goes first.
  bool append(bool inGroup, const std::function<std::string(GroupId)>& compose);
  void releaseHeldLock();

  FilePort& files_;
  ProgramFolders& folders_;
  SystemPort& system_;
  JournalLimits limits_;
  std::function<void(const std::string&)> archiveFailed_;
  bool archiveRefused_ = false;  // a compaction failed in this run: not tried again
  int depth_ = 0;
  std::string source_;
  GroupId undoes_ = 0;
  GroupId group_ = 0;  // the open group's id once its first line is written
  bool refused_ = false;
  std::unique_ptr<SharedFile> file_;  // the journal, held while a group is open
  std::uint64_t leftAt_ = 0;          // its size after this journal's last line, or 0
  int holding_ = 0;                   // holdLock() calls not yet released
  bool locked_ = false;               // the file's lock is ours now
  int linesLocked_ = 0;               // lines written since it was taken
  std::string folderMade_;            // the journal's folder, once made
  std::string copiesMade_;            // the copies' folder, once made
  std::vector<Change> recorded_;
  std::function<std::optional<std::string>()> beforeFirstChange_;
  bool firstChangeAsked_ = false;  // the hook was called for the open group
  std::string note_;               // what it gave, written after the group's own line
};

// Keeps the journal's lock from line to line for its own lifetime.
class JournalLockHeld {
 public:
  explicit JournalLockHeld(ChangeJournal& journal) : journal_(journal) { journal_.holdLock(); }
  ~JournalLockHeld() { journal_.releaseLock(); }
  JournalLockHeld(const JournalLockHeld&) = delete;
  JournalLockHeld& operator=(const JournalLockHeld&) = delete;

 private:
  ChangeJournal& journal_;
};

// Keeps a group open for its own lifetime.
class ChangeScope {
 public:
  ChangeScope(ChangeJournal& journal, const std::string& source, GroupId undoes = 0)
      : journal_(journal) {
    journal_.begin(source, undoes);
  }
  ~ChangeScope() { journal_.end(); }
  ChangeScope(const ChangeScope&) = delete;
  ChangeScope& operator=(const ChangeScope&) = delete;

 private:
  ChangeJournal& journal_;
};

}  // namespace corvanta
