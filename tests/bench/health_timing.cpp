// Whole-program timing under Wine or Windows: the software-removal check
// in its real window over many healthy uninstall entries in both registry
// views, beside the bare API walk that decides the same (every entry of
// both views opened and its value names read).
//
//   corvanta_health_timing setup N     make N entries, half in each view
//   corvanta_health_timing check|bare  one run; prints its milliseconds
//   corvanta_health_timing cleanup
//
// And the shortcut check's folder walk over a tree of 1,000 folders of 100
// files (one a shortcut), beside a bare FindFirstFile walk:
//
//   corvanta_health_timing walk-setup|walk|walk-bare|walk-cleanup
//
// A repair of N shared components whose files are missing, through the
// command line (find, back up, journal, delete), beside a bare loop that
// deletes the same values; and the review list's Ignore, and System Health
// opening, with N findings or N ignored entries:
//
//   corvanta_health_timing shared-setup N|repair|repair-bare|shared-cleanup
//   corvanta_health_timing report     the same check, reporting only
//   corvanta_health_timing ignore-click N|ignored-setup N|open|ignored-cleanup
//
// And the Changes window opened over a journal of N groups (the journal is
// replaced for the run and removed after it):
//
//   corvanta_health_timing changes N
//
// And /import-settings of a file of N lines (the pages' sections over and
// over, each checked, and one setting that is already as the file says):
//
//   corvanta_health_timing import N
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "health/findings.h"
#include "health/health_checks.h"
#include "health/health_form.h"
#include "health/review_form.h"
#include "platform/file_port.h"
#include "platform/shell_port.h"
#include "shell/changes_form.h"
#include "shell/command_line.h"
#include "shell/win32_program.h"
#include "win32/scratch_folder.h"

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
// the uninstall command is seen; with the wide calls, as the program makes.
std::size_t bare() {
  std::size_t broken = 0;
  for (const REGSAM view : kViews) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                      0, KEY_READ | view, &uninstall) != ERROR_SUCCESS)
      continue;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 256;
      if (RegEnumKeyExW(uninstall, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      HKEY entry = nullptr;
      if (RegOpenKeyExW(uninstall, name, 0, KEY_READ | view, &entry) != ERROR_SUCCESS) continue;
      bool command = false;
      static wchar_t value[16384];
      for (DWORD v = 0; !command; ++v) {
        DWORD valueLength = 16384;
        if (RegEnumValueW(entry, v, value, &valueLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
          break;
        command = lstrcmpiW(value, L"UninstallString") == 0;
      }
      if (!command) ++broken;
      RegCloseKey(entry);
    }
    RegCloseKey(uninstall);
  }
  return broken;
}

constexpr const char* kTree = "C:\\corvanta-bench-walk";

void walkSetup() {
  CreateDirectoryA(kTree, nullptr);
  for (int folder = 0; folder < 1000; ++folder) {
    const std::string path = std::string(kTree) + "\\f" + std::to_string(folder);
    CreateDirectoryA(path.c_str(), nullptr);
    for (int file = 0; file < 100; ++file) {
      const std::string name = path + "\\" + std::to_string(file) + (file == 0 ? ".lnk" : ".txt");
      const HANDLE made = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
      if (made != INVALID_HANDLE_VALUE) CloseHandle(made);
    }
  }
}

// The bare walk: every folder listed, every name ending in "lnk" kept.
void walkBare(const std::wstring& folder, std::vector<std::wstring>& links) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      walkBare(folder + L"\\" + name, links);
    } else if (name.size() >= 3 && lstrcmpiW(name.c_str() + name.size() - 3, L"lnk") == 0) {
      links.push_back(folder + L"\\" + name);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

template <class Run>
void timed(Run&& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  std::printf("%lld\n",
              static_cast<long long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
}

// The check in its window, as a user runs it; with `walk`, only the
// shortcut check's walk of the tree.
void check(bool walk) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  Win32Program program(temp);
  AppContext& app = program.context();
  ui::Forms& forms = app.forms;
  HealthForm health(app);
  forms.Show(health);
  forms.DoEvents();
  if (walk) {
    CheckProgress quiet;
    HealthRun run(app, quiet, kHealthChecks[2]);
    SortedList links;
    timed([&] { FindShortcutFiles(run, kTree, links); });
  } else {
    timed([&] { health.control("checkcmd").click(); });
  }
  forms.Unload(health);
}

constexpr const wchar_t* kSharedDlls = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

// N values naming files in a folder that does not exist.
void sharedSetup(int count) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0,
                      KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD one = 1;
  for (int i = 0; i < count; ++i) {
    const std::wstring name = L"C:\\corvanta-bench-missing\\" + std::to_wstring(i) + L".dll";
    RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                   sizeof one);
  }
  RegCloseKey(key);
}

// The bare loop: the same values deleted through one handle, from the last.
void sharedDeleteBare() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &key) !=
      ERROR_SUCCESS)
    return;
  std::vector<std::wstring> names;
  static wchar_t name[16384];
  for (DWORD index = 0;; ++index) {
    DWORD length = 16384;
    if (RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    if (std::wcsncmp(name, L"C:\\corvanta-bench-missing\\", 26) == 0) names.emplace_back(name);
  }
  for (auto at = names.rbegin(); at != names.rend(); ++at) RegDeleteValueW(key, at->c_str());
  RegCloseKey(key);
}

Win32Program& program() {
  static char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static Win32Program made(temp);
  return made;
}

void repair() {
  AppContext& app = program().context();
  timed([&] {
    runCommandLine(app, {"/health", "/checks", "shared", "/repair"}, [](const std::string&) {});
  });
}

std::string benchEntry(int i) {
  return "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
         "corvanta-bench-entry-" +
         std::to_string(i);
}

// The review list of N findings: Ignore on the first one, until the list
// shows the rest again.
void ignoreClick(int count) {
  AppContext& app = program().context();
  std::vector<Finding> found(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    found[static_cast<std::size_t>(i)].check = "removal";
    found[static_cast<std::size_t>(i)].key = benchEntry(i);
    found[static_cast<std::size_t>(i)].view = "64-bit";
    found[static_cast<std::size_t>(i)].reason = "no uninstall command";
  }
  IgnoreList ignored;
  ReviewForm review(app, kHealthChecks[0], found, ignored);
  app.forms.Show(review);
  app.forms.DoEvents();
  review.control("findings").setListIndex(0);
  timed([&] {
    review.control("ignorecmd").click();
    app.forms.DoEvents();
  });
  app.forms.Unload(review);
}

void ignoredSetup(int count) {
  AppContext& app = program().context();
  IgnoreList ignored;
  for (int i = 0; i < count; ++i) ignored.add(benchEntry(i));
  ignored.save(app.settings);
}

// System Health opened and shown, its ignore list read and listed.
void openHealth() {
  AppContext& app = program().context();
  timed([&] {
    HealthForm health(app);
    app.forms.Show(health);
    app.forms.DoEvents();
    app.forms.Unload(health);
  });
}

void changesWindow(int count) {
  AppContext& app = program().context();
  const std::string journal = app.shell.userAppDataFolder() + "\\Corvanta\\changes.log";
  std::string text;
  for (int group = 1; group <= count; ++group) {
    const std::string id = std::to_string(group);
    text += "G\t" + id + "\t2026-01-01 10:00:00\tVisual\t0\r\nV\t" + id +
            "\t0\tHKEY_CURRENT_USER\\Control Panel\\Desktop\tFontSmoothing\t1:30\t1:32\r\n";
  }
  if (app.files.replaceFile(journal, text) != 0) return;
  timed([&] {
    ChangesForm changes(app);
    app.forms.Show(changes);
    app.forms.DoEvents();
    app.forms.Unload(changes);
  });
  app.files.deleteFile(journal);
}

void importLines(int count) {
  AppContext& app = program().context();
  const std::string file = app.shell.userAppDataFolder() + "\\corvanta-bench-import.ini";
  const char* sections[] = {"[Visual]", "[Start Menu]", "[Desktop]", "[Explorer]", "[Input]"};
  std::string text;
  for (int line = 0; line + 1 < count; ++line) text += std::string(sections[line % 5]) + "\r\n";
  if (app.files.replaceFile(file, text) != 0) return;
  timed([&] {
    runCommandLine(app, {"/import-settings", file, "/no-restore-point"},
                   [](const std::string&) {});
  });
  app.files.deleteFile(file);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "setup" && argc > 2) {
    setup(std::atoi(argv[2]));
  } else if (mode == "cleanup") {
    cleanup();
  } else if (mode == "bare") {
    timed([] { bare(); });
  } else if (mode == "check") {
    check(false);
  } else if (mode == "walk-setup") {
    walkSetup();
  } else if (mode == "walk") {
    check(true);
  } else if (mode == "walk-bare") {
    std::vector<std::wstring> links;
    timed([&] { walkBare(L"C:\\corvanta-bench-walk", links); });
  } else if (mode == "walk-cleanup") {
    testing::ScratchFolder::removeTree(kTree);
  } else if (mode == "shared-setup" && argc > 2) {
    sharedSetup(std::atoi(argv[2]));
  } else if (mode == "repair") {
    repair();
  } else if (mode == "report") {
    AppContext& app = program().context();
    timed([&] {
      runCommandLine(app, {"/health", "/checks", "shared"}, [](const std::string&) {});
    });
  } else if (mode == "repair-bare") {
    timed([] { sharedDeleteBare(); });
  } else if (mode == "shared-cleanup") {
    sharedDeleteBare();
  } else if (mode == "ignore-click" && argc > 2) {
    ignoreClick(std::atoi(argv[2]));
  } else if (mode == "ignored-setup" && argc > 2) {
    ignoredSetup(std::atoi(argv[2]));
  } else if (mode == "ignored-cleanup") {
    ignoredSetup(0);
  } else if (mode == "open") {
    openHealth();
  } else if (mode == "changes" && argc > 2) {
    changesWindow(std::atoi(argv[2]));
  } else if (mode == "import" && argc > 2) {
    importLines(std::atoi(argv[2]));
  } else {
    std::fprintf(stderr,
                 "usage: corvanta_health_timing setup N|check|bare|cleanup|walk-setup|walk|"
                 "walk-bare|walk-cleanup|shared-setup N|repair|report|repair-bare|shared-cleanup|"
                 "ignore-click N|ignored-setup N|open|ignored-cleanup|changes N|import N\n");
    return 64;
  }
  return 0;
}
