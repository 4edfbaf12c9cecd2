// One program's worth of fakes wired into an AppContext, with the shipped
// English language file in place: what the window tests start from.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "core/app_context.h"
#include "core/changes/change_journal.h"
#include "core/changes/journaling_ports.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
#include "core/program_folders.h"
#include "core/restore_points.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_files.h"
#include "fakes/fake_monitor.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_restore_points.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_shortcuts.h"
#include "fakes/fake_system.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_ui.h"
#include "registry/settings_store.h"
#include "ui/forms.h"

namespace corvanta::testing {

inline std::string readSourceFile(const std::string& relative) {
  std::ifstream file(std::string(CORVANTA_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

struct AppHarness {
  // `portable`: as the program runs with portable.ini beside it.
  explicit AppHarness(bool portable = false)
      : portableRoot(portable ? appFolder : std::string()),
        settings(portable ? SettingsStore(files, appFolder + "\\Data\\Settings")
                          : SettingsStore(registry)) {
    journal.setBeforeFirstChange([this] { return restorePoints.beforeFirstChange(); });
    files.addFile(languageFile(kEnglish), readSourceFile("languages/English.ini"));
    translateEveryWindow(forms, localizer);
  }

  std::string languageFile(const std::string& language) const {
    return appFolder + "\\languages\\" + language + ".ini";
  }
  // This harness's context with some of its ports replaced, by the real
  // ones in the tests under Wine.
  struct Replacements {
    RegistryPort* registry = nullptr;
    SystemPort* system = nullptr;
    FilePort* files = nullptr;
    DrivePort* drives = nullptr;
    ShortcutPort* shortcuts = nullptr;
    ProcessPort* processes = nullptr;
    SystemInfoPort* systemInfo = nullptr;
    DesktopPort* desktop = nullptr;
    ui::Forms* forms = nullptr;
    ui::Skin* skin = nullptr;
    ChangeJournal* journal = nullptr;
    std::string appFolder = {};
  };
  AppContext contextWith(const Replacements& with) {
    const auto pick = [](auto* replacement, auto& fake) -> decltype(*replacement) {
      return replacement ? *replacement : fake;
    };
    return AppContext{pick(with.registry, registry),
                      pick(with.system, system),
                      pick(with.files, files),
                      pick(with.drives, drives),
                      dialogs,
                      pick(with.shortcuts, shortcuts),
                      shell,
                      performance,
                      pick(with.processes, processes),
                      pick(with.systemInfo, systemInfo),
                      pick(with.desktop, desktop),
                      pick(with.forms, forms),
                      pick(with.skin, skin),
                      splash,
                      settings,
                      localizer,
                      pick(with.journal, journal),
                      folders,
                      restorePoints,
                      with.appFolder.empty() ? appFolder : with.appFolder};
  }

  void storeLanguage(const std::string& language) {
    settings.SaveSetting("Corvanta", "Language", "lng", language);
  }

  FakeRegistry registry;
  FakeSystem system;
  FakeFiles files;
  FakeDrives drives;
  FakeDialogs dialogs;
  FakeShortcuts shortcuts;
  FakeShell shell;
  FakePerformanceData performance;
  FakeProcesses processes;
  FakeSystemInfo systemInfo;
  FakeDesktop desktop;
  FakeWindowSystem windows;
  FakeSkin skin;
  FakeSplash splash;
  ui::Forms forms{windows};
  std::string appFolder = AppFolder(system);
  std::string portableRoot;
  SettingsStore settings;
  Localizer localizer{files, settings, appFolder};
  // What the windows change goes through the journal, as in the program.
  ProgramFolders folders{shell, portableRoot};
  ChangeJournal journal{files, folders, system};
  FakeRestorePoints restorePointPort{registry};
  RestorePoints restorePoints{restorePointPort, settings};
  JournalingRegistry journaledRegistry{registry, journal};
  JournalingFiles journaledFiles{files, journal};
  JournalingDesktop journaledDesktop{desktop, journal};
  AppContext context{journaledRegistry, system,    journaledFiles,   drives,    dialogs,
                     shortcuts,         shell,     performance,      processes, systemInfo,
                     journaledDesktop,  forms,     skin,             splash,    settings,
                     localizer,         journal,   folders,          restorePoints, appFolder};
};

}  // namespace corvanta::testing
