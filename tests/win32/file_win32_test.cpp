#include "platform/win32/file_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/log/error_log.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

using testing::ScratchFolder;

TEST(Win32Files, AppendingCreatesTheFileThenAddsToIt) {
  ScratchFolder folder;
  Win32Files files;
  ErrorLog log(files, logFilePath(folder.path()));
  log.LogError(5, "OpenProcess failed", "mdlMisc", "Kill_Process");
  log.LogError(-1, "CloseHandle failed", "mdlMisc", "Kill_Process");
  EXPECT_EQ(
      "ERROR: 5 at mdlMisc\\Kill_Process >>> OpenProcess failed\r\n"
      "ERROR: -1 at mdlMisc\\Kill_Process >>> CloseHandle failed\r\n",
      testing::readFile(folder.file("PROGRAM.LOG")));
}

TEST(Win32Files, ALockedOrUnreachableLogReportsFailureAndChangesNothing) {
  ScratchFolder folder;
  Win32Files files;
  const std::string path = folder.file("PROGRAM.LOG");
  ASSERT_EQ(0, files.appendToFile(path, "first\r\n"));
  EXPECT_NE(0, files.appendToFile(folder.file("no such folder\\PROGRAM.LOG"), "x"));
  EXPECT_NE(0, files.appendToFile(folder.path(), "x")) << "a folder is not a log file";
  {
    // Another program holds the log open and shares it with nobody.
    const UniqueFileHandle lock(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.valid());
    EXPECT_EQ(ERROR_SHARING_VIOLATION, files.appendToFile(path, "second\r\n"));
    ErrorLog log(files, path);
    log.LogError(5, "OpenProcess failed", "mdlMisc", "Kill_Process");  // dropped, quietly
  }
  EXPECT_EQ("first\r\n", testing::readFile(path));
}

// A report replaced while another program reads the old one: the old one
// stays whole, and nothing is left beside it.
TEST(Win32Files, AFileHeldByAReaderIsNotReplacedAndStaysWhole) {
  ScratchFolder folder;
  Win32Files files;
  const std::string path = folder.file("report Жук.json");
  ASSERT_EQ(0, files.replaceFile(path, "old"));
  {
    const UniqueFileHandle reader(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader.valid());
    EXPECT_NE(0, files.replaceFile(path, "new"));
  }
  EXPECT_EQ("old", testing::readFile(path));
  std::vector<FileEntry> found;
  EXPECT_EQ(0, files.findFiles(folder.file("*"), found));
  EXPECT_EQ(1u, found.size());
  EXPECT_EQ(0, files.replaceFile(path, "new"));
  EXPECT_EQ("new", testing::readFile(path));
}

// The program's folder cannot be written (here: its log held by another
// program, as root under Wine a read-only folder would still take writes):
// the entry goes to the local application data instead of being lost.
TEST(Win32Files, ALogThatCannotBeWrittenBesideTheProgramGoesToLocalAppData) {
  ScratchFolder program;
  ScratchFolder local;
  Win32Files files;
  const std::string path = program.file("PROGRAM.LOG");
  ASSERT_EQ(0, files.appendToFile(path, ""));
  const UniqueFileHandle lock(
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock.valid());
  ErrorLog log(files, path, local.file("Corvanta"));
  log.LogError(5, "OpenProcess failed", "mdlMisc", "Kill_Process");
  EXPECT_EQ("ERROR: 5 at mdlMisc\\Kill_Process >>> OpenProcess failed\r\n",
            testing::readFile(local.file("Corvanta\\PROGRAM.LOG")));
}

}  // namespace
}  // namespace corvanta

#include "contract/file_contract.h"

namespace corvanta {
namespace {

TEST(Win32Files, FollowTheFileRulesTheProgramReliesOn) {
  ScratchFolder folder;
  Win32Files files;
  testing::checkFileRules(files, folder.path(), [](const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  });
}

}  // namespace
}  // namespace corvanta
