#include "platform/win32/system_info_win32.h"

#include "platform/win32/system_win32.h"

#include <windows.h>
#include <intrin.h>

#include <cstring>
#include <vector>

namespace corvanta {
namespace {

constexpr const char* kHardware = "HARDWARE\\DESCRIPTION\\System";

// A string value of HKLM\key (a string list's first string), or "".
std::string machineString(const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  char data[512] = {};
  DWORD size = sizeof data - 2;
  DWORD type = 0;
  const LONG status =
      RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_MULTI_SZ && type != REG_EXPAND_SZ))
    return {};
  return data;
}

DWORD machineDword(const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  const LONG status =
      RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(opened);
  return status == ERROR_SUCCESS && type == REG_DWORD ? value : 0;
}

// The BIOS vendor's version and date from the SMBIOS table (structure type
// 0), where the system gives the firmware tables out.
void firmwareBios(std::string& version, std::string& date) {
  using FirmwareTable = UINT WINAPI(DWORD, DWORD, PVOID, DWORD);
  static auto* const table = reinterpret_cast<FirmwareTable*>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemFirmwareTable")));
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

std::string osVersionText(const OSVERSIONINFOA& info) {
  const bool nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  std::string text = std::to_string(info.dwMajorVersion) + "." +
                     std::to_string(info.dwMinorVersion) + "." +
                     std::to_string(nt ? info.dwBuildNumber : LOWORD(info.dwBuildNumber));
  if (info.szCSDVersion[0]) text += std::string(" ") + info.szCSDVersion;
  return text;
}

}  // namespace

SystemFacts Win32SystemInfo::collect() {
  SystemFacts facts;
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = sizeof name;
  if (GetComputerNameA(name, &length)) facts.computerName.assign(name, length);
  char user[257] = {};
  length = sizeof user;
  if (GetUserNameA(user, &length)) facts.userName = user;

  using InstalledMemory = BOOL WINAPI(PULONGLONG);
  static auto* const installed = reinterpret_cast<InstalledMemory*>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetPhysicallyInstalledSystemMemory")));
  ULONGLONG kilobytes = 0;
  const MemoryStatus memory = Win32System().memoryStatus();
  facts.installedMemory =
      installed && installed(&kilobytes) && kilobytes ? kilobytes * 1024 : memory.totalPhysical;
  facts.pagingFile = memory.totalPageFile;

  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool known = GetVersionExA(&version);
#pragma GCC diagnostic pop
  const bool nt = known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  const char* current = nt ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                           : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  if (known) facts.osVersion = osVersionText(version);
  facts.osName = machineString(current, "ProductName");
  facts.osId = machineString(current, "ProductId");
  facts.compatible = machineString(kHardware, "Identifier");

  const std::string bios = std::string(kHardware) + "\\BIOS";
  facts.biosVersion = machineString(bios.c_str(), "BIOSVersion");
  facts.biosDate = machineString(bios.c_str(), "BIOSReleaseDate");
  if (facts.biosVersion.empty()) facts.biosVersion = machineString(kHardware, "SystemBiosVersion");
  if (facts.biosDate.empty()) facts.biosDate = machineString(kHardware, "SystemBiosDate");
  if (facts.biosVersion.empty() || facts.biosDate.empty()) {
    std::string firmwareVersion, firmwareDate;
    firmwareBios(firmwareVersion, firmwareDate);
    if (facts.biosVersion.empty()) facts.biosVersion = firmwareVersion;
    if (facts.biosDate.empty()) facts.biosDate = firmwareDate;
  }
  return facts;
}

std::string Win32SystemInfo::processorSpeed() {
  DWORD megahertz = machineDword("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "~MHz");
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
