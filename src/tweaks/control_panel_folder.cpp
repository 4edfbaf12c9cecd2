#include "tweaks/control_panel_folder.h"

#include "base/resume.h"
#include "platform/file_port.h"
#include "registry/script_shell.h"

namespace corvanta {
namespace {

constexpr const char* kStartMenuValue =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
    "Folders\\Start Menu";

}  // namespace

std::optional<std::string> ControlPanelFolder::startMenu(ScriptShell& shell) {
  std::string folder;
  resumeNext([&] { folder = shell.RegRead(kStartMenuValue).toText(); });
  if (folder.empty()) return std::nullopt;
  return folder;
}

std::optional<std::string> ControlPanelFolder::find(const std::string& startMenu) {
  std::vector<FileEntry> entries;
  if (files_.findFiles(startMenu + "\\*." + kControlPanelId, entries) != 0) return std::nullopt;
  // Hidden entries and folders count; system entries are not looked at.
  for (const FileEntry& entry : entries) {
    if (!(entry.attributes & kFileAttributeSystem)) return entry.name;
  }
  return std::nullopt;
}

std::optional<std::string> ControlPanelFolder::ensure(const std::string& startMenu) {
  if (find(startMenu)) return std::nullopt;
  const std::string folder = startMenu + "\\Control Panel." + kControlPanelId;
  if (files_.createDirectory(folder) != 0) return folder;
  return std::nullopt;
}

std::optional<std::string> ControlPanelFolder::remove(const std::string& startMenu) {
  const auto name = find(startMenu);
  if (!name) return std::nullopt;
  const std::string folder = startMenu + "\\" + *name;
  if (files_.removeDirectory(folder) != 0) return folder;
  return std::nullopt;
}

}  // namespace corvanta
