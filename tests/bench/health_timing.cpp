// Whole-program timing under Wine or Windows: the software-removal check
// in its real window over many healthy uninstall entries in both registry
// views, beside the bare API walk that decides the same (every entry of
// both views opened and its value names read).
//
//   corvanta_health_timing setup N     make N entries, half in each view
//   corvanta_health_timing check|bare  one run; prints its milliseconds
//   corvanta_health_timing cleanup
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/app_context.h"
#include "core/i18n/localizer.h"
#include "health/health_form.h"
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
#include "ui/forms.h"
#include "ui/win32/skin_engine.h"
#include "ui/win32/splash_window.h"
#include "ui/win32/win32_window_system.h"

namespace {

using namespace corvanta;
constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kPrefix = "corvanta-bench-";
constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

void setup(int count) {
  for (int i = 0; i < count; ++i) {
    HKEY key = nullptr;
    const std::string name = std::string(kUninstall) + "\\" + kPrefix + std::to_string(i);
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, name.c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | kViews[i % 2], nullptr, &key, nullptr) != ERROR_SUCCESS)
      continue;
    const std::string display = "Benchmark program " + std::to_string(i);
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(display.c_str()),
                   static_cast<DWORD>(display.size() + 1));
    const char command[] = "C:\\windows\\system32\\cmd.exe /c exit";
    RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                   sizeof command);
    RegCloseKey(key);
  }
}

void cleanup() {
  for (const REGSAM view : kViews) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_ALL_ACCESS | view, &uninstall) !=
        ERROR_SUCCESS)
      continue;
    char name[256];
    for (DWORD index = 0;;) {
      DWORD length = sizeof name;
      if (RegEnumKeyExA(uninstall, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      if (std::strncmp(name, kPrefix, std::strlen(kPrefix)) == 0 &&
          RegDeleteKeyExA(uninstall, name, view, 0) == ERROR_SUCCESS)
        continue;  // the next entry now has this index
      ++index;
    }
    RegCloseKey(uninstall);
  }
}

// The bare walk: both views, every entry opened, its value names read until
// the uninstall command is seen.
std::size_t bare() {
  std::size_t broken = 0;
  for (const REGSAM view : kViews) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_READ | view, &uninstall) !=
        ERROR_SUCCESS)
      continue;
    char name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof name;
      if (RegEnumKeyExA(uninstall, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      HKEY entry = nullptr;
      if (RegOpenKeyExA(uninstall, name, 0, KEY_READ | view, &entry) != ERROR_SUCCESS) continue;
      bool command = false;
      char value[16384];
      for (DWORD v = 0; !command; ++v) {
        DWORD valueLength = sizeof value;
        if (RegEnumValueA(entry, v, value, &valueLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
          break;
        command = lstrcmpiA(value, "UninstallString") == 0;
      }
      if (!command) ++broken;
      RegCloseKey(entry);
    }
    RegCloseKey(uninstall);
  }
  return broken;
}

// The check in its window, as a user runs it.
void check() {
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
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  Localizer localizer(files, settings, temp);
  AppContext app{registry, system,      files,     drives,     dialogs, shortcuts,
                 shell,    performance, processes, systemInfo, desktop, forms,
                 skin,     splash,      settings,  localizer,  temp};
  HealthForm health(app);
  forms.Show(health);
  forms.DoEvents();
  const auto start = std::chrono::steady_clock::now();
  health.control("checkcmd").click();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  std::printf("%lld\n",
              static_cast<long long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
  forms.Unload(health);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "setup" && argc > 2) {
    setup(std::atoi(argv[2]));
  } else if (mode == "cleanup") {
    cleanup();
  } else if (mode == "bare") {
    const auto start = std::chrono::steady_clock::now();
    bare();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
  } else if (mode == "check") {
    check();
  } else {
    std::fprintf(stderr, "usage: corvanta_health_timing setup N|check|bare|cleanup\n");
    return 64;
  }
  return 0;
}
