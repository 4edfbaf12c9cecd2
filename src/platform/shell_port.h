// Starting programs and documents through the shell.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMinimized = 2;
inline constexpr int kSwShowMaximized = 3;

inline constexpr std::uint32_t kShFormatError = 0xFFFFFFFF;
inline constexpr std::uint32_t kShFormatCancel = 0xFFFFFFFE;
inline constexpr std::uint32_t kShFormatNoFormat = 0xFFFFFFFD;

class ShellPort {
 public:
  virtual ~ShellPort() = default;

  // ShellExecuteA with the default verb. Returns its result: above 32 on
  // success, otherwise the error (2 for a missing file).
  virtual std::intptr_t shellExecute(std::uintptr_t owner, const std::string& file,
                                     const std::string& parameters, const std::string& folder,
                                     int showCommand) = 0;
  // The user's own application-data folder (roaming), without a trailing
  // backslash; empty when the system cannot say.
  virtual std::string userAppDataFolder() = 0;
  // The same for the user's local (not roaming) application data.
  virtual std::string localAppDataFolder() = 0;
  // Starts the program at `path` with administrator rights (the shell's
  // "runas"): above 32 when it started, else the failure (the user may have
  // said no).
  virtual std::intptr_t runElevated(std::uintptr_t owner, const std::string& path) = 0;
  // SHFormatDrive: the system's format dialog for drive 0 (A:) ... 25 (Z:),
  // with the default format and options. Its result: the format's
  // identifier on success, else kShFormatError, kShFormatCancel or
  // kShFormatNoFormat.
  virtual std::uint32_t formatDrive(std::uintptr_t owner, std::uint32_t drive) = 0;
  // SHEmptyRecycleBinA for every drive, without confirmation: its HRESULT.
  virtual std::int32_t emptyRecycleBin(std::uintptr_t owner) = 0;
  virtual void updateRecycleBinIcon() = 0;
};

}  // namespace corvanta
