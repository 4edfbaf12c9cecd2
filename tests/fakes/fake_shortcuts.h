// Shortcut files kept in memory: path -> target. A path listed as corrupt
// exists but cannot be read.
#pragma once

#include <map>
#include <set>
#include <string>

#include "base/text.h"
#include "platform/shortcut_port.h"

namespace corvanta::testing {

class FakeShortcuts final : public ShortcutPort {
 public:
  std::map<std::string, std::string> targets;  // by folded path
  std::set<std::string> corrupt;               // folded paths
  std::set<std::string> unwritable;            // folded paths

  void put(const std::string& path, const std::string& target) {
    targets[foldCase(path)] = target;
  }

  std::int32_t loadShortcutTarget(const std::string& path, std::string& target) override {
    const std::string key = foldCase(path);
    if (corrupt.count(key)) return kEFail;
    const auto found = targets.find(key);
    if (found == targets.end()) return kEFileNotFound;
    target = found->second;
    return kSOk;
  }

  std::int32_t saveShortcut(const std::string& path, const std::string& target) override {
    const std::string key = foldCase(path);
    if (unwritable.count(key)) return static_cast<std::int32_t>(0x80070005);
    targets[key] = target;
    corrupt.erase(key);
    return kSOk;
  }
};

}  // namespace corvanta::testing
