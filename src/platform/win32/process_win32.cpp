#include "platform/win32/process_win32.h"

#include <windows.h>
#include <tlhelp32.h>

#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

HANDLE toHandle(std::uintptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

constexpr DWORD kQueryLimitedInformation = 0x1000;

std::optional<std::uint64_t> startedAt(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
  return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// 0 for a process the system will not open for us.
std::uint64_t startedAt(DWORD id) {
  const HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, id);
  if (!process) return 0;
  const auto created = startedAt(process);
  CloseHandle(process);
  return created.value_or(0);
}

}  // namespace

bool Win32Processes::snapshot(std::vector<ProcessEntry>& processes) {
  // Processes only: a snapshot of every heap and module of every process
  // would cost far more and tell the list nothing.
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  std::vector<ProcessEntry> found;
  std::map<std::uint32_t, ProcessEntry> known;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    ProcessEntry process{entry.th32ProcessID, narrow(entry.szExeFile)};
    const auto before = known_.find(process.id);
    process.created = before != known_.end() && before->second.exeName == process.exeName
                          ? before->second.created
                          : startedAt(process.id);
    known.emplace(process.id, process);
    found.push_back(std::move(process));
    entry.dwSize = sizeof entry;
  }
  CloseHandle(snapshot);
  known_ = std::move(known);
  processes = std::move(found);
  return true;
}

std::uint32_t Win32Processes::currentProcessId() { return GetCurrentProcessId(); }

std::optional<bool> Win32Processes::isCritical(std::uint32_t id) {
  using IsCritical = BOOL WINAPI(HANDLE, PBOOL);
  static auto* const isProcessCritical = reinterpret_cast<IsCritical*>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsProcessCritical")));
  if (!isProcessCritical) return std::nullopt;
  const HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, id);
  if (!process) return std::nullopt;
  BOOL critical = FALSE;
  const BOOL answered = isProcessCritical(process, &critical);
  CloseHandle(process);
  if (!answered) return std::nullopt;
  return critical != FALSE;
}

std::uintptr_t Win32Processes::openProcess(std::uint32_t access, std::uint32_t id) {
  return reinterpret_cast<std::uintptr_t>(OpenProcess(access, FALSE, id));
}

bool Win32Processes::getExitCode(std::uintptr_t process, std::uint32_t& code) {
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(toHandle(process), &exitCode)) return false;
  code = exitCode;
  return true;
}

std::optional<std::uint64_t> Win32Processes::creationTime(std::uintptr_t process) {
  return startedAt(toHandle(process));
}

bool Win32Processes::terminate(std::uintptr_t process, std::uint32_t exitCode) {
  return TerminateProcess(toHandle(process), exitCode) != FALSE;
}

bool Win32Processes::closeHandle(std::uintptr_t handle) {
  return CloseHandle(toHandle(handle)) != FALSE;
}

std::uint32_t Win32Processes::lastError() { return GetLastError(); }

}  // namespace corvanta
