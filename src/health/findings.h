// What a check found broken, and the list of entries the user told the
// checks to leave alone.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace corvanta {

class SettingsStore;

// One broken entry: shown in the review list, written in the command line's
// report, and named on the ignore list.
struct Finding {
  enum class Kind { Key, Value, File };
  Kind kind = Kind::Key;
  std::string check;   // the check's short name: "removal", "apppaths", ...
  std::string key;     // the key, or the key holding the value, as regedit names it
  std::string value;   // the value's name
  std::string file;    // the shortcut file
  std::string view;    // "64-bit", "32-bit", "both", or empty on a system of one view
  std::string target;  // the path judged missing, where there is one
  std::string reason;  // why the entry is judged broken
  bool chosen = true;     // to be repaired
  bool repaired = false;  // deleted, after its backup was written
  std::string backup;     // the backup that holds it, once repaired

  // The entry as people and the ignore list name it: the key, the key and
  // the value's name ("key : value"), or the file.
  std::string entry() const;
};

const char* kindName(Finding::Kind kind);

// An entry as a list shows it, its own name first so that a narrow column
// cuts the long part: "gone.dll   (HKEY_LOCAL_MACHINE\...\SharedDlls)".
std::string shownEntry(const std::string& entry);

// The entries no check reports or repairs, kept in the settings, one per
// line. Compared without regard to case, as Windows names keys and files.
class IgnoreList {
 public:
  static IgnoreList load(SettingsStore& settings);
  void save(SettingsStore& settings) const;

  bool contains(const std::string& entry) const;
  void add(const std::string& entry);
  void remove(const std::string& entry);
  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
  // Each entry folded: a check asks for every entry it finds, and a list
  // kept for years holds thousands.
  std::unordered_set<std::string> folded_;
};

}  // namespace corvanta
