// Kernel services the program reads: environment expansion, the Windows
// version record and where the running program lives.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

inline constexpr std::uint32_t kVerPlatformWin32Windows = 1;  // the 9x family
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;

// The fields of OSVERSIONINFOA the program uses.
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

  // ExpandEnvironmentStringsA, with a destination as large as the expansion
  // needs. Unknown references are left as they are, as Windows does.
  virtual std::string expandEnvironmentStrings(const std::string& text) = 0;
  // GetVersionExA with the record's size field set to 148. False when the
  // call fails; `out` is untouched then.
  virtual bool getVersionEx(OsVersion& out) = 0;
  // GetModuleFileNameA of the running program: its full path.
  virtual std::string moduleFileName() = 0;
};

}  // namespace corvanta
