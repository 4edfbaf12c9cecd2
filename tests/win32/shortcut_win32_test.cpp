#include "platform/win32/shortcut_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "platform/win32/wide_text.h"
#include "registry/script_shell.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

using testing::ScratchFolder;

// The target was once read from the link's ANSI path, where Łódź is best
// fit to Lodz: a healthy shortcut was judged an orphan and deleted.
TEST(Win32Shortcuts, ASavedShortcutReadsBackItsTargetExactlyInAnyAlphabet) {
  ScratchFolder folder;
  CreateDirectoryW(wide(folder.file("Docs")).c_str(), nullptr);
  Win32Shortcuts shortcuts;
  testing::FakeRegistry registry;
  ScriptShell shell(registry, shortcuts);
  for (const char* name : {"Łódź.txt", "Журнал.txt", "日本.txt", "app 😀.exe"}) {
    const std::string target = folder.file("Docs\\") + name;
    CloseHandle(
        CreateFileW(wide(target).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const std::string linkPath = folder.file(std::string("to ") + name + ".lnk");
    Shortcut link = shell.CreateShortcut(linkPath);
    EXPECT_EQ(kEFileNotFound, link.loadStatus()) << name;
    link.setTargetPath(target);
    link.Save();

    const Shortcut read = shell.CreateShortcut(linkPath);
    EXPECT_EQ(kSOk, read.loadStatus()) << name;
    EXPECT_EQ(target, read.TargetPath());
  }
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
