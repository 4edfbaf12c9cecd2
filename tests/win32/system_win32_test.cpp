#include "platform/win32/system_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/log/winver.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_system.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/registry_win32.h"
#include "registry/registry_routines.h"

namespace corvanta {
namespace {

std::string windowsFolder() {
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder, length);
}

TEST(Win32System, ExpandsSystemRootToTheWindowsFolderAndKeepsUnknownReferences) {
  Win32System system;
  EXPECT_EQ(windowsFolder() + "\\system32",
            system.expandEnvironmentStrings("%SystemRoot%\\system32"));
  EXPECT_EQ("%CORVANTA_NOT_SET%", system.expandEnvironmentStrings("%CORVANTA_NOT_SET%"));
  EXPECT_EQ("", system.expandEnvironmentStrings(""));
}

// What System Health relies on to read a 64-bit system's entries by view,
// whichever build runs: each bitness's folders named by their own
// variables, and the 32-bit System32 under its own name.
TEST(Win32System, ASixtyFourBitSystemNamesEachBitnesssFoldersForEitherBuild) {
  Win32System system;
  const bool sixtyFour = sizeof(void*) == 8 || system.isWow64();
  if (!sixtyFour) GTEST_SKIP() << "a 32-bit system has one view";
  testing::FakeSystem fake;  // the fake the health tests use, as this build sees it
  fake.asSixtyFourBitWindows(sizeof(void*) == 4);
  EXPECT_EQ(fake.isWow64(), system.isWow64());
  for (const char* name : {"%ProgramW6432%", "%ProgramFiles(x86)%", "%CommonProgramW6432%",
                           "%CommonProgramFiles(x86)%", "%ProgramFiles%", "%CommonProgramFiles%"}) {
    const std::string folder = system.expandEnvironmentStrings(name);
    EXPECT_TRUE(equalsIgnoringCase(fake.expandEnvironmentStrings(name), folder)) << name << " " << folder;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str())) << name << " " << folder;
  }
  const DWORD wow = GetFileAttributesA((system.windowsDirectory() + "\\SysWOW64").c_str());
  EXPECT_TRUE(wow != INVALID_FILE_ATTRIBUTES && (wow & FILE_ATTRIBUTE_DIRECTORY));
}

TEST(Win32System, ExpandsNamesAndValuesInAnyAlphabet) {
  SetEnvironmentVariableW(L"CORVANTA_\u0416", L"\u0141\u00F3d\u017A \u65E5\u672C \U0001F600");
  EXPECT_EQ("C:\\Łódź 日本 😀\\x", Win32System().expandEnvironmentStrings("C:\\%corvanta_ж%\\x"));
  SetEnvironmentVariableW(L"CORVANTA_\u0416", nullptr);
}

TEST(Win32System, ExpandsTextsFarLargerThanAnyFixedBuffer) {
  ASSERT_TRUE(SetEnvironmentVariableA("CORVANTA_LONG", std::string(3000, 'x').c_str()));
  Win32System system;
  EXPECT_EQ(std::string(6000, 'x') + "!",
            system.expandEnvironmentStrings("%CORVANTA_LONG%%CORVANTA_LONG%!"));
  SetEnvironmentVariableA("CORVANTA_LONG", nullptr);
}

TEST(Win32System, KnowsThePlatformAndWhereTheProgramIs) {
  Win32System system;
  OsVersion version;
  ASSERT_TRUE(system.getVersionEx(version));
  EXPECT_EQ(kVerPlatformWin32Nt, version.platformId);
  testing::FakeDialogs dialogs;
  const std::string text = GetWindowsVersion(system, dialogs);
  EXPECT_EQ(0u, text.find("Windows NT, version: " + std::to_string(version.majorVersion) + "."));
  EXPECT_TRUE(dialogs.shown.empty());

  const std::string path = system.moduleFileName();
  EXPECT_NE(std::string::npos, path.find("corvanta_win_tests.exe")) << path;
}

TEST(Win32System, RegistryRoutinesExpandRealEnvironmentReferences) {
  Win32Registry registry;
  Win32System system;
  const std::string key = "Software\\Corvanta Expand " + std::to_string(GetCurrentProcessId());
  HKEY handle = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &handle, nullptr));
  const char data[] = "%SystemRoot%\\Fonts";
  RegSetValueExA(handle, "path", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(data),
                 sizeof data);
  RegCloseKey(handle);

  RegistryRoutines routines(registry, system);
  const ValueList values = routines.EnumRegistryValues(kHkeyCurrentUser, key);
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  ASSERT_EQ(1u, values.size());
  EXPECT_EQ(windowsFolder() + "\\Fonts", values[0][1]);
}

}  // namespace
}  // namespace corvanta

#include "contract/profile_contract.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

TEST(Win32System, FollowsTheProfileRulesTheLanguageFilesRelyOn) {
  testing::ScratchFolder folder;
  Win32System system;
  testing::checkProfileRules(system, [&](const std::string& name, const std::string& text) {
    const std::string path = folder.file(name);
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  });
}

}  // namespace
}  // namespace corvanta
