// The backup every repair writes before it deletes anything, under the
// user's application-data folder:
//
//   Corvanta\Backups\<yyyy-mm-dd hh-mm-ss> <check>.reg    registry checks
//   Corvanta\Backups\<yyyy-mm-dd hh-mm-ss> <check>\       the shortcut check,
//       C\folder\name.lnk ...                              each file copied
//                                                          with its attributes
//
// Importing the .reg file (double-click, or regedit /s) gives back every key
// and value; copying a shortcut back to where its folder path says restores it.
#pragma once

#include <string>

#include "health/reg_export.h"

namespace corvanta {

struct AppContext;

// "<application data>\Corvanta\Backups"; empty when that folder is not known.
std::string backupsFolder(AppContext& app);

class RepairBackup {
 public:
  RepairBackup(AppContext& app, const std::string& check);

  RegExport& registry() { return registry_; }
  // Writes the gathered keys and values as one .reg file. False when the
  // file cannot be written: nothing may be deleted then.
  bool writeRegistry();
  // Copies the file into the backup folder, under its own path. False when
  // the copy cannot be made: that file may not be deleted then.
  bool addFile(const std::string& path);
  // Tells the user, in one message box, that the backup could not be
  // written and nothing was deleted.
  void tellFailure() const;
  // Where the backup goes (file or folder).
  const std::string& location() const { return location_; }

 private:
  AppContext& app_;
  RegExport registry_;
  std::string location_;
  bool ready_;
  bool folderMade_ = false;
};

}  // namespace corvanta
