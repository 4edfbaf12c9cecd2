#include "base/profile_text.h"

#include "base/text.h"

namespace corvanta {

ProfileText::ProfileText(std::string_view text) {
  std::map<std::string, std::string>* section = nullptr;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    const std::string trimmed = trimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const std::size_t close = trimmed.find(']');
      section = &sections_[foldCase(trimBlanks(trimmed.substr(1, close - 1)))];
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!section || equals == std::string_view::npos) continue;
    std::string value = trimBlanks(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    section->emplace(foldCase(trimBlanks(line.substr(0, equals))), std::move(value));
  }
}

bool ProfileText::hasSection(std::string_view section) const {
  return sections_.count(foldCase(trimBlanks(section))) != 0;
}

std::optional<std::string> ProfileText::value(std::string_view section,
                                              std::string_view key) const {
  const auto found = sections_.find(foldCase(trimBlanks(section)));
  if (found == sections_.end()) return std::nullopt;
  const auto entry = found->second.find(foldCase(trimBlanks(key)));
  if (entry == found->second.end()) return std::nullopt;
  return entry->second;
}

std::vector<std::string> ProfileText::keys(std::string_view section) const {
  std::vector<std::string> names;
  const auto found = sections_.find(foldCase(trimBlanks(section)));
  if (found == sections_.end()) return names;
  for (const auto& [key, text] : found->second) names.push_back(key);
  return names;
}

}  // namespace corvanta
