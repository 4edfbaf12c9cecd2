#include "platform/win32/drive_win32.h"

#include <windows.h>

#include <cctype>

#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

// A drive without a medium must answer "not ready", never put up the
// system's "insert a disk" box in front of the user.
class NoCriticalErrorBoxes {
 public:
  NoCriticalErrorBoxes() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~NoCriticalErrorBoxes() { SetErrorMode(previous_); }
  NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
  NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;

 private:
  UINT previous_;
};

}  // namespace

std::vector<std::string> Win32Drives::logicalDrives() {
  std::vector<std::string> roots;
  const DWORD present = GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if (present & (1u << letter))
      roots.push_back(std::string(1, static_cast<char>('a' + letter)) + ":\\");
  }
  return roots;
}

DriveType Win32Drives::driveType(const std::string& root) {
  return static_cast<DriveType>(GetDriveTypeW(wide(root).c_str()));
}

long Win32Drives::volumeLabel(const std::string& root, std::string& label) {
  const NoCriticalErrorBoxes quiet;
  wchar_t name[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(wide(root).c_str(), name, MAX_PATH + 1, nullptr, nullptr, nullptr,
                             nullptr, 0)) {
    return static_cast<long>(GetLastError());
  }
  label = narrow(name);
  return ERROR_SUCCESS;
}

long Win32Drives::diskSpace(const std::string& root, DiskSpace& space) {
  const NoCriticalErrorBoxes quiet;
  ULARGE_INTEGER available{}, total{}, totalFree{};
  if (!GetDiskFreeSpaceExW(wide(root).c_str(), &available, &total, &totalFree)) {
    return static_cast<long>(GetLastError());
  }
  space = {available.QuadPart, total.QuadPart, totalFree.QuadPart};
  return ERROR_SUCCESS;
}

std::string Win32Drives::currentDrive() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
  if (length < 2 || length >= MAX_PATH || folder[1] != L':' || folder[0] > 0x7F ||
      !std::isalpha(folder[0])) {
    return "c:";
  }
  return {static_cast<char>(std::tolower(static_cast<int>(folder[0]))), ':'};
}

}  // namespace corvanta
