// Kernel services the program reads: environment expansion, the Windows
// version record and where the running program lives.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

inline constexpr std::uint32_t kVerPlatformWin32Windows = 1;  // the 9x family
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;

// The fields of OSVERSIONINFOA the program uses.
// The four numbers of a file version: 3.3.0.0.
struct FileVersion {
  std::uint16_t major = 0;
  std::uint16_t minor = 0;
  std::uint16_t build = 0;
  std::uint16_t revision = 0;
};

// The local date and time, to the second.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Physical memory and paging file in bytes, 64-bit wherever the system can
// tell (GlobalMemoryStatusEx), else as GlobalMemoryStatus gives them.
struct MemoryStatus {
  std::uint64_t totalPhysical = 0;
  std::uint64_t availablePhysical = 0;
  std::uint64_t totalPageFile = 0;
  std::uint64_t availablePageFile = 0;
};

// How the user writes numbers: the decimal and the thousands separator.
struct NumberSeparators {
  std::string decimal = ".";
  std::string thousands = ",";
};

struct OsVersion {
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t buildNumber = 0;
  std::uint32_t platformId = 0;
  std::string csdVersion;
};

class SystemPort {
 public:
  virtual ~SystemPort() = default;

  // ExpandEnvironmentStringsW, with a destination as large as the expansion
  // needs. Unknown references are left as they are, as Windows does.
  virtual std::string expandEnvironmentStrings(const std::string& text) = 0;
  // GetVersionExW. False when the
  // call fails; `out` is untouched then.
  virtual bool getVersionEx(OsVersion& out) = 0;
  // GetModuleFileNameW of the running program: its full path.
  virtual std::string moduleFileName() = 0;
  // The version resource of the running program; false when it has none.
  virtual bool moduleVersion(FileVersion& out) = 0;
  // GetPrivateProfileStringW: the value of `key` in `section` of the INI
  // file at `path`, or `fallback`; at most bufferSize - 1 characters.
  virtual std::string getPrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& fallback, std::uint32_t bufferSize,
                                              const std::string& path) = 0;
  // Claims the machine-wide name for this process until it ends; false when
  // another running process holds it already.
  virtual bool claimSingleInstance(const std::string& name) = 0;
  // Gives the name up again, so that another start of the program (the same
  // program with more rights, say) can claim it.
  virtual void releaseSingleInstance() = 0;
  // Whether the program runs with administrator rights: always on Windows
  // 9x; on NT, an elevated token or membership of the Administrators group.
  virtual bool hasAdministratorRights() = 0;
  virtual LocalTime localTime() = 0;
  // GetSystemInfo's number of processors.
  virtual std::uint32_t processorCount() = 0;
  virtual MemoryStatus memoryStatus() = 0;
  virtual NumberSeparators numberSeparators() = 0;
  // GetWindowsDirectoryA, without a trailing backslash.
  virtual std::string windowsDirectory() = 0;
  // True for a 32-bit program on 64-bit Windows, which the system shows
  // SysWOW64 where it names System32.
  virtual bool isWow64() = 0;
};

}  // namespace corvanta
