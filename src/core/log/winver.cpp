#include "core/log/winver.h"

#include <exception>

#include "core/app_info.h"
#include "platform/dialogs_port.h"
#include "platform/system_port.h"

namespace corvanta {
namespace {

std::string platformPrefix(const OsVersion& version) {
  switch (version.platformId) {
    case kVerPlatformWin32Windows:
      return version.minorVersion > 9 ? "Windows 98, version: " : "Windows 95, version: ";
    case kVerPlatformWin32Nt:
      return "Windows NT, version: ";
    default:
      return {};
  }
}

}  // namespace

std::string GetWindowsVersion(SystemPort& system, DialogsPort& dialogs,
                              const std::string& failure) {
  std::string text;
  try {
    // A failing call leaves the record zeroed, which reads "0.0".
    OsVersion version;
    system.getVersionEx(version);
    text = platformPrefix(version) + std::to_string(version.majorVersion) + '.' +
           std::to_string(version.minorVersion);
  } catch (const std::exception& error) {
    dialogs.messageBox(failure + "\r\nFunction : GetWindowsVersion \r\n" + error.what(), kAppTitle,
                       kMbIconError);
  }
  return text;
}

}  // namespace corvanta
