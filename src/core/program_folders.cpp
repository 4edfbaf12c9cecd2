#include "core/program_folders.h"

#include "core/log/error_log.h"
#include "platform/file_port.h"
#include "platform/shell_port.h"

namespace corvanta {
namespace {

std::string ownFolderUnder(const std::string& parent) {
  return parent.empty() ? std::string() : parent + "\\Corvanta";
}

}  // namespace

std::string ProgramFolders::data() {
  return portable() ? portableRoot_ + "\\Data" : ownFolderUnder(shell_.userAppDataFolder());
}

std::string ProgramFolders::backups() {
  const std::string folder = data();
  return folder.empty() ? std::string() : folder + "\\Backups";
}

std::string ProgramFolders::logFallback() {
  return portable() ? portableRoot_ + "\\Data" : ownFolderUnder(shell_.localAppDataFolder());
}

std::string ProgramFolders::logFile(const std::string& appFolder) {
  return logFilePath(portable() ? portableRoot_ + "\\Data" : appFolder);
}

std::string portableRootOf(FilePort& files, const std::string& appFolder) {
  // A folder of that name is not the marker.
  std::vector<FileEntry> found;
  if (files.findFiles(appFolder + '\\' + kPortableMarker, found) != kErrorSuccess ||
      found.size() != 1 || (found[0].attributes & kFileAttributeDirectory))
    return {};
  return appFolder;
}

}  // namespace corvanta
