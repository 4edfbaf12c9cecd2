#include "core/log/error_log.h"

#include <gtest/gtest.h>

#include "core/app_info.h"
#include "fakes/fake_files.h"
#include "fakes/fake_system.h"

namespace corvanta {
namespace {

using testing::FakeFiles;
using testing::FakeSystem;

TEST(ErrorLog, WritesOneExactLinePerFailureOldestFirst) {
  FakeFiles files;
  files.addFolder("C:\\Corvanta");
  ErrorLog log(files, "C:\\Corvanta\\PROGRAM.LOG");
  log.LogError(5, "OpenProcess failed", "mdlMisc", "Kill_Process");
  log.LogError(-2147024891, "TerminateProcess failed", "mdlMisc", "Kill_Process");
  EXPECT_EQ(
      "ERROR: 5 at mdlMisc\\Kill_Process >>> OpenProcess failed\r\n"
      "ERROR: -2147024891 at mdlMisc\\Kill_Process >>> TerminateProcess failed\r\n",
      files.contents("C:\\Corvanta\\PROGRAM.LOG"));
}

// A line goes after what is there, ANSI text as it is; a log grown past its
// size is first kept whole as PROGRAM.1.LOG, over an earlier one.
TEST(ErrorLog, AppendsToWhatIsThereAndSetsALargeLogAside) {
  const std::string large(kLogRotateBytes, 'x');
  struct Case {
    std::string earlier;
    std::string log;   // after one more line
    std::string kept;  // PROGRAM.1.LOG after it
  };
  const Case cases[] = {
      {"earlier\r\n", "earlier\r\ncaf\xE9\r\n", "older"},
      {large.substr(1), large.substr(1) + "caf\xE9\r\n", "older"},
      {large, "caf\xE9\r\n", large},
  };
  for (const Case& row : cases) {
    FakeFiles files;
    files.addFile("C:\\Corvanta\\PROGRAM.LOG", row.earlier);
    files.addFile("C:\\Corvanta\\PROGRAM.1.LOG", "older");
    ErrorLog log(files, "C:\\Corvanta\\PROGRAM.LOG");
    log.AppendLogLine("caf\xE9");
    // Compared whole, told by their sizes: a megabyte of text says nothing.
    EXPECT_TRUE(row.log == files.contents("C:\\Corvanta\\PROGRAM.LOG"))
        << row.earlier.size() << ": the log holds "
        << files.contents("C:\\Corvanta\\PROGRAM.LOG").size();
    EXPECT_TRUE(row.kept == files.contents("C:\\Corvanta\\PROGRAM.1.LOG"))
        << row.earlier.size() << ": the kept log holds "
        << files.contents("C:\\Corvanta\\PROGRAM.1.LOG").size();
  }
}

TEST(ErrorLog, ALogThatCannotBeWrittenDropsTheEntryQuietly) {
  FakeFiles files;
  files.addFolder("C:\\ReadOnly");
  files.makeUnwritable("C:\\ReadOnly\\PROGRAM.LOG");
  ErrorLog log(files, "C:\\ReadOnly\\PROGRAM.LOG");
  log.LogError(5, "OpenProcess failed", "mdlMisc", "Kill_Process");
  EXPECT_FALSE(files.exists("C:\\ReadOnly\\PROGRAM.LOG"));
}

// Installed under Program Files a standard user cannot write beside the
// program: every entry was lost.
TEST(ErrorLog, WhereTheProgramsFolderCannotBeWrittenTheLogGoesToLocalAppData) {
  FakeFiles files;
  files.addFolder("C:\\Program Files\\Corvanta");
  files.addFolder("C:\\Users\\ann\\AppData\\Local");
  files.makeUnwritable("C:\\Program Files\\Corvanta\\PROGRAM.LOG");
  ErrorLog log(files, "C:\\Program Files\\Corvanta\\PROGRAM.LOG",
               "C:\\Users\\ann\\AppData\\Local\\Corvanta");
  log.LogError(5, "OpenProcess failed", "mdlMisc", "Kill_Process");
  log.AppendLogLine("second");
  EXPECT_EQ("ERROR: 5 at mdlMisc\\Kill_Process >>> OpenProcess failed\r\nsecond\r\n",
            files.contents("C:\\Users\\ann\\AppData\\Local\\Corvanta\\PROGRAM.LOG"));
  EXPECT_FALSE(files.exists("C:\\Program Files\\Corvanta\\PROGRAM.LOG"));
}

TEST(ErrorLog, LivesBesideTheProgram) {
  FakeSystem system;
  system.modulePath = "C:\\Program Files\\Corvanta\\corvanta.exe";
  EXPECT_EQ("C:\\Program Files\\Corvanta\\PROGRAM.LOG", logFilePath(AppFolder(system)));
  system.modulePath = "C:\\corvanta.exe";
  EXPECT_EQ("C:\\PROGRAM.LOG", logFilePath(AppFolder(system)));
}

}  // namespace
}  // namespace corvanta
