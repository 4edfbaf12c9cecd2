#include "health/check_support.h"

#include <algorithm>

#include "platform/drive_port.h"
#include "platform/file_port.h"

namespace corvanta {

std::string QuotesToSpaces(std::string text) {
  std::replace(text.begin(), text.end(), '"', ' ');
  return text;
}

std::string namesShown(const std::vector<std::string>& names) {
  constexpr std::size_t kShown = 5;
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kShown; ++i) text += names[i] + "\r\n";
  if (names.size() > kShown) text += "...\r\n";
  return text;
}

bool PresenceTest::driveCanTell(char letter) {
  const char lower = static_cast<char>(letter | 0x20);
  if (lower < 'a' || lower > 'z') return false;
  signed char& answer = driveAnswers_[static_cast<std::size_t>(lower - 'a')];
  if (answer < 0) {
    const std::string root = std::string(1, lower) + ":\\";
    switch (drives_.driveType(root)) {
      case DriveType::Fixed:
      case DriveType::RamDisk:
        answer = 1;
        break;
      default:
        // A removable or optical drive may hold another medium than the one
        // the entry was made for; a network drive may be away; no drive or
        // one the system cannot name tells nothing either.
        answer = 0;
    }
  }
  return answer == 1;
}

bool PresenceTest::IsPresent(const std::string& path) {
  // Only a full local path ("C:\...") names one file: a bare or relative
  // name is found through a search order the entry's owner knows, not here.
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return true;
  if (!driveCanTell(path[0])) return true;
  const std::string pattern = path.back() == '\\' ? path + '*' : path;
  const long status = files_.anyMatch(pattern);
  return status != kErrorFileNotFound && status != kErrorPathNotFound;
}

}  // namespace corvanta
