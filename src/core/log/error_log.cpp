#include "core/log/error_log.h"

#include "base/resume.h"
#include "core/app_context.h"
#include "platform/file_port.h"
#include "platform/shell_port.h"

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
  resumeNext([&] {
    if (files_.appendToFile(logPath_, line + "\r\n") == kErrorSuccess || fallbackFolder_.empty())
      return;
    if (makeFolderTree(files_, fallbackFolder_))
      files_.appendToFile(fallbackFolder_ + "\\PROGRAM.LOG", line + "\r\n");
  });
}

ErrorLog programLog(AppContext& app) {
  const std::string local = app.shell.localAppDataFolder();
  return ErrorLog(app.files, logFilePath(app.appFolder),
                  local.empty() ? std::string() : local + "\\Corvanta");
}

}  // namespace corvanta
