#include "core/log/error_log.h"

#include <vector>

#include "base/resume.h"
#include "core/app_context.h"
#include "platform/file_port.h"
#include "core/program_folders.h"

namespace corvanta {

std::string logFilePath(const std::string& appFolder) { return appFolder + "\\PROGRAM.LOG"; }

void ErrorLog::LogError(std::int32_t number, const std::string& message, const std::string& module,
                        const std::string& procedure) noexcept {
  resumeNext([&] {
    AppendLogLine("ERROR: " + std::to_string(number) + " at " + module + '\\' + procedure +
                  " >>> " + message);
  });
}

namespace {

// Sets a log past its size aside as "<name>.1.<extension>", replacing an
// earlier one; the log itself goes only once its copy is made.
void rotateIfLarge(FilePort& files, const std::string& path) {
  std::vector<FileEntry> found;
  if (files.findFiles(path, found) != kErrorSuccess || found.size() != 1 ||
      found[0].size < kLogRotateBytes)
    return;
  const std::size_t dot = path.find_last_of(".\\");
  const std::string kept = dot != std::string::npos && path[dot] == '.'
                               ? path.substr(0, dot) + ".1" + path.substr(dot)
                               : path + ".1";
  if (files.copyFile(path, kept, false) == kErrorSuccess) files.deleteFile(path);
}

}  // namespace

void ErrorLog::AppendLogLine(const std::string& line) noexcept {
  resumeNext([&] {
    rotateIfLarge(files_, logPath_);
    if (files_.appendToFile(logPath_, line + "\r\n") == kErrorSuccess || fallbackFolder_.empty())
      return;
    if (makeFolderTree(files_, fallbackFolder_)) {
      const std::string fallback = fallbackFolder_ + "\\PROGRAM.LOG";
      rotateIfLarge(files_, fallback);
      files_.appendToFile(fallback, line + "\r\n");
    }
  });
}

ErrorLog programLog(AppContext& app) {
  return ErrorLog(app.files, app.folders.logFile(app.appFolder), app.folders.logFallback());
}

}  // namespace corvanta
