// Where the program keeps what it writes for itself: the changes journal
// and its copies, the repair backups, the wallpaper it makes, and the log.
// Installed, that is the user's application-data folders; portable (a file
// portable.ini beside the program, as the zip ships it), a Data folder
// beside the program, so that nothing of the program's own is left in the
// profile.
#pragma once

#include <string>

namespace corvanta {

class FilePort;
class ShellPort;

// The file whose presence beside the program makes it portable.
inline constexpr const char* kPortableMarker = "portable.ini";

class ProgramFolders {
 public:
  // `portableRoot`: the program's folder when it runs portable, else empty.
  explicit ProgramFolders(ShellPort& shell, std::string portableRoot = {})
      : shell_(shell), portableRoot_(std::move(portableRoot)) {}

  bool portable() const { return !portableRoot_.empty(); }
  // The folder of the journal, copies, backups and wallpaper, without a
  // trailing backslash; empty when the system cannot say where it is.
  std::string data();
  // The repair backups' folder in it; empty when data() is.
  std::string backups();
  // Where the log goes when the program's own folder cannot be written:
  // the user's local (not roaming) application data, or Data when portable.
  std::string logFallback();
  // Where the log goes first: beside the program, or in Data when portable.
  std::string logFile(const std::string& appFolder);

 private:
  ShellPort& shell_;
  std::string portableRoot_;
};

// The program's folder when portable.ini lies in it, else empty: what
// ProgramFolders and the settings store are made with.
std::string portableRootOf(FilePort& files, const std::string& appFolder);

}  // namespace corvanta
