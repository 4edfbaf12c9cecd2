// The error log: one line per reported failure, appended to PROGRAM.LOG in
// the app folder, or where that folder cannot be written (a program
// installed under Program Files, run by a standard user) to the user's
// local application data, Corvanta\PROGRAM.LOG. Nothing in the program
// reads, rotates or truncates it.
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

// The program's own log: beside it, or under the user's local application
// data when the program's folder cannot be written.
ErrorLog programLog(AppContext& app);

// appFolder + "\PROGRAM.LOG".
std::string logFilePath(const std::string& appFolder);

}  // namespace corvanta
