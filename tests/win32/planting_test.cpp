// The program's late-bound DLLs come from the system folder only: a file of
// the same name beside the program (a Downloads folder, say) is never the
// one loaded. Checked with a DLL of our own placed both in System32 and
// beside this test, so that the search order alone decides which one loads.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/late_bound.h"

namespace corvanta {
namespace {

constexpr const char* kProbe = "corvanta-probe.dll";

std::string folderOf(HMODULE module) {
  char path[MAX_PATH];
  std::string folder(path, GetModuleFileNameA(module, path, MAX_PATH));
  return folder.substr(0, folder.find_last_of('\\'));
}

TEST(Planting, ALateBoundDllIsTakenFromSystem32NeverFromBesideTheProgram) {
  const std::string beside = folderOf(nullptr);
  const std::string planted = beside + "\\planted\\version.dll";  // built beside the tests
  char system[MAX_PATH];
  const std::string systemFolder(system, GetSystemDirectoryA(system, MAX_PATH));
  ASSERT_TRUE(CopyFileA(planted.c_str(), (beside + "\\" + kProbe).c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(planted.c_str(), (systemFolder + "\\" + kProbe).c_str(), FALSE));

  // The plain search starts beside the program: what the program must not use.
  HMODULE searched = LoadLibraryA(kProbe);
  ASSERT_NE(nullptr, searched);
  EXPECT_EQ(beside, folderOf(searched));
  FreeLibrary(searched);

  HMODULE bound = loadSystemLibrary(L"corvanta-probe.dll");
  ASSERT_NE(nullptr, bound);
  EXPECT_EQ(0, lstrcmpiA(systemFolder.c_str(), folderOf(bound).c_str())) << folderOf(bound);
  FreeLibrary(bound);

  DeleteFileA((beside + "\\" + kProbe).c_str());
  DeleteFileA((systemFolder + "\\" + kProbe).c_str());
  DeleteFileA((beside + "\\planted-version-loaded").c_str());
  DeleteFileA((systemFolder + "\\planted-version-loaded").c_str());
}

}  // namespace
}  // namespace corvanta
