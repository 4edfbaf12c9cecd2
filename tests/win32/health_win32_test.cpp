// The health checks' backups and walk against the real registry, file
// system and shortcuts: a .reg backup imported by the registry editor gives
// back every value byte for byte, and the orphan-shortcut check on a drive
// of its own deletes exactly the orphans, keeping copies.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "core/app_context.h"
#include "fakes/app_harness.h"
#include "health/health_checks.h"
#include "health/health_form.h"
#include "core/changes/change_journal.h"
#include "core/changes/journaling_ports.h"
#include "health/reg_export.h"
#include "registry/query_value.h"
#include "platform/win32/drive_win32.h"
#include "platform/win32/file_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shortcut_win32.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/wide_text.h"
#include "shell/changes_form.h"
#include "shell/main_form.h"
#include "win32/running_program.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

using testing::ScratchFolder;

using Snapshot = std::map<std::wstring, std::tuple<DWORD, std::string>>;

// Every key and value below `path`, with types and bytes, read with the
// wide calls: exactly what the registry holds.
void snapshot(HKEY root, const std::wstring& path, Snapshot& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out[path] = {};
  std::vector<wchar_t> name(16384);
  std::vector<BYTE> data(4096);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataLength = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(),
                      &dataLength) != ERROR_SUCCESS)
      break;
    out[path + L"|" + std::wstring(name.data(), nameLength)] = {
        type, std::string(data.begin(), data.begin() + dataLength)};
  }
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    if (RegEnumKeyExW(key, index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    snapshot(root, path + L"\\" + std::wstring(name.data(), nameLength), out);
  }
  RegCloseKey(key);
}

void put(HKEY key, const std::wstring& name, DWORD type, const std::string& bytes) {
  // Text not ended by a zero gains one when a zero follows it in memory:
  // here something else follows, so the value holds exactly these bytes.
  const std::string buffer = bytes + "xx";
  RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(buffer.data()),
                 static_cast<DWORD>(bytes.size()));
}

// The same through the ANSI call, which stores text as UTF-16 itself.
void put(HKEY key, const char* name, DWORD type, const std::string& bytes) {
  RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
}

// Text as the registry stores it: UTF-16LE, with the terminator unless the
// text leaves it out.
std::string stored(std::u16string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

int runAndWait(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, 30000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

TEST(HealthBackup, ImportingTheRegFileGivesBackEveryKeyAndValueByteForByte) {
  const std::wstring tree =
      L"Software\\Corvanta Backup Test " + std::to_wstring(GetCurrentProcessId());
  const std::wstring entry = tree + L"\\Entry \u0141\u00F3d\u017A";
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, entry.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr));
  put(key, L"", REG_SZ, stored(std::u16string_view(u"default", 8)));
  put(key, L"quote \" and \\ back", REG_SZ, stored(std::u16string_view(u"C:\\a \"b\"\u00E9", 10)));
  put(key, L"two lines", REG_SZ, stored(std::u16string_view(u"one\r\ntwo", 9)));
  put(key, L"Publisher", REG_SZ,
      stored(std::u16string_view(u"\u017B\u00F3\u0142w & \u0141\u00F3d\u017A Ltd \u2014 \u65E5\u672C", 21)));
  put(key, L"\u0416 \u65E5\u672C \U0001F600", REG_EXPAND_SZ,
      stored(std::u16string_view(u"%TEMP%\\\u0416\U0001F600", 11)));
  put(key, L"lone \xD800", REG_SZ, stored(std::u16string_view(u"x\xDC00", 3)));
  put(key, L"expand", REG_EXPAND_SZ, stored(std::u16string_view(u"%TEMP%\\x", 9)));
  put(key, L"multi", REG_MULTI_SZ, stored(std::u16string_view(u"a\0\u65E5c\0\0", 6)));
  put(key, L"binary", REG_BINARY, std::string(300, '\x7f'));
  put(key, L"empty binary", REG_BINARY, "");
  put(key, L"none", REG_NONE, std::string("\x01\x02", 2));
  put(key, L"dword", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
  put(key, L"short dword", REG_DWORD, std::string("\x01\x02", 2));
  put(key, L"qword", REG_QWORD, std::string("\1\2\3\4\5\6\7\x08", 8));
  put(key, L"odd", 0x1234, std::string("\xff\x00", 2));
  RegCloseKey(key);
  RegCreateKeyExW(HKEY_CURRENT_USER, (entry + L"\\Empty \u65E5\u672C").c_str(), 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegCloseKey(key);

  Snapshot before;
  snapshot(HKEY_CURRENT_USER, entry, before);
  ASSERT_EQ(17u, before.size());
  Win32Registry registry;
  RegExport backup(registry);
  ASSERT_TRUE(backup.addKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", narrow(entry)));
  EXPECT_EQ(0u, backup.fileBytes().rfind("\xFF\xFEW\0i\0n\0", 0)) << "UTF-16 with its mark";
  ScratchFolder folder;
  Win32Files files;
  ASSERT_EQ(kErrorSuccess, files.createNewFile(folder.file("backup.reg"), backup.fileBytes()));
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeW(HKEY_CURRENT_USER, entry.c_str()));

  ASSERT_EQ(0, runAndWait("regedit.exe /s \"" + folder.file("backup.reg") + "\""));
  Snapshot after;
  snapshot(HKEY_CURRENT_USER, entry, after);
  EXPECT_EQ(before, after);

  // Text that is not whole UTF-16 units, or lacks its terminator (which the
  // import would add), cannot be given back exactly: such a key has no
  // backup, and so is never deleted.
  for (const std::string& text : {std::string("abc", 3), stored(u"open")}) {
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExW(HKEY_CURRENT_USER, entry.c_str(), 0, KEY_SET_VALUE, &key));
    put(key, L"text", REG_SZ, text);
    RegCloseKey(key);
    RegExport refused(registry);
    EXPECT_FALSE(refused.addKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", narrow(entry)));
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, tree.c_str());
}

void writeFile(const std::string& path, const std::string& content = "x") {
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

// A drive of its own for the walk, which covers a whole drive: on Windows a
// free letter mapped to a scratch folder; under Wine, which maps drives only
// through its prefix, the T: drive tools/wine-run gives test prefixes (known
// by its marker file, so that no real drive is ever walked).
class TestDrive {
 public:
  explicit TestDrive(const std::string& folder) {
    for (char letter = 'T'; letter <= 'Y' && !defined_; ++letter) {
      drive_ = std::string(1, letter) + ":";
      if (GetDriveTypeA((drive_ + "\\").c_str()) != DRIVE_NO_ROOT_DIR) continue;
      defined_ = DefineDosDeviceA(0, drive_.c_str(), folder.c_str()) &&
                 GetFileAttributesA((drive_ + "\\").c_str()) != INVALID_FILE_ATTRIBUTES;
      if (!defined_) DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive_.c_str(), nullptr);
    }
    if (!defined_) {
      drive_ = "T:";
      usable_ = GetFileAttributesA("T:\\corvanta-test-drive") != INVALID_FILE_ATTRIBUTES;
    }
    usable_ = usable_ || defined_;
  }
  ~TestDrive() {
    if (defined_) DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive_.c_str(), nullptr);
  }
  bool usable() const { return usable_; }
  const std::string& drive() const { return drive_; }

 private:
  std::string drive_;
  bool defined_ = false;
  bool usable_ = false;
};

// Picks `drive` ("T:") in the window's drive list, for the shortcut walk.
void chooseDrive(HealthForm& window, const std::string& drive) {
  auto& choice = window.control("ODrive");
  for (int i = 0; i < choice.ListCount(); ++i) {
    if (equalsIgnoringCase(choice.items()[static_cast<std::size_t>(i)].substr(0, 2), drive))
      choice.setListIndex(i);
  }
}

TEST(HealthShortcuts, TheWalkDeletesOrphansOnlyAndKeepsACopyOfEach) {
  ScratchFolder folder;
  TestDrive drive(folder.path());
  ASSERT_TRUE(drive.usable()) << "no drive letter could be given to the test";
  const std::string root = drive.drive() + "\\";
  ScratchFolder::removeTree(root + "apps");
  ScratchFolder::removeTree(root + "links");
  CreateDirectoryA((root + "apps").c_str(), nullptr);
  CreateDirectoryA((root + "links").c_str(), nullptr);
  CreateDirectoryA((root + "links\\deeper").c_str(), nullptr);
  writeFile(root + "apps\\here.exe");
  writeFile(root + "apps\\gone.exe");
  writeFile(root + "links\\junk.lnk", "not a shortcut");

  Win32Shortcuts shortcuts;
  for (const auto& [link, target] : {std::pair{"links\\here.lnk", "apps\\here.exe"},
                                     {"links\\deeper\\Gone.lnk", "apps\\gone.exe"},
                                     {"links\\folder.lnk", "apps"}}) {
    ASSERT_EQ(kSOk, shortcuts.saveShortcut(root + link, root + target));
  }
  DeleteFileA((root + "apps\\gone.exe").c_str());
  SetFileAttributesA((root + "links\\deeper\\Gone.lnk").c_str(),
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

  testing::AppHarness harness;
  Win32Files files;
  Win32Drives drives;
  ScratchFolder appData;
  harness.shell.appData = appData.path();
  AppContext real =
      harness.contextWith({.files = &files, .drives = &drives, .shortcuts = &shortcuts});
  HealthForm window(real);
  harness.forms.Load(window);
  chooseDrive(window, drive.drive());
  window.control("check3cmd").click();

  EXPECT_EQ("1", window.control("E3label").Caption());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
            GetFileAttributesA((root + "links\\deeper\\Gone.lnk").c_str()));
  for (const char* kept : {"links\\here.lnk", "links\\folder.lnk", "links\\junk.lnk"}) {
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((root + kept).c_str())) << kept;
  }
  EXPECT_EQ(1u, harness.dialogs.shown.size()) << "one message for the unreadable junk.lnk";
  WIN32_FIND_DATAA found;
  const HANDLE backups =
      FindFirstFileA((appData.path() + "\\Corvanta\\Backups\\*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, backups);
  std::string backupFolder;
  do {
    if (found.cFileName[0] != '.') backupFolder = found.cFileName;
  } while (FindNextFileA(backups, &found));
  FindClose(backups);
  const std::string copy = appData.path() + "\\Corvanta\\Backups\\" + backupFolder + "\\" +
                           drive.drive().substr(0, 1) + "\\links\\deeper\\Gone.lnk";
  const DWORD attributes = GetFileAttributesA(copy.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << copy;
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
  std::string target;
  EXPECT_EQ(kSOk, shortcuts.loadShortcutTarget(copy, target));
  EXPECT_TRUE(equalsIgnoringCase(root + "apps\\gone.exe", target)) << target;
  ScratchFolder::removeTree(root + "apps");
  ScratchFolder::removeTree(root + "links");
}

}  // namespace
}  // namespace corvanta

namespace corvanta {
namespace {

using testing::childWithText;
using testing::RunningProgram;

HWND waitForWindow(const char* title) {
  for (int waited = 0; waited < 20000; waited += 50) {
    HWND window = FindWindowA("CorvantaForm", title);
    if (window && IsWindowVisible(window)) return window;
    Sleep(50);
  }
  return nullptr;
}

// The System Health window over the real registry, files and drives, its
// backups in a scratch folder.
struct RealHealth {
  RealHealth() {
    harness.shell.appData = appData.path();
    harness.forms.Load(window);
  }
  testing::AppHarness harness;
  Win32Registry registry;
  Win32System system;
  Win32Files files;
  Win32Drives drives;
  ScratchFolder appData;
  AppContext context = harness.contextWith(
      {.registry = &registry, .system = &system, .files = &files, .drives = &drives});
  HealthForm window{context};
};

// Every change of a Start Menu Apply, a privacy clearing and two health
// checks, then Undo all in the Changes window: the registry and the shortcut
// are as they were, byte for byte.
TEST(ChangesProgram, UndoAllPutsBackEveryValueKeyAndShortcutByteForByte) {
  ScratchFolder folder;
  TestDrive drive(folder.path());
  ASSERT_TRUE(drive.usable()) << "no drive letter could be given to the test";
  const std::string root = drive.drive() + "\\";
  ScratchFolder::removeTree(root + "links");
  CreateDirectoryA((root + "links").c_str(), nullptr);
  Win32Shortcuts shortcuts;
  const std::string link = root + "links\\Gone Жук.lnk";
  ASSERT_EQ(kSOk, shortcuts.saveShortcut(link, root + "apps\\gone.exe"));
  SetFileAttributesW(wide(link).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  const std::string linkBytes = testing::readFile(link);

  const std::wstring policies = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
  const std::wstring typed = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
  const std::wstring entry = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\corvanta-undo-" +
                             std::to_wstring(GetCurrentProcessId());
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, typed.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  put(key, L"url1", REG_SZ, stored(std::u16string_view(u"http://\u0416.example/", 18)));
  RegCloseKey(key);
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, entry.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  put(key, L"DisplayName", REG_SZ, stored(std::u16string_view(u"\u017B\u00F3\u0142w", 5)));
  RegCloseKey(key);
  const auto snapshotAll = [&] {
    Snapshot all;
    snapshot(HKEY_CURRENT_USER, policies, all);
    snapshot(HKEY_CURRENT_USER, typed, all);
    snapshot(HKEY_LOCAL_MACHINE, entry, all);
    return all;
  };
  const Snapshot before = snapshotAll();

  RealHealth real;
  ChangeJournal journal(real.files, real.harness.folders, real.system);
  JournalingRegistry registry(real.registry, journal);
  JournalingFiles files(real.files, journal);
  AppContext context = real.harness.contextWith({.registry = &registry, .system = &real.system,
                                                 .files = &files, .drives = &real.drives,
                                                 .shortcuts = &shortcuts, .journal = &journal});
  {
    MainForm main(context);
    real.harness.forms.Show(main);
    main.control("runchk").valueFromUser(main.control("runchk").Value() ? 0 : 1);
    main.control("applymenu").click();
    main.control("ieclearh").valueFromUser(1);
    main.control("applyprivacy").click();
    HealthForm health(context);
    real.harness.forms.Load(health);
    health.control("checkcmd").click();
    chooseDrive(health, drive.drive());
    health.control("check3cmd").click();
    real.harness.forms.Unload(health);
    real.harness.forms.Unload(main);
  }
  real.system.releaseSingleInstance();  // the main window claimed it: later starts need it
  EXPECT_NE(before, snapshotAll());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wide(link).c_str()));

  ChangesForm changes(context);
  real.harness.forms.Load(changes);
  EXPECT_GE(changes.control("groups").rows().size(), 4u) << "Start Menu, Privacy, two checks";
  changes.control("undoallcmd").click();
  EXPECT_EQ(before, snapshotAll());
  EXPECT_EQ(linkBytes, testing::readFile(link));
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            GetFileAttributesW(wide(link).c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  for (const auto& shown : real.harness.dialogs.shown) ADD_FAILURE() << shown.text;

  RegDeleteTreeW(HKEY_LOCAL_MACHINE, entry.c_str());
  SetFileAttributesW(wide(link).c_str(), FILE_ATTRIBUTE_NORMAL);
  ScratchFolder::removeTree(root + "links");
}

// The registry's two views on 64-bit Windows, as either build sees them: an
// entry is judged and deleted in its own view, the other view's entry of the
// same name is left alone, and a 32-bit entry's System32 is SysWOW64.
TEST(HealthViews, EachViewsEntryIsJudgedAndDeletedInItsOwnView) {
  Win32System system;
  if (sizeof(void*) == 4 && !system.isWow64()) GTEST_SKIP() << "a 32-bit system has one view";
  const std::string windows = system.windowsDirectory();
  const std::string dll = "corvanta-view-" + std::to_string(GetCurrentProcessId()) + ".dll";
  const std::string wowFile = windows + "\\SysWOW64\\" + dll;
  writeFile(wowFile);  // on a 64-bit system a 32-bit program's System32 file
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string selfPath = self;
  const std::string uninstall =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\corvanta-view-" +
      std::to_string(GetCurrentProcessId());
  const std::string shared = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
  const std::string inSystem32 = windows + "\\System32\\" + dll;
  const auto write = [](REGSAM view, const std::string& path, const char* name, DWORD type,
                        const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS | view, nullptr, &key, nullptr));
    put(key, name, type, bytes);
    RegCloseKey(key);
  };
  const auto exists = [](REGSAM view, const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
      return false;
    const bool found =
        !name || RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
  };
  // The same name in both views: broken in the 64-bit one, healthy in the 32-bit one.
  write(KEY_WOW64_64KEY, uninstall, "DisplayName", REG_SZ, std::string("Broken", 7));
  write(KEY_WOW64_32KEY, uninstall, "UninstallString", REG_SZ, selfPath + std::string(1, '\0'));
  const std::string one("\x01\0\0\0", 4);
  write(KEY_WOW64_64KEY, shared, inSystem32.c_str(), REG_DWORD, one);
  write(KEY_WOW64_32KEY, shared, inSystem32.c_str(), REG_DWORD, one);
  // Listings alike in both views would be taken for one shared key.
  write(KEY_WOW64_32KEY, shared, selfPath.c_str(), REG_DWORD, one);

  RealHealth real;
  real.window.control("checkcmd").click();
  real.window.control("check6cmd").click();

  EXPECT_FALSE(exists(KEY_WOW64_64KEY, uninstall, nullptr)) << "the 64-bit entry is broken";
  EXPECT_TRUE(exists(KEY_WOW64_32KEY, uninstall, "UninstallString")) << "the 32-bit one is not";
  EXPECT_FALSE(exists(KEY_WOW64_64KEY, shared, inSystem32.c_str())) << "not in the native System32";
  EXPECT_TRUE(exists(KEY_WOW64_32KEY, shared, inSystem32.c_str())) << "in SysWOW64";

  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, shared.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key);
  RegDeleteValueA(key, inSystem32.c_str());
  RegDeleteValueA(key, selfPath.c_str());
  RegCloseKey(key);
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, uninstall.c_str(), KEY_WOW64_32KEY, 0);
  DeleteFileA(wowFile.c_str());
}

// A remembered file whose name leaves every ANSI code page is found while
// it exists; one that is gone is deleted, its name whole in the backup.
TEST(HealthNames, AHistoryOutsideTheAnsiCodePageIsKeptWhileItsFileExists) {
  ScratchFolder folder;
  Win32Files files;
  const std::string here = folder.file("\u0141\u00F3d\u017A \u65E5\u672C \U0001F600.txt");
  const std::string gone = folder.file("\u0416\u0443\u043A gone.txt");
  ASSERT_EQ(kErrorSuccess, files.createNewFile(here, "x"));
  const std::string mru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\"
                          "OpenSaveMRU\\corvanta-" + std::to_string(GetCurrentProcessId());
  Win32Registry registry;
  RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, registry.createKey(kHkeyCurrentUser, mru, key));
  for (const auto& [name, path] : {std::pair{"a", here}, std::pair{"b", gone}}) {
    registry.setValueEx(key, name, kRegSz, reinterpret_cast<const std::uint8_t*>(path.c_str()),
                        static_cast<std::uint32_t>(path.size() + 1));
  }
  registry.closeKey(key);

  RealHealth real;
  real.window.control("check4cmd").click();

  std::uint32_t type = 0;
  Bytes data;
  ASSERT_EQ(kErrorSuccess, registry.openKeyEx(kHkeyCurrentUser, mru, kKeyRead, key));
  EXPECT_EQ(kErrorSuccess, queryValue(registry, key, "a", type, data)) << "its file is there";
  EXPECT_EQ(kErrorFileNotFound, queryValue(registry, key, "b", type, data));
  registry.closeKey(key);
  std::vector<FileEntry> backups;
  ASSERT_EQ(kErrorSuccess,
            files.findFiles(real.appData.path() + "\\Corvanta\\Backups\\*Histories.reg", backups));
  std::string bytes;
  files.readFile(real.appData.path() + "\\Corvanta\\Backups\\" + backups[0].name, bytes);
  const std::u16string units(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
  EXPECT_NE(std::string::npos, utf8FromUtf16(units).find("\u0416\u0443\u043A gone.txt"));
  registry.deleteKey(kHkeyCurrentUser, mru);
}

TEST(HealthProgram, CheckAndRepairInTheRealWindowRemovesABrokenEntryAfterBackingItUp) {
  const std::string uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  const std::string broken = "Corvanta broken " + std::to_string(GetCurrentProcessId());
  const std::string kept = "Corvanta kept " + std::to_string(GetCurrentProcessId());
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, (uninstall + broken).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                  nullptr, &key, nullptr);
  put(key, "DisplayName", REG_SZ, std::string("Broken", 7));
  RegCloseKey(key);
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, (uninstall + kept).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                  nullptr, &key, nullptr);
  put(key, "UninstallString", REG_SZ, std::string("x.exe", 6));
  RegCloseKey(key);

  RunningProgram program;
  HWND main = program.mainWindow();
  ASSERT_NE(nullptr, main);
  SendMessageW(childWithText(main, "System >>"), BM_CLICK, 0, 0);
  PostMessageW(childWithText(main, "System Health"), BM_CLICK, 0, 0);
  HWND health = waitForWindow("System Health");
  ASSERT_NE(nullptr, health);
  HWND frame = childWithText(health, "Software removal entries in Registry");
  ASSERT_NE(nullptr, frame);
  SendMessageW(childWithText(frame, "Check && Repair"), BM_CLICK, 0, 0);

  // The errors found and the entries repaired, as the frame shows them.
  const auto counts = [&] {
    std::vector<std::string> shown;
    for (const auto& child : testing::childrenOf(frame)) {
      if (!child.text.empty() && child.text.find_first_not_of("0123456789") == std::string::npos)
        shown.push_back(child.text);
    }
    return shown;
  };
  const auto first = counts();
  ASSERT_EQ(2u, first.size());
  EXPECT_GE(std::stoi(first[0]), 1);
  EXPECT_GE(std::stoi(first[1]), 1);
  // What was repaired is gone: a second run finds nothing left to repair.
  SendMessageW(childWithText(frame, "Check && Repair"), BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<std::string>{"0", "0"}), counts());
  EXPECT_NE(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, (uninstall + broken).c_str(), 0, KEY_READ, &key));
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, (uninstall + kept).c_str(), 0, KEY_READ, &key));
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (uninstall + kept).c_str());

  char appData[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
  const std::string backups = std::string(appData) + "\\Corvanta\\Backups\\";
  WIN32_FIND_DATAA found;
  const HANDLE search =
      FindFirstFileA((backups + "* Software removal entries*.reg").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  bool backedUp = false;
  do {
    const std::string bytes = testing::readFile(backups + found.cFileName);
    const std::u16string text(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
    backedUp = backedUp || utf8FromUtf16(text).find(broken + "]") != std::string::npos;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_TRUE(backedUp);

  PostMessageW(childWithText(health, "Close"), BM_CLICK, 0, 0);
  for (int waited = 0; waited < 5000 && IsWindow(health); waited += 50) Sleep(50);
  EXPECT_FALSE(IsWindow(health));
}

}  // namespace
}  // namespace corvanta
