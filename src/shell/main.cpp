// The composition root: the Win32 implementations of every port, the window
// system and the skin, wired into the program; then the main window runs
// until the program's last window is closed.
#include <windows.h>

#include <exception>
#include <string>

#include "core/app_context.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/drive_win32.h"
#include "platform/win32/file_win32.h"
#include "platform/win32/performance_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/shortcut_win32.h"
#include "platform/win32/system_info_win32.h"
#include "platform/win32/system_win32.h"
#include "registry/settings_store.h"
#include "shell/main_form.h"
#include "ui/forms.h"
#include "ui/win32/skin_engine.h"
#include "ui/win32/splash_window.h"
#include "ui/win32/win32_window_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace corvanta;
  // First of all: every DLL loaded from here on comes from System32, never
  // from the program's own folder, where anyone may have put a file of the
  // same name. (Windows 7 without its 2011 update lacks the call; there the
  // late-bound DLLs are loaded by full path.)
  using SetDirectories = BOOL WINAPI(DWORD);
  if (auto* setDirectories = reinterpret_cast<SetDirectories*>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")))) {
    setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  // No COM here: the few calls that use it join an apartment for their own
  // scope, so starting the program does not load it.
  int exitCode = 0;
  try {
    Win32Registry registry;
    Win32System system;
    Win32Files files;
    Win32Drives drives;
    Win32Dialogs dialogs;
    Win32Shortcuts shortcuts;
    Win32Shell shell;
    Win32PerformanceData performance;
    Win32Processes processes;
    Win32SystemInfo systemInfo;
    Win32Desktop desktop;
    ui::win32::Win32WindowSystem windows;
    ui::win32::SkinEngine skin;
    windows.setSkinPainter(&skin);
    ui::win32::SplashWindow splash;
    ui::Forms forms(windows);
    SettingsStore settings(registry);
    const std::string appFolder = AppFolder(system);
    Localizer localizer(files, settings, appFolder);
    AppContext app{registry, system,      files,     drives,     dialogs,  shortcuts,
                   shell,    performance, processes, systemInfo, desktop,  forms,
                   skin,     splash,      settings,  localizer,  appFolder};
    MainForm main(app);
    forms.Show(main);
    windows.run();
  } catch (const std::exception& error) {
    MessageBoxA(nullptr, error.what(), kAppTitle, MB_ICONERROR | MB_OK);
    exitCode = 1;
  }
  return exitCode;
}
