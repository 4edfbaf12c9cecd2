#include "platform/win32/system_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/late_bound.h"
#include "platform/win32/wide_text.h"

namespace corvanta {

std::string Win32System::expandEnvironmentStrings(const std::string& text) {
  const std::wstring source = wide(text);
  DWORD size = ExpandEnvironmentStringsW(source.c_str(), nullptr, 0);
  while (size > 0) {
    std::wstring expanded(size, L'\0');
    const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), expanded.data(), size);
    if (needed == 0) break;
    if (needed <= size) {
      expanded.resize(needed - 1);
      return narrow(expanded);
    }
    size = needed;  // a variable grew between the two calls
  }
  return text;
}

bool Win32System::getVersionEx(OsVersion& out) {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return false;
#pragma GCC diagnostic pop
  out.majorVersion = info.dwMajorVersion;
  out.minorVersion = info.dwMinorVersion;
  out.buildNumber = info.dwBuildNumber;
  out.platformId = info.dwPlatformId;
  out.csdVersion = narrow(info.szCSDVersion);
  return true;
}

std::string Win32System::moduleFileName() {
  for (DWORD size = MAX_PATH;; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) return narrow(path.data(), length);
  }
}

bool Win32System::moduleVersion(FileVersion& out) {
  // Only the about window asks: version.dll is bound then, not at start.
  static auto* const infoSize =
      lateBound<decltype(GetFileVersionInfoSizeW)>(L"version.dll", "GetFileVersionInfoSizeW");
  static auto* const info =
      lateBound<decltype(GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
  static auto* const query = lateBound<decltype(VerQueryValueW)>(L"version.dll", "VerQueryValueW");
  if (!infoSize || !info || !query) return false;
  const std::wstring path = wide(moduleFileName());
  DWORD ignored = 0;
  const DWORD size = infoSize(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> block(size);
  if (!info(path.c_str(), 0, size, block.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!query(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) {
    return false;
  }
  out.major = HIWORD(fixed->dwFileVersionMS);
  out.minor = LOWORD(fixed->dwFileVersionMS);
  out.build = HIWORD(fixed->dwFileVersionLS);
  out.revision = LOWORD(fixed->dwFileVersionLS);
  return true;
}

std::string Win32System::getPrivateProfileString(const std::string& section, const std::string& key,
                                                 const std::string& fallback,
                                                 std::uint32_t bufferSize,
                                                 const std::string& path) {
  if (bufferSize == 0) return {};
  std::wstring text(bufferSize, L'\0');
  const DWORD length =
      GetPrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), wide(fallback).c_str(),
                               text.data(), bufferSize, wide(path).c_str());
  return narrow(text.data(), length);
}

bool Win32System::claimSingleInstance(const std::string& name) {
  if (instanceMutex_) return true;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, wide(name).c_str());
  if (!mutex) return true;  // cannot tell: let this instance run rather than vanish
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  instanceMutex_ = mutex;
  return true;
}

void Win32System::releaseSingleInstance() {
  if (instanceMutex_) CloseHandle(instanceMutex_);
  instanceMutex_ = nullptr;
}

bool Win32System::hasAdministratorRights() {
  OsVersion version;
  if (!getVersionEx(version) || version.platformId != kVerPlatformWin32Nt) return true;
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    // Vista and later: a token that is not elevated has no administrator
    // rights, whatever groups it lists.
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool known =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    if (known) return elevation.TokenIsElevated != 0;
  }
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                0, 0, 0, 0, &administrators)) {
    return false;
  }
  BOOL member = FALSE;
  if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
  FreeSid(administrators);
  return member != FALSE;
}

LocalTime Win32System::localTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::uint32_t Win32System::processorCount() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors;
}

MemoryStatus Win32System::memoryStatus() {
  // GlobalMemoryStatusEx came with Windows 2000; the older call stops at 2 GB
  // (4 GB on some systems).
  using StatusEx = BOOL WINAPI(LPMEMORYSTATUSEX);
  static auto* const statusEx = reinterpret_cast<StatusEx*>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GlobalMemoryStatusEx")));
  if (statusEx) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (statusEx(&status)) {
      return {status.ullTotalPhys, status.ullAvailPhys, status.ullTotalPageFile,
              status.ullAvailPageFile};
    }
  }
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  return {status.dwTotalPhys, status.dwAvailPhys, status.dwTotalPageFile, status.dwAvailPageFile};
}

NumberSeparators Win32System::numberSeparators() {
  NumberSeparators separators;
  wchar_t text[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) > 1) {
    separators.decimal = narrow(text);
  }
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, 8) > 0) {
    separators.thousands = narrow(text);
  }
  return separators;
}

std::string Win32System::windowsDirectory() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  std::string path = narrow(folder, length < MAX_PATH ? length : 0);
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool Win32System::isWow64() {
#if defined(_WIN64)
  return false;
#else
  using IsWow64 = BOOL WINAPI(HANDLE, PBOOL);
  static auto* const isWow64Process = reinterpret_cast<IsWow64*>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

}  // namespace corvanta
