#include "platform/win32/system_win32.h"

#include <windows.h>

namespace corvanta {

std::string Win32System::expandEnvironmentStrings(const std::string& text) {
  // The size the first call asks for is not always enough in the ANSI form
  // (it may count characters, not bytes), so grow until the text fits.
  DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  while (size > 0) {
    std::string expanded(size, '\0');
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
    if (needed == 0) break;
    if (needed <= size) {
      expanded.resize(needed - 1);
      return expanded;
    }
    size = needed;
  }
  return text;
}

bool Win32System::getVersionEx(OsVersion& out) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = 148;
  static_assert(sizeof(OSVERSIONINFOA) == 148);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
  out.majorVersion = info.dwMajorVersion;
  out.minorVersion = info.dwMinorVersion;
  out.buildNumber = info.dwBuildNumber;
  out.platformId = info.dwPlatformId;
  out.csdVersion = info.szCSDVersion;
  return true;
}

std::string Win32System::moduleFileName() {
  for (DWORD size = MAX_PATH;; size *= 2) {
    std::string path(size, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
}

}  // namespace corvanta
