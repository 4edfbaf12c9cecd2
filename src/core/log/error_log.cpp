#include "core/log/error_log.h"

#include "base/resume.h"
#include "platform/file_port.h"

namespace corvanta {

std::string logFilePath(const std::string& appFolder) { return appFolder + "\\PROGRAM.LOG"; }

void ErrorLog::LogError(std::int32_t number, const std::string& message, const std::string& module,
                        const std::string& procedure) noexcept {
  resumeNext([&] {
    AppendLogLine("ERROR: " + std::to_string(number) + " at " + module + '\\' + procedure +
                  " >>> " + message);
  });
}

void ErrorLog::AppendLogLine(const std::string& line) noexcept {
  resumeNext([&] { files_.appendToFile(logPath_, line + "\r\n"); });
}

}  // namespace corvanta
