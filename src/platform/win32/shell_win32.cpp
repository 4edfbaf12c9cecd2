#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/late_bound.h"

namespace corvanta {

std::intptr_t Win32Shell::shellExecute(std::uintptr_t owner, const std::string& file,
                                       const std::string& parameters, const std::string& folder,
                                       int showCommand) {
  static auto* const execute = lateBound<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  if (!execute) return ERROR_FILE_NOT_FOUND;
  const HINSTANCE result = execute(reinterpret_cast<HWND>(owner), nullptr, file.c_str(),
                                   parameters.empty() ? nullptr : parameters.c_str(),
                                   folder.empty() ? nullptr : folder.c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

std::intptr_t Win32Shell::runElevated(std::uintptr_t owner, const std::string& path) {
  static auto* const execute = lateBound<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  if (!execute) return ERROR_FILE_NOT_FOUND;
  return reinterpret_cast<std::intptr_t>(execute(reinterpret_cast<HWND>(owner), "runas",
                                                 path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

namespace {

// A special folder, made if need be, without a trailing backslash.
std::string specialFolder(int which) {
  static auto* const folderPath =
      lateBound<decltype(SHGetSpecialFolderPathA)>("shell32.dll", "SHGetSpecialFolderPathA");
  char path[MAX_PATH] = {};
  if (!folderPath || !folderPath(nullptr, path, which, TRUE)) return {};
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace

std::string Win32Shell::userAppDataFolder() { return specialFolder(CSIDL_APPDATA); }

std::string Win32Shell::localAppDataFolder() { return specialFolder(CSIDL_LOCAL_APPDATA); }

std::uint32_t Win32Shell::formatDrive(std::uintptr_t owner, std::uint32_t drive) {
  using FormatDrive = DWORD WINAPI(HWND, UINT, UINT, UINT);
  static auto* const format = lateBound<FormatDrive>("shell32.dll", "SHFormatDrive");
  if (!format) return kShFormatError;
  return format(reinterpret_cast<HWND>(owner), drive, 0, 0);
}

std::int32_t Win32Shell::emptyRecycleBin(std::uintptr_t owner) {
  static auto* const empty =
      lateBound<decltype(SHEmptyRecycleBinA)>("shell32.dll", "SHEmptyRecycleBinA");
  if (!empty) return static_cast<std::int32_t>(0x80004001);  // E_NOTIMPL
  return empty(reinterpret_cast<HWND>(owner), nullptr, SHERB_NOCONFIRMATION);
}

void Win32Shell::updateRecycleBinIcon() {
  static auto* const update = lateBound<void WINAPI()>("shell32.dll", "SHUpdateRecycleBinIcon");
  if (update) update();
}

}  // namespace corvanta
