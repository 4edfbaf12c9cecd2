// The program's services on Windows, wired: the Win32 implementation of
// every port, the window system with its skin and splash, the settings and
// the languages, and the context every window is handed. WinMain makes one;
// so do the timings under Wine that run a window as the program does.
#pragma once

#include <string>

#include "core/app_context.h"
#include "core/app_info.h"
#include "core/changes/change_journal.h"
#include "core/changes/journaling_ports.h"
#include "core/i18n/localizer.h"
#include "core/log/error_log.h"
#include "core/program_folders.h"
#include "core/restore_points.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/drive_win32.h"
#include "platform/win32/file_win32.h"
#include "platform/win32/performance_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/restore_point_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/shortcut_win32.h"
#include "platform/win32/system_info_win32.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/wide_text.h"
#include "registry/settings_store.h"
#include "ui/forms.h"
#include "ui/headless.h"
#include "ui/win32/skin_engine.h"
#include "ui/win32/splash_window.h"
#include "ui/win32/win32_window_system.h"

namespace corvanta {

class Win32Program {
 public:
  // `appFolder`: where the languages, skin, splash and help are; the
  // running program's own folder when empty. With `consoleDialogs`, the
  // program runs without windows (the command line): its windows load
  // unseen and its messages go to those dialogs.
  explicit Win32Program(const std::string& appFolder = {}, DialogsPort* consoleDialogs = nullptr)
      : appFolder_(appFolder.empty() ? AppFolder(system_) : appFolder),
        context_{journaledRegistry_,
                 system_,
                 journaledFiles_,
                 drives_,
                 consoleDialogs ? *consoleDialogs : static_cast<DialogsPort&>(dialogs_),
                 shortcuts_,
                 shell_,
                 performance_,
                 processes_,
                 systemInfo_,
                 journaledDesktop_,
                 consoleDialogs ? headlessForms_ : forms_,
                 consoleDialogs ? static_cast<ui::Skin&>(headlessSkin_) : skin_,
                 consoleDialogs ? static_cast<ui::Splash&>(headlessSplash_) : splash_,
                 settings_,
                 localizer_,
                 journal_,
                 folders_,
                 restorePoints_,
                 appFolder_} {
    journal_.setBeforeFirstChange([this] { return restorePoints_.beforeFirstChange(); });
    journal_.onArchiveFailure([this](const std::string& message) {
      programLog(context_).LogError(0, message, "ChangeJournal", "end");
    });
    windows_.setSkinPainter(&skin_);
    setDisplayCollation(&userCollation);
    translateEveryWindow(forms_, localizer_);
    translateEveryWindow(headlessForms_, localizer_);
    if (consoleDialogs) localizer_.useLanguage(kEnglish);
  }
  Win32Program(const Win32Program&) = delete;
  Win32Program& operator=(const Win32Program&) = delete;

  AppContext& context() { return context_; }
  ui::win32::Win32WindowSystem& windows() { return windows_; }

 private:
  Win32Registry registry_;
  Win32System system_;
  Win32Files files_;
  Win32Drives drives_;
  Win32Dialogs dialogs_;
  Win32Shortcuts shortcuts_;
  Win32Shell shell_;
  Win32PerformanceData performance_;
  Win32Processes processes_;
  Win32SystemInfo systemInfo_;
  Win32Desktop desktop_;
  ui::win32::Win32WindowSystem windows_;
  ui::win32::SkinEngine skin_{desktop_};
  ui::win32::SplashWindow splash_;
  ui::Forms forms_{windows_};
  std::string appFolder_;
  // Portable (portable.ini beside the program): its settings, journal,
  // backups and log all in Data beside it.
  std::string portableRoot_ = portableRootOf(files_, appFolder_);
  ProgramFolders folders_{shell_, portableRoot_};
  SettingsStore settings_ = portableRoot_.empty()
                                ? SettingsStore(registry_)
                                : SettingsStore(files_, portableRoot_ + "\\Data\\Settings");
  Localizer localizer_{files_, settings_, appFolder_};
  ChangeJournal journal_{files_, folders_, system_};
  Win32RestorePoints restorePointPort_;
  RestorePoints restorePoints_{restorePointPort_, settings_};
  JournalingRegistry journaledRegistry_{registry_, journal_};
  JournalingFiles journaledFiles_{files_, journal_};
  JournalingDesktop journaledDesktop_{desktop_, journal_};
  ui::HeadlessWindowSystem headless_;
  ui::HeadlessSkin headlessSkin_;
  ui::HeadlessSplash headlessSplash_;
  ui::Forms headlessForms_{headless_};
  AppContext context_;
};

}  // namespace corvanta
