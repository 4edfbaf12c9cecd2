// The error log: one line per reported failure, appended to PROGRAM.LOG in
// the app folder, or where that folder cannot be written (a program
// installed under Program Files, run by a standard user) to the user's
// local application data, Corvanta\PROGRAM.LOG. Once it has grown past a
// megabyte it is kept as PROGRAM.1.LOG (an earlier one of that name goes)
// and a new one begun, so that years of use never fill a disk.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

class FilePort;
struct AppContext;

class ErrorLog {
 public:
  // `fallbackFolder`, when given, is where the log goes when `logPath`
  // cannot be written (made if need be).
  ErrorLog(FilePort& files, std::string logPath, std::string fallbackFolder = {})
      : files_(files), logPath_(std::move(logPath)), fallbackFolder_(std::move(fallbackFolder)) {}

  // Appends "ERROR: <number> at <module>\<procedure> >>> <message>".
  void LogError(std::int32_t number, const std::string& message, const std::string& module,
                const std::string& procedure) noexcept;
  // Appends the line and a carriage return and line feed. A log that cannot
  // be written loses the entry, quietly: reporting a failure must never
  // become a failure of its own.
  void AppendLogLine(const std::string& line) noexcept;

 private:
  FilePort& files_;
  std::string logPath_;
  std::string fallbackFolder_;
};

// The program's own log: beside it (in Data when portable), or under the
// user's local application data when the program's folder cannot be written.
ErrorLog programLog(AppContext& app);

// appFolder + "\PROGRAM.LOG".
std::string logFilePath(const std::string& appFolder);

// A log past this size is set aside before the next line.
inline constexpr std::uint64_t kLogRotateBytes = 1024 * 1024;

}  // namespace corvanta
