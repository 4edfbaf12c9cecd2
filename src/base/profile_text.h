// An INI file's text read by the rules of the Windows profile API, so that
// the program can read a whole language file once instead of asking the
// system for one key at a time: sections and keys match without regard to
// case, blanks around keys and values are ignored, a value in matching
// quotes loses them, and of duplicate keys the first wins.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

class ProfileText {
 public:
  ProfileText() = default;
  explicit ProfileText(std::string_view text);

  bool hasSection(std::string_view section) const;
  // The value, whole (a caller with a buffer cuts it); nothing when the
  // section or key is missing.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // The section's keys (folded to capitals), sorted.
  std::vector<std::string> keys(std::string_view section) const;

 private:
  // By folded section name, then by folded, trimmed key.
  std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace corvanta
