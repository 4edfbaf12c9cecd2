// Everything the program's windows work with: the platform's services and
// the window system, handed to each window when it is made. Only the
// composition root (main.cpp) and the tests fill one in.
#pragma once

#include <string>

namespace corvanta {

class DesktopPort;
class DialogsPort;
class DrivePort;
class FilePort;
class PerformanceDataPort;
class ProcessPort;
class RegistryPort;
class ShellPort;
class ShortcutPort;
class SystemInfoPort;
class SystemPort;
class SettingsStore;
class Localizer;
class ChangeJournal;
class ProgramFolders;
class RestorePoints;
namespace ui {
class Forms;
class Skin;
class Splash;
}  // namespace ui

struct AppContext {
  RegistryPort& registry;
  SystemPort& system;
  FilePort& files;
  DrivePort& drives;
  DialogsPort& dialogs;
  ShortcutPort& shortcuts;
  ShellPort& shell;
  PerformanceDataPort& performance;
  ProcessPort& processes;
  SystemInfoPort& systemInfo;
  DesktopPort& desktop;
  ui::Forms& forms;
  ui::Skin& skin;
  ui::Splash& splash;
  SettingsStore& settings;
  Localizer& localizer;
  // The record of what the windows change, and undo (the registry and files
  // above write through it while a change group is open).
  ChangeJournal& journal;
  // Where the program keeps its own files (portable or not).
  ProgramFolders& folders;
  // The restore point asked for before an armed action's first change.
  RestorePoints& restorePoints;
  std::string appFolder;
};

}  // namespace corvanta
