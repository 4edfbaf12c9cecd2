// The error log: one line per reported failure, appended to PROGRAM.LOG in
// the app folder. Nothing in the program reads, rotates or truncates it.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

class FilePort;

class ErrorLog {
 public:
  ErrorLog(FilePort& files, std::string logPath) : files_(files), logPath_(std::move(logPath)) {}

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
};

// appFolder + "\PROGRAM.LOG".
std::string logFilePath(const std::string& appFolder);

}  // namespace corvanta
