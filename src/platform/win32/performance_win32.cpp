#include "platform/win32/performance_win32.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/perf_block.h"
#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

// SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION, one per processor, from
// NtQuerySystemInformation's class 8.
struct ProcessorTimes {
  LARGE_INTEGER idle;
  LARGE_INTEGER kernel;
  LARGE_INTEGER user;
  LARGE_INTEGER dpc;
  LARGE_INTEGER interrupt;
  ULONG interrupts;
};
constexpr ULONG kProcessorPerformanceInformation = 8;

bool idleTimes(std::vector<std::int64_t>& out) {
  using Query = LONG WINAPI(ULONG, PVOID, ULONG, PULONG);
  static auto* const query = reinterpret_cast<Query*>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return false;
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  std::vector<ProcessorTimes> times(system.dwNumberOfProcessors);
  ULONG returned = 0;
  if (query(kProcessorPerformanceInformation, times.data(),
            static_cast<ULONG>(times.size() * sizeof(ProcessorTimes)), &returned) != 0) {
    return false;
  }
  out.clear();
  for (std::size_t i = 0; i < returned / sizeof(ProcessorTimes); ++i) {
    out.push_back(times[i].idle.QuadPart);
  }
  return !out.empty();
}

bool holdsProcessorObject(const std::uint8_t* data, std::uint32_t size) {
  try {
    const PerfBlockReader block(data, size);
    return block.hasSignature() && block.findObject(kProcessorObject).has_value();
  } catch (const CorruptBlock&) {
    return false;
  }
}

}  // namespace

long Win32PerformanceData::queryPerformanceData(const std::string& objects, std::uint8_t* data,
                                                std::uint32_t& size) {
  DWORD length = size;
  DWORD type = 0;
  const LONG status =
      RegQueryValueExW(HKEY_PERFORMANCE_DATA, wide(objects).c_str(), nullptr, &type, data, &length);
  // The performance data stays open until closed, holding the counter DLLs.
  RegCloseKey(HKEY_PERFORMANCE_DATA);
  if (status == ERROR_MORE_DATA) return status;
  if (status == ERROR_SUCCESS && holdsProcessorObject(data, length)) {
    size = length;
    return status;
  }

  std::vector<std::int64_t> idle;
  if (!idleTimes(idle)) return status == ERROR_SUCCESS ? ERROR_INVALID_DATA : status;
  SYSTEMTIME now{};
  GetSystemTime(&now);
  const std::vector<std::uint8_t> block =
      buildProcessorBlock({now.wYear, now.wMonth, now.wDayOfWeek, now.wDay, now.wHour, now.wMinute,
                           now.wSecond, now.wMilliseconds},
                          idle);
  if (block.size() > size) return ERROR_MORE_DATA;
  std::memcpy(data, block.data(), block.size());
  size = static_cast<std::uint32_t>(block.size());
  return ERROR_SUCCESS;
}

}  // namespace corvanta
