// Start-up phases for the benchmark: when the environment variable
// CORVANTA_STARTUP_TRACE names a file, each phase's moment is kept in memory
// (a file written at each would cost more than the phases it measures) and
// writeStartupTrace, as the program ends, writes them to the file as
// "<phase>\t<microseconds since the process was created>". Without the
// variable a phase costs one look at a cached flag.
#pragma once

#include <windows.h>

#include <array>
#include <cstdio>
#include <string>

namespace corvanta {
namespace startup_trace {

struct Phase {
  const char* name;
  unsigned long long at;  // 100 ns units, system time
};

inline const std::wstring& file() {
  static const std::wstring path = [] {
    wchar_t name[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"CORVANTA_STARTUP_TRACE", name, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(name, length) : std::wstring();
  }();
  return path;
}

inline std::array<Phase, 16>& phases() {
  static std::array<Phase, 16> kept{};
  return kept;
}
inline std::size_t& count() {
  static std::size_t kept = 0;
  return kept;
}

inline unsigned long long ticks(const FILETIME& time) {
  return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace startup_trace

inline void tracePhase(const char* phase) {
  using namespace startup_trace;
  if (file().empty() || count() == phases().size()) return;
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  phases()[count()++] = {phase, ticks(now)};
}

inline void writeStartupTrace() {
  using namespace startup_trace;
  if (file().empty() || count() == 0) return;
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  std::string text;
  for (std::size_t i = 0; i < count(); ++i) {
    char line[96];
    std::snprintf(line, sizeof line, "%s\t%llu\n", phases()[i].name,
                  (phases()[i].at - ticks(created)) / 10);
    text += line;
  }
  const HANDLE out = CreateFileW(file().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(out);
}

}  // namespace corvanta
