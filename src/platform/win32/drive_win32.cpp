#include "platform/win32/drive_win32.h"

#include <windows.h>

#include <cctype>

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
  return static_cast<DriveType>(GetDriveTypeA(root.c_str()));
}

long Win32Drives::volumeLabel(const std::string& root, std::string& label) {
  const NoCriticalErrorBoxes quiet;
  char name[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(root.c_str(), name, sizeof name, nullptr, nullptr, nullptr, nullptr,
                             0)) {
    return static_cast<long>(GetLastError());
  }
  label = name;
  return ERROR_SUCCESS;
}

long Win32Drives::diskSpace(const std::string& root, DiskSpace& space) {
  const NoCriticalErrorBoxes quiet;
  // The 64-bit figures came with later Windows 95 releases; the first one
  // only has the clusters, which stop at 2 GB.
  using FreeSpaceEx = BOOL WINAPI(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  static auto* const freeSpaceEx = reinterpret_cast<FreeSpaceEx*>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
  if (freeSpaceEx) {
    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (!freeSpaceEx(root.c_str(), &available, &total, &totalFree)) {
      return static_cast<long>(GetLastError());
    }
    space = {available.QuadPart, total.QuadPart, totalFree.QuadPart};
    return ERROR_SUCCESS;
  }
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &clusters)) {
    return static_cast<long>(GetLastError());
  }
  const std::uint64_t cluster = std::uint64_t{sectorsPerCluster} * bytesPerSector;
  space = {cluster * freeClusters, cluster * clusters, cluster * freeClusters};
  return ERROR_SUCCESS;
}

std::string Win32Drives::currentDrive() {
  char folder[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
  if (length < 2 || length >= MAX_PATH || folder[1] != ':') return "c:";
  return {static_cast<char>(std::tolower(static_cast<unsigned char>(folder[0]))), ':'};
}

}  // namespace corvanta
