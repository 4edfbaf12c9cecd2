#include "fakes/fake_system.h"

#include <sstream>

namespace corvanta::testing {
std::string FakeSystem::expandEnvironmentStrings(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
    if (close != std::string::npos) {
      const auto found = environment.find(foldAnsiCase(text.substr(i + 1, close - i - 1)));
      if (found != environment.end()) {
        out += found->second;
        i = close + 1;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

std::string FakeSystem::getPrivateProfileString(const std::string& section, const std::string& key,
                                                const std::string& fallback,
                                                std::uint32_t bufferSize, const std::string& path) {
  ++profileReads;
  const auto cut = [&](std::string text) {
    if (bufferSize == 0) return std::string();
    if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
    return text;
  };
  const auto file = iniFiles_.find(foldAnsiCase(path));
  if (file == iniFiles_.end()) return cut(fallback);

  const std::string wantedKey = trimBlanks(key);
  bool inSection = false;
  std::istringstream lines(file->second);
  for (std::string line; std::getline(lines, line);) {
    const std::string trimmed = trimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const auto close = trimmed.find(']');
      inSection = equalsIgnoringCase(trimBlanks(trimmed.substr(1, close - 1)), section);
      continue;
    }
    const auto equals = line.find('=');
    if (!inSection || equals == std::string::npos) continue;
    if (!equalsIgnoringCase(trimBlanks(line.substr(0, equals)), wantedKey)) continue;
    std::string value = trimBlanks(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return cut(value);  // the first of duplicate keys wins
  }
  return cut(fallback);
}

}  // namespace corvanta::testing
