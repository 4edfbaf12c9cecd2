#include "core/changes/undo.h"

#include <algorithm>

#include "core/changes/journaling_ports.h"
#include "platform/file_port.h"
#include "platform/registry_port.h"
#include "registry/query_value.h"
#include "registry/registry_helpers.h"

namespace corvanta {
namespace {

struct KeyName {
  RegKey root = 0;
  std::string path;
};

KeyName split(const std::string& full) {
  const std::size_t slash = full.find('\\');
  return {rootOf(full.substr(0, slash)), slash == std::string::npos ? "" : full.substr(slash + 1)};
}

}  // namespace

bool Undo::value(const Change& change, UndoOutcome& outcome) {
  const KeyName name = split(change.key);
  if (!name.root) return false;
  ValueState now;
  RegKey opened = 0;
  const long open = registry_.openKeyEx(name.root, name.path,
                                        kKeyQueryValue | kKeySetValue | change.view, opened);
  if (open == kErrorSuccess) {
    const ScopedRegKey held(registry_, opened);
    now.present = queryValue(registry_, opened, change.name, now.type, now.data) == kErrorSuccess;
    if (!now.present) now = {};
  } else if (open != kErrorFileNotFound) {
    return false;
  }
  if (now == change.before) return true;  // already as it was
  if (!(now == change.after) && !ask_(change, now)) {
    outcome.skipped.push_back(describe(change));
    return true;
  }
  if (!change.before.present) {
    if (open != kErrorSuccess) return true;
    RegKey key = 0;
    if (registry_.openKeyEx(name.root, name.path, kKeySetValue | change.view, key) != kErrorSuccess)
      return false;
    const ScopedRegKey held(registry_, key);
    return registry_.deleteValue(key, change.name) == kErrorSuccess;
  }
  RegKey key = 0;
  if (registry_.createKeyEx(name.root, name.path, "", 0, kKeySetValue | change.view, key,
                            nullptr) != kErrorSuccess)
    return false;
  const ScopedRegKey held(registry_, key);
  const Bytes& data = change.before.data;
  return registry_.setValueEx(key, change.name, change.before.type, data.data(),
                              static_cast<std::uint32_t>(data.size())) == kErrorSuccess;
}

bool Undo::key(const Change& change) {
  const KeyName name = split(change.key);
  if (!name.root) return false;
  if (change.before.present) {  // deleted: made again (its values follow)
    RegKey key = 0;
    if (registry_.createKeyEx(name.root, name.path, "", 0, kKeyRead | change.view, key, nullptr) !=
        kErrorSuccess)
      return false;
    registry_.closeKey(key);
    return true;
  }
  // Made by the program: deleted again only while it holds nothing.
  RegKey key = 0;
  const long open = registry_.openKeyEx(name.root, name.path, kKeyRead | change.view, key);
  if (open == kErrorFileNotFound) return true;
  if (open != kErrorSuccess) return false;
  char first[kKeyNameBytes];
  std::uint32_t length = sizeof first;
  const bool empty =
      registry_.enumKeyEx(key, 0, first, length) == kErrorNoMoreItems &&
      (length = sizeof first,
       registry_.enumValue(key, 0, first, length, nullptr, nullptr, nullptr) == kErrorNoMoreItems);
  registry_.closeKey(key);
  if (!empty) return false;
  const std::size_t slash = name.path.rfind('\\');
  RegKey parent = name.root;
  ScopedRegKey heldParent;
  if (slash != std::string::npos) {
    if (registry_.openKeyEx(name.root, name.path.substr(0, slash), kKeyWrite | change.view,
                            parent) != kErrorSuccess)
      return false;
    heldParent = ScopedRegKey(registry_, parent);
  }
  return registry_.deleteKeyEx(parent, name.path.substr(slash + 1), change.view) == kErrorSuccess;
}

bool Undo::file(const Change& change, UndoOutcome& outcome) {
  if (!change.before.present) {  // a folder made: removed again while empty
    const long removed = files_.removeDirectory(change.name);
    return removed == kErrorSuccess || removed == kErrorFileNotFound;
  }
  if (change.copy.empty()) {  // an empty folder removed: made again
    const long made = files_.createDirectory(change.name);
    return made == kErrorSuccess || made == kErrorAlreadyExists;
  }
  if (files_.anyMatch(change.name) == kErrorSuccess) {
    outcome.skipped.push_back(describe(change));  // a file of that name is there again
    return true;
  }
  return files_.copyFile(change.copy, change.name, true) == kErrorSuccess &&
         (change.attributes == 0 ||
          files_.setFileAttributes(change.name, change.attributes) == kErrorSuccess);
}

bool Undo::parameter(const Change& change, UndoOutcome& outcome) {
  const auto now = readParameter(desktop_, change.name);
  if (!now) return false;
  if (*now == change.before) return true;
  if (!(*now == change.after) && !ask_(change, *now)) {
    outcome.skipped.push_back(describe(change));
    return true;
  }
  return writeParameter(desktop_, change.name, change.before);
}

UndoOutcome Undo::group(const ChangeGroup& group) {
  UndoOutcome outcome;
  {
    const ChangeScope scope(journal_, "Undo: " + group.source + " (" + group.time + ")", group.id);
    for (auto change = group.changes.rbegin(); change != group.changes.rend(); ++change) {
      bool done = false;
      switch (change->kind) {
        case Change::Kind::Value:
          done = value(*change, outcome);
          break;
        case Change::Kind::Key:
          done = key(*change);
          break;
        case Change::Kind::File:
          done = file(*change, outcome);
          break;
        case Change::Kind::Parameter:
          done = parameter(*change, outcome);
          break;
      }
      if (!done) outcome.failed.push_back(describe(*change));
    }
  }
  if (outcome.failed.empty() && !journal_.markUndone(group.id))
    outcome.failed.push_back("the journal could not record the undo");
  return outcome;
}

UndoOutcome Undo::all() {
  UndoOutcome outcome;
  std::vector<ChangeGroup> groups = journal_.groups();
  std::reverse(groups.begin(), groups.end());
  for (const ChangeGroup& group : groups) {
    if (group.undone || group.undoes != 0) continue;
    UndoOutcome one = this->group(group);
    outcome.failed.insert(outcome.failed.end(), one.failed.begin(), one.failed.end());
    outcome.skipped.insert(outcome.skipped.end(), one.skipped.begin(), one.skipped.end());
  }
  return outcome;
}

}  // namespace corvanta
