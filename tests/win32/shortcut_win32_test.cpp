#include "platform/win32/shortcut_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/text.h"
#include "fakes/fake_registry.h"
#include "registry/script_shell.h"
#include "platform/win32/wide_text.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

using testing::ScratchFolder;

TEST(Win32Shortcuts, ASavedShortcutReadsBackItsTarget) {
  ScratchFolder folder;
  Win32Shortcuts shortcuts;
  const std::string target = folder.file("app Жук 日本 😀.exe");
  CloseHandle(
      CreateFileW(wide(target).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));

  testing::FakeRegistry registry;
  ScriptShell shell(registry, shortcuts);
  Shortcut link = shell.CreateShortcut(folder.file("App Łódź.lnk"));
  EXPECT_EQ(kEFileNotFound, link.loadStatus());
  link.setTargetPath(target);
  link.Save();

  const Shortcut read = shell.CreateShortcut(folder.file("App Łódź.lnk"));
  EXPECT_EQ(kSOk, read.loadStatus());
  EXPECT_TRUE(equalsIgnoringCase(target, read.TargetPath())) << read.TargetPath();
}

TEST(Win32Shortcuts, AFileThatIsNotAShortcutHasNoKnownTarget) {
  ScratchFolder folder;
  const std::string junk = folder.file("Junk.lnk");
  const HANDLE file = CreateFileA(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "not a shortcut", 14, &written, nullptr);
  CloseHandle(file);

  Win32Shortcuts shortcuts;
  std::string target = "untouched";
  EXPECT_NE(kSOk, shortcuts.loadShortcutTarget(junk, target));
  EXPECT_EQ("untouched", target);
}

}  // namespace
}  // namespace corvanta
