#include "platform/win32/system_info_win32.h"

#include "platform/win32/system_win32.h"

#include <windows.h>
#include <intrin.h>

#include <cstring>
#include <vector>

#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

constexpr const wchar_t* kHardware = L"HARDWARE\\DESCRIPTION\\System";

// A string value of HKLM\key (a string list's first string), or "".
std::string machineString(const wchar_t* key, const wchar_t* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  wchar_t data[256] = {};
  DWORD size = sizeof data - 2 * sizeof(wchar_t);
  DWORD type = 0;
  const LONG status =
      RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_MULTI_SZ && type != REG_EXPAND_SZ))
    return {};
  return narrow(data);
}

DWORD machineDword(const wchar_t* key, const wchar_t* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  const LONG status =
      RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(opened);
  return status == ERROR_SUCCESS && type == REG_DWORD ? value : 0;
}

// The BIOS vendor's version and date from the SMBIOS table (structure type
// 0), where the system gives the firmware tables out.
void firmwareBios(std::string& version, std::string& date) {
  using FirmwareTable = UINT WINAPI(DWORD, DWORD, PVOID, DWORD);
  static auto* const table = reinterpret_cast<FirmwareTable*>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemFirmwareTable")));
  if (!table) return;
  constexpr DWORD kRawSmbios = 0x52534D42;  // 'RSMB'
  const UINT size = table(kRawSmbios, 0, nullptr, 0);
  if (size < 8) return;
  std::vector<BYTE> data(size);
  if (table(kRawSmbios, 0, data.data(), size) != size) return;
  // RawSMBIOSData: 8 bytes of header, then the structures.
  std::size_t at = 8;
  while (at + 4 <= data.size()) {
    const BYTE type = data[at];
    const BYTE length = data[at + 1];
    if (length < 4 || at + length > data.size()) return;
    // The strings follow the formatted part, each ended by a zero, the set
    // by a second zero.
    std::vector<std::string> strings;
    std::size_t text = at + length;
    while (text < data.size() && data[text] != 0) {
      const char* begin = reinterpret_cast<const char*>(&data[text]);
      const std::size_t count = strnlen(begin, data.size() - text);
      strings.emplace_back(begin, count);
      text += count + 1;
    }
    const auto string = [&](std::size_t offset) -> std::string {
      if (offset >= length) return {};
      const BYTE number = data[at + offset];
      return number >= 1 && number <= strings.size() ? strings[number - 1] : std::string();
    };
    if (type == 0) {
      version = string(5);
      date = string(8);
      return;
    }
    at = text + (strings.empty() ? 2 : 1);
  }
}

std::string osVersionText(const OSVERSIONINFOW& info) {
  const bool nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  std::string text = std::to_string(info.dwMajorVersion) + "." +
                     std::to_string(info.dwMinorVersion) + "." +
                     std::to_string(nt ? info.dwBuildNumber : LOWORD(info.dwBuildNumber));
  if (info.szCSDVersion[0]) text += " " + narrow(info.szCSDVersion);
  return text;
}

}  // namespace

SystemFacts Win32SystemInfo::collect() {
  SystemFacts facts;
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  if (GetComputerNameW(name, &length)) facts.computerName = narrow(name, length);
  wchar_t user[257] = {};
  length = 257;
  if (GetUserNameW(user, &length)) facts.userName = narrow(user);

  using InstalledMemory = BOOL WINAPI(PULONGLONG);
  static auto* const installed = reinterpret_cast<InstalledMemory*>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetPhysicallyInstalledSystemMemory")));
  ULONGLONG kilobytes = 0;
  const MemoryStatus memory = Win32System().memoryStatus();
  facts.installedMemory =
      installed && installed(&kilobytes) && kilobytes ? kilobytes * 1024 : memory.totalPhysical;
  facts.pagingFile = memory.totalPageFile;

  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool known = GetVersionExW(&version);
#pragma GCC diagnostic pop
  const bool nt = known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  const wchar_t* current = nt ? L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                              : L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  if (known) facts.osVersion = osVersionText(version);
  facts.osName = machineString(current, L"ProductName");
  facts.osId = machineString(current, L"ProductId");
  facts.compatible = machineString(kHardware, L"Identifier");

  const std::wstring bios = std::wstring(kHardware) + L"\\BIOS";
  facts.biosVersion = machineString(bios.c_str(), L"BIOSVersion");
  facts.biosDate = machineString(bios.c_str(), L"BIOSReleaseDate");
  if (facts.biosVersion.empty()) facts.biosVersion = machineString(kHardware, L"SystemBiosVersion");
  if (facts.biosDate.empty()) facts.biosDate = machineString(kHardware, L"SystemBiosDate");
  if (facts.biosVersion.empty() || facts.biosDate.empty()) {
    std::string firmwareVersion, firmwareDate;
    firmwareBios(firmwareVersion, firmwareDate);
    if (facts.biosVersion.empty()) facts.biosVersion = firmwareVersion;
    if (facts.biosDate.empty()) facts.biosDate = firmwareDate;
  }
  return facts;
}

std::string Win32SystemInfo::processorSpeed() {
  DWORD megahertz = machineDword(L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"~MHz");
  if (!megahertz) {
    // Time-stamp ticks over 20 ms of the performance counter, asleep.
    LARGE_INTEGER frequency{}, start{}, end{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return {};
    QueryPerformanceCounter(&start);
    const unsigned long long ticksBefore = __rdtsc();
    Sleep(20);
    const unsigned long long ticksAfter = __rdtsc();
    QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) /
                           static_cast<double>(frequency.QuadPart);
    if (seconds <= 0) return {};
    megahertz =
        static_cast<DWORD>(static_cast<double>(ticksAfter - ticksBefore) / seconds / 1e6 + 0.5);
  }
  return megahertz ? std::to_string(megahertz) + " MHz" : std::string();
}

}  // namespace corvanta
