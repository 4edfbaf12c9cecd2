#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/late_bound.h"
#include "platform/win32/wide_text.h"

namespace corvanta {

std::intptr_t Win32Shell::shellExecute(std::uintptr_t owner, const std::string& file,
                                       const std::string& parameters, const std::string& folder,
                                       int showCommand) {
  static auto* const execute = lateBound<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!execute) return ERROR_FILE_NOT_FOUND;
  const std::wstring parametersText = wide(parameters), folderText = wide(folder);
  const HINSTANCE result = execute(reinterpret_cast<HWND>(owner), nullptr, wide(file).c_str(),
                                   parameters.empty() ? nullptr : parametersText.c_str(),
                                   folder.empty() ? nullptr : folderText.c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

std::intptr_t Win32Shell::runElevated(std::uintptr_t owner, const std::string& path) {
  static auto* const execute = lateBound<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!execute) return ERROR_FILE_NOT_FOUND;
  return reinterpret_cast<std::intptr_t>(execute(reinterpret_cast<HWND>(owner), L"runas",
                                                 wide(path).c_str(), nullptr, nullptr,
                                                 SW_SHOWNORMAL));
}

namespace {

// A special folder, made if need be, without a trailing backslash.
std::string specialFolder(int which) {
  static auto* const folderPath =
      lateBound<decltype(SHGetSpecialFolderPathW)>(L"shell32.dll", "SHGetSpecialFolderPathW");
  wchar_t path[MAX_PATH] = {};
  if (!folderPath || !folderPath(nullptr, path, which, TRUE)) return {};
  std::string folder = narrow(path);
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace

std::string Win32Shell::userAppDataFolder() { return specialFolder(CSIDL_APPDATA); }

std::string Win32Shell::localAppDataFolder() { return specialFolder(CSIDL_LOCAL_APPDATA); }

std::uint32_t Win32Shell::formatDrive(std::uintptr_t owner, std::uint32_t drive) {
  using FormatDrive = DWORD WINAPI(HWND, UINT, UINT, UINT);
  static auto* const format = lateBound<FormatDrive>(L"shell32.dll", "SHFormatDrive");
  if (!format) return kShFormatError;
  return format(reinterpret_cast<HWND>(owner), drive, 0, 0);
}

std::int32_t Win32Shell::emptyRecycleBin(std::uintptr_t owner) {
  static auto* const empty =
      lateBound<decltype(SHEmptyRecycleBinW)>(L"shell32.dll", "SHEmptyRecycleBinW");
  if (!empty) return static_cast<std::int32_t>(0x80004001);  // E_NOTIMPL
  return empty(reinterpret_cast<HWND>(owner), nullptr, SHERB_NOCONFIRMATION);
}

void Win32Shell::updateRecycleBinIcon() {
  static auto* const update = lateBound<void WINAPI()>(L"shell32.dll", "SHUpdateRecycleBinIcon");
  if (update) update();
}

}  // namespace corvanta
