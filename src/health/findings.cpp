#include "health/findings.h"

#include <algorithm>

#include "base/text.h"
#include "registry/settings_store.h"

namespace corvanta {

std::string Finding::entry() const {
  switch (kind) {
    case Kind::Key:
      return key;
    case Kind::Value:
      return key + " : " + value;
    case Kind::File:
      return file;
  }
  return {};
}

const char* kindName(Finding::Kind kind) {
  switch (kind) {
    case Finding::Kind::Key:
      return "key";
    case Finding::Kind::Value:
      return "value";
    case Finding::Kind::File:
      return "file";
  }
  return "";
}

std::string shownEntry(const std::string& entry) {
  std::size_t split = entry.rfind(" : ");
  std::size_t skip = 3;
  if (split == std::string::npos) {
    split = entry.find_last_of('\\');
    skip = 1;
  }
  if (split == std::string::npos || split + skip >= entry.size()) return entry;
  // Made in one piece: the System Health window shows every ignored entry.
  std::string shown;
  shown.reserve(entry.size() + 5);
  shown.append(entry, split + skip).append("   (").append(entry, 0, split).push_back(')');
  return shown;
}

IgnoreList IgnoreList::load(SettingsStore& settings) {
  IgnoreList list;
  const std::string stored = settings.GetSetting(kSettingsApplication, "health", "ignore");
  const auto lines = static_cast<std::size_t>(std::count(stored.begin(), stored.end(), '\n')) + 1;
  list.entries_.reserve(lines);
  list.folded_.reserve(lines);
  for (std::size_t at = 0; at < stored.size();) {
    std::size_t end = stored.find('\n', at);
    if (end == std::string::npos) end = stored.size();
    if (end > at) list.add(stored.substr(at, end - at));
    at = end + 1;
  }
  return list;
}

void IgnoreList::save(SettingsStore& settings) const {
  std::string stored;
  for (const std::string& entry : entries_) stored += entry + '\n';
  settings.SaveSetting(kSettingsApplication, "health", "ignore", stored);
}

bool IgnoreList::contains(const std::string& entry) const {
  return folded_.count(foldCase(entry)) != 0;
}

void IgnoreList::add(const std::string& entry) {
  // A name holding a line break could not be stored one per line; such an
  // entry cannot be backed up either, so no check ever deletes it.
  if (!entry.empty() && entry.find('\n') == std::string::npos &&
      folded_.insert(foldCase(entry)).second)
    entries_.push_back(entry);
}

void IgnoreList::remove(const std::string& entry) {
  if (folded_.erase(foldCase(entry)) == 0) return;
  std::erase_if(entries_, [&](const std::string& kept) { return equalsIgnoringCase(kept, entry); });
}

}  // namespace corvanta
