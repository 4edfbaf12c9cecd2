#include "health/repair_backup.h"

#include <array>
#include <cstdio>

#include "core/app_context.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
#include "platform/dialogs_port.h"
#include "platform/file_port.h"
#include "core/program_folders.h"
#include "platform/system_port.h"

namespace corvanta {
namespace {

std::string timestamp(const LocalTime& now) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d-%02d-%02d", now.year, now.month,
                now.day, now.hour, now.minute, now.second);
  return text.data();
}

}  // namespace

std::string backupsFolder(AppContext& app) {
  return app.folders.backups();
}

RepairBackup::RepairBackup(AppContext& app, const std::string& check)
    : app_(app), registry_(app.registry) {
  const std::string backups = backupsFolder(app);
  ready_ = !backups.empty();
  const std::string folder = ready_ ? backups : std::string("?\\Corvanta\\Backups");
  location_ = folder + '\\' + timestamp(app.system.localTime()) + ' ' + check;
  ready_ = ready_ && makeFolderTree(app_.files, folder);
}

bool RepairBackup::writeRegistry() {
  if (!ready_) return false;
  // Two runs in the same second get a file each.
  for (int attempt = 1; attempt <= 9; ++attempt) {
    const std::string file =
        location_ + (attempt == 1 ? "" : " (" + std::to_string(attempt) + ")") + ".reg";
    const long status = app_.files.createNewFile(file, registry_.fileBytes());
    if (status == kErrorSuccess) {
      location_ = file;
      return true;
    }
    if (status != kErrorFileExists) return false;
  }
  return false;
}

bool RepairBackup::addFile(const std::string& path) {
  if (!ready_ || path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
  if (!folderMade_) {
    folderMade_ = makeFolderTree(app_.files, location_);
    if (!folderMade_) return false;
  }
  // "C:\folder\name.lnk" is kept as "<backup>\C\folder\name.lnk".
  const std::string copy = location_ + '\\' + path[0] + path.substr(2);
  return makeFolderTree(app_.files, copy.substr(0, copy.find_last_of('\\'))) &&
         app_.files.copyFile(path, copy, true) == kErrorSuccess;
}

void RepairBackup::tellFailure() const {
  app_.dialogs.messageBox(
      app_.localizer.text("8131",
                          "The backup of this repair could not be written to%n%1%n%nNothing was "
                          "deleted.",
                          {location_}),
      kAppTitle, kMbOk | kMbIconError);
}

}  // namespace corvanta
