// The expanding Control Panel of the Start Menu: a folder in the user's Start
// Menu whose name ends in "." and the Control Panel's class identifier, which
// the shell shows as a menu of the Control Panel's items.
#pragma once

#include <optional>
#include <string>

namespace corvanta {

class FilePort;
class ScriptShell;

inline constexpr const char* kControlPanelId = "{21EC2020-3AEA-1069-A2DD-08002B30309D}";

class ControlPanelFolder {
 public:
  explicit ControlPanelFolder(FilePort& files) : files_(files) {}

  // The user's Start Menu folder, from the shell's folder list; nothing when
  // the list has no Start Menu.
  static std::optional<std::string> startMenu(ScriptShell& shell);
  // The name of the first entry, hidden ones and folders included, whose name
  // ends in ".<identifier>"; nothing when there is none.
  std::optional<std::string> find(const std::string& startMenu);
  // Creates "Control Panel.<identifier>" unless an entry of any name is
  // there. Returns the folder it could not create, or nothing.
  std::optional<std::string> ensure(const std::string& startMenu);
  // Removes the first entry found, if any; only that one. Returns the folder
  // it could not remove, or nothing.
  std::optional<std::string> remove(const std::string& startMenu);

 private:
  FilePort& files_;
};

}  // namespace corvanta
