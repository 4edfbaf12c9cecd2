// The System Health window's checks, run as a user runs them: the window
// loads, "Check && Repair" is clicked, and the registry, the files, the
// counts and the backup are read back.
#include <gtest/gtest.h>

#include <functional>

#include "base/text.h"
#include "core/app_info.h"
#include "fakes/app_harness.h"
#include "health/findings.h"
#include "health/health_checks.h"
#include "health/health_form.h"
#include "registry/settings_store.h"

namespace corvanta {
namespace {

using testing::AppHarness;

// A backup file's text: UTF-16LE after its byte-order mark.
std::string backupText(AppHarness& app, const std::string& path) {
  const std::string bytes = app.files.contents(path);
  EXPECT_EQ(0u, bytes.rfind("\xFF\xFE", 0)) << path;
  std::u16string units;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return utf8FromUtf16(units);
}

constexpr RegKey kHklm = kHkeyLocalMachine;
constexpr RegKey kHkcu = kHkeyCurrentUser;
const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kUninstall32 =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::string kMru =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const std::string kSharedDlls = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const std::string kBackups =
    "C:\\Documents and Settings\\user\\Application Data\\Corvanta\\Backups";
const std::string kStamp = "2026-12-08 09-30-05";
const std::string kHklmName = "HKEY_LOCAL_MACHINE\\";

CheckOutcome runCheck(AppHarness& app, const std::string& id) {
  CheckProgress quiet;
  return runHealthCheck(app.context, quiet, *findHealthCheck(id), "C:");
}

class HealthTest : public ::testing::Test {
 protected:
  HealthTest() {
    app.files.addFolder("C:\\Documents and Settings\\user\\Application Data");
    app.files.addFile("C:\\tools\\here.exe");
  }
  void click(const char* button) {
    if (!app.forms.isLoaded(health)) app.forms.Load(health);
    health.control(button).click();
  }
  // Found and repaired, as a run came to them.
  using Counts = std::pair<std::size_t, std::size_t>;
  // What the check, run over drive C:, came to.
  Counts counts(const char* id) {
    const CheckOutcome outcome = runCheck(app, id);
    return {outcome.found, outcome.repaired};
  }

  AppHarness app;
  HealthForm health{app.context};
};

// The ignore list matches entries as Windows names keys and files: without
// regard to case in any alphabet; it keeps one of each and comes back from
// the settings as it was saved.
TEST(HealthSupport, TheIgnoreListMatchesWithoutCaseKeepsOneOfEachAndComesBackWhole) {
  testing::FakeRegistry registry;
  SettingsStore settings(registry);
  IgnoreList list;
  list.add("HKEY_LOCAL_MACHINE\\Software\\Łódź : Жук 😀");
  list.add("hkey_local_machine\\SOFTWARE\\łÓDŹ : жУК 😀");  // the same entry
  list.add("C:\\Links\\Gone.lnk");
  list.add("");
  list.add("two\nlines");
  EXPECT_EQ(2u, list.entries().size());
  EXPECT_TRUE(list.contains("HKEY_LOCAL_MACHINE\\SOFTWARE\\ŁÓDŹ : ЖУК 😀"));
  EXPECT_FALSE(list.contains("HKEY_LOCAL_MACHINE\\SOFTWARE\\Lodz : Жук 😀"));
  list.save(settings);
  const IgnoreList read = IgnoreList::load(settings);
  EXPECT_EQ(list.entries(), read.entries());
  list.remove("c:\\links\\GONE.LNK");
  EXPECT_FALSE(list.contains("C:\\Links\\Gone.lnk"));
  EXPECT_EQ(1u, list.entries().size());
  list.add("C:\\Links\\Gone.lnk");
  EXPECT_TRUE(list.contains("C:\\LINKS\\gone.lnk")) << "added again after its removal";
}

TEST(HealthSupport, QuotesBecomeSpacesAndSortedListsIgnoreCaseAndKeepDuplicates) {
  EXPECT_EQ("", QuotesToSpaces(""));
  EXPECT_EQ(" c:\\a b.exe ", QuotesToSpaces("\"c:\\a b.exe\""));
  SortedList list;
  for (const char* text : {"b", "A", "c", "a", "B"}) list.add(text);
  EXPECT_EQ((std::vector<std::string>{"A", "a", "b", "B", "c"}),
            std::vector<std::string>(list.begin(), list.end()));
}

TEST(HealthSupport, APresenceIsMissingOnlyWhenAFixedDriveSaysAFullPathIsNotFound) {
  AppHarness app;
  app.files.addFile("C:\\dir\\file.txt");
  app.files.addFile("C:\\dir\\hidden.sys", "", kFileAttributeHidden | kFileAttributeSystem);
  app.files.addFolder("C:\\empty");
  app.files.addFolder("C:\\locked");
  app.files.failListing("C:\\locked", kErrorAccessDenied);
  app.drives.drives["a:\\"] = {DriveType::Removable, "", false, {}};
  app.drives.drives["d:\\"] = {DriveType::CdRom, "", true, {}};
  app.drives.drives["n:\\"] = {DriveType::Remote, "", true, {}};
  struct Case {
    const char* path;
    bool present;
  };
  const Case cases[] = {
      {"C:\\dir\\file.txt", true},
      {"c:\\DIR\\FILE.TXT", true},
      {"C:\\dir\\gone.txt", false},
      {"C:\\nowhere\\gone.txt", false},
      {"C:\\dir\\hidden.sys", true},
      {"C:\\dir", true},
      {"C:\\dir\\", true},
      {"C:\\empty", true},
      {"C:\\empty\\", false},
      {"C:\\dir\\*.txt", true},
      {"C:\\dir\\*.doc", false},
      {"C:\\dir\\fil?.txt", true},
      {"", true},
      {"\\\\server\\share\\gone.txt", true},
      {"Q:\\no such drive.txt", true},
      {"A:\\no medium.txt", true},
      // Another disc or stick may be in the drive: its entries are kept.
      {"D:\\ready cd\\gone.txt", true},
      // A name without its folder is found through a search order; relative
      // and unexpanded names say nothing of one file here.
      {"msvbvm60.dll", true},
      {"rundll32.exe", true},
      {"%SystemRoot%\\system32\\kernel32.dll", true},
      {"dir\\gone.txt", true},
      {"C:gone.txt", true},
      {"N:\\network\\gone.txt", true},
      {"C:\\locked\\gone.txt", true},
  };
  PresenceTest test(app.files, app.drives);
  for (const Case& c : cases) EXPECT_EQ(c.present, test.IsPresent(c.path)) << c.path;
}

TEST(HealthSupport, TheProgramOfACommandLineIsWhatIsTested) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Tools\\App.exe", "c:\\tools\\app.exe"},
      {"\"C:\\Program Files\\App\\app.exe\" -nosplash", "c:\\program files\\app\\app.exe"},
      {"C:\\Program Files\\App\\app.exe /s", "c:\\program files\\app\\app.exe"},
      {"c:\\x\\run.cmd", "c:\\x\\run.cmd"},
      {"c:\\x\\app.exe.manifest", "c:\\x\\app.exe.manifest"},
      {"  c:\\x\\tool.com arg", "c:\\x\\tool.com"},
  };
  for (const auto& [command, program] : cases) EXPECT_EQ(program, programOfCommand(command));
  // The report names it as it is written.
  EXPECT_EQ("C:\\Program Files\\App\\App.exe",
            programPart("\"C:\\Program Files\\App\\App.exe\" -nosplash"));
  EXPECT_EQ("C:\\Tools\\App.EXE", programPart("C:\\Tools\\App.EXE /s"));
}

TEST_F(HealthTest, RemovalDeletesEntriesWithoutUninstallCommandFromBothViewsAndBacksThemUp) {
  app.registry.putString(kHklm, kUninstall + "\\NoCommand", "DisplayName", "Gone");
  app.registry.putString(kHklm, kUninstall + "\\NoCommand\\Sub", "Icon", "x.ico");
  app.registry.putString(kHklm, kUninstall + "\\Quiet", "QuietUninstallString", "q.exe /x");
  app.registry.putString(kHklm, kUninstall + "\\EmptyCommand", "UninstallString", "");
  app.registry.addKey(kHklm, kUninstall + "\\{0AB7-PRODUCT}");
  app.registry.addKey(kHklm, kUninstall + "\\Bare");
  app.registry.putString(kHklm, kUninstall + "\\Unreadable", "DisplayName", "Locked");
  app.registry.failPath(kHklm, kUninstall + "\\Unreadable", kErrorAccessDenied);
  app.registry.putString(kHklm, kUninstall32 + "\\Old32", "DisplayName", "Old");

  EXPECT_EQ(Counts(3, 3), counts("removal"));
  for (const char* gone : {"NoCommand", "Bare"})
    EXPECT_FALSE(app.registry.hasKey(kHklm, kUninstall + "\\" + gone)) << gone;
  EXPECT_FALSE(app.registry.hasKey(kHklm, kUninstall32 + "\\Old32"));
  for (const char* kept : {"Quiet", "EmptyCommand", "{0AB7-PRODUCT}", "Unreadable"}) {
    EXPECT_TRUE(app.registry.hasKey(kHklm, kUninstall + "\\" + kept)) << kept;
  }
  const std::string backup =
      backupText(app, kBackups + "\\" + kStamp + " Software removal entries.reg");
  EXPECT_EQ(0u, backup.find("Windows Registry Editor Version 5.00\r\n"));
  for (const std::string& line :
       {"[HKEY_LOCAL_MACHINE\\" + kUninstall + "\\NoCommand]\r\n\"DisplayName\"=\"Gone\"\r\n",
        "[HKEY_LOCAL_MACHINE\\" + kUninstall + "\\NoCommand\\Sub]\r\n\"Icon\"=\"x.ico\"\r\n",
        "[HKEY_LOCAL_MACHINE\\" + kUninstall32 + "\\Old32]\r\n"}) {
    EXPECT_NE(std::string::npos, backup.find(line)) << line;
  }
  EXPECT_EQ(0u, app.registry.openHandles());

  EXPECT_EQ(Counts(0, 0), counts("removal")) << "nothing accumulates";
}

TEST_F(HealthTest, ABackupThatCannotBeWrittenDeletesNothingAndSaysSo) {
  app.registry.addKey(kHklm, kUninstall + "\\Bare");
  app.shell.appData.clear();
  const Counts counted = counts("removal");
  EXPECT_TRUE(app.registry.hasKey(kHklm, kUninstall + "\\Bare"));
  EXPECT_EQ(Counts(1, 0), counted);
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("Nothing was deleted"));
}

TEST_F(HealthTest, AppPathsTestsTheProgramOfTheDefaultValueOnly) {
  const auto entry = [&](const std::string& name, const std::string& command) {
    app.registry.putString(kHklm, kAppPaths + "\\" + name, "", command);
  };
  entry("here.exe", "\"C:\\tools\\here.exe\" /min");
  entry("args.exe", "C:\\tools\\here.exe -x");
  entry("gone.exe", "C:\\tools\\gone.exe");
  entry("goneargs.exe", "C:\\tools\\gone.exe -x");
  entry("bare.exe", "gone.exe");
  app.registry.putString(kHklm, kAppPaths + "\\other.exe", "Path", "C:\\missing folder");
  app.registry.putString(kHklm, kAppPaths + "\\gone.exe\\Sub", "x", "y");

  EXPECT_EQ(Counts(2, 2), counts("apppaths"));
  for (const char* name : {"gone.exe", "goneargs.exe"})
    EXPECT_FALSE(app.registry.hasKey(kHklm, kAppPaths + "\\" + name)) << name;
  for (const char* name : {"here.exe", "args.exe", "bare.exe", "other.exe"})
    EXPECT_TRUE(app.registry.hasKey(kHklm, kAppPaths + "\\" + name)) << name;
}

TEST_F(HealthTest, OrphanShortcutsAreDeletedAfterACopyAndUnreadableOnesAreKept) {
  app.files.addFile("C:\\a\\good.lnk");
  app.shortcuts.put("C:\\a\\good.lnk", "\"C:\\tools\\here.exe\"");
  app.files.addFile("C:\\b\\Dead.lnk", "link", kFileAttributeReadOnly | kFileAttributeHidden);
  app.shortcuts.put("C:\\b\\Dead.lnk", "C:\\tools\\gone.exe");
  app.files.addFile("C:\\b\\empty target.lnk");
  app.shortcuts.put("C:\\b\\empty target.lnk", "");
  app.files.addFile("C:\\c\\notashortcutblnk");
  app.shortcuts.corrupt.insert(foldCase("C:\\c\\notashortcutblnk"));
  app.files.addFile("C:\\locked\\x\\gone.lnk");
  app.files.failListing("C:\\locked", kErrorAccessDenied);

  EXPECT_EQ(Counts(1, 1), counts("shortcuts"));
  EXPECT_FALSE(app.files.exists("C:\\b\\Dead.lnk"));
  EXPECT_TRUE(app.files.exists("C:\\a\\good.lnk"));
  EXPECT_TRUE(app.files.exists("C:\\b\\empty target.lnk"));
  EXPECT_TRUE(app.files.exists("C:\\c\\notashortcutblnk"));
  const std::string copy = kBackups + "\\" + kStamp + " Orphan shortcuts\\C\\b\\Dead.lnk";
  EXPECT_EQ("link", app.files.contents(copy));
  EXPECT_EQ(kFileAttributeReadOnly | kFileAttributeHidden, app.files.attributesOf(copy));
  ASSERT_EQ(1u, app.dialogs.shown.size()) << "one message for the unreadable shortcuts";
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("\\c\\notashortcutblnk"));
  // A notice of entries left alone, once titled with a raw HRESULT as an error.
  EXPECT_EQ("Orphan shortcuts", app.dialogs.shown[0].title);
  EXPECT_EQ(kMbIconInformation, app.dialogs.shown[0].flags & 0xF0);
}

TEST_F(HealthTest, ShortcutsTwiceInARowLeaveBackupsBinsAndUndeletableFilesAndCountTrue) {
  // A second run once deleted the first run's backups; a shortcut in the
  // Recycle Bin was deleted; a file that would not go counted as repaired.
  const auto shortcut = [&](const std::string& path) {
    app.files.addFile(path, "link");
    app.shortcuts.put(path, "C:\\tools\\gone.exe");
  };
  shortcut("C:\\b\\Dead.lnk");
  shortcut("C:\\b\\Stuck.lnk");
  app.files.makeUnwritable("C:\\b\\Stuck.lnk");
  for (const char* kept : {"C:\\$Recycle.Bin\\S-1-5-21\\$R1.lnk", "C:\\RECYCLER\\x.lnk",
                           "C:\\System Volume Information\\y.lnk"})
    shortcut(kept);
  app.shortcuts.put("C:\\b\\Removable.lnk", "E:\\stick\\tool.exe");
  app.files.addFile("C:\\b\\Removable.lnk");
  app.drives.drives["e:\\"] = {DriveType::Removable, "STICK", true, {}};

  EXPECT_EQ(Counts(2, 1), counts("shortcuts"));
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("\\b\\Stuck.lnk"));
  EXPECT_NE(std::string::npos,
            app.files.contents(app.appFolder + "\\PROGRAM.LOG").find("Stuck.lnk"));
  const std::string copy = kBackups + "\\" + kStamp + " Orphan shortcuts\\C\\b\\Dead.lnk";
  ASSERT_TRUE(app.files.exists(copy));

  EXPECT_EQ(Counts(1, 0), counts("shortcuts")) << "only the stuck one, again";
  EXPECT_TRUE(app.files.exists(copy));
  for (const char* kept : {"C:\\$Recycle.Bin\\S-1-5-21\\$R1.lnk", "C:\\RECYCLER\\x.lnk",
                           "C:\\System Volume Information\\y.lnk", "C:\\b\\Removable.lnk"})
    EXPECT_TRUE(app.files.exists(kept)) << kept;
}

TEST_F(HealthTest, AnEntryThatWouldNotGoIsNamedAndNotCountedAsRepaired) {
  app.registry.addKey(kHklm, kUninstall + "\\Bare");
  app.registry.addKey(kHklm, kUninstall + "\\Locked\\Child");
  app.registry.markReadOnly(kHklm, kUninstall + "\\Locked");
  const Counts counted = counts("removal");
  EXPECT_TRUE(app.registry.hasKey(kHklm, kUninstall + "\\Locked"));
  EXPECT_EQ(Counts(2, 1), counted);
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("Uninstall\\Locked"));
}

// 64-bit Windows, run by either build: each entry is judged as the programs
// of its own view see it, and what cannot be decided is kept. Once a 32-bit
// entry was judged against the native System32, a 64-bit one against the
// 32-bit program's %ProgramFiles%, and bare names against the current folder.
TEST(HealthViews, EachEntryIsJudgedAsTheProgramsOfItsViewSeeItByEitherBuild) {
  const std::string kAppPaths32 =
      "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths";
  const std::string kShared32 =
      "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
  for (const bool thirtyTwoBitProgram : {true, false}) {
    const char* program = thirtyTwoBitProgram ? " (32-bit program)" : " (64-bit program)";
    AppHarness app;
    app.system.asSixtyFourBitWindows(thirtyTwoBitProgram);
    app.registry.runAsThirtyTwoBitProgram(thirtyTwoBitProgram);
    app.files.addFolder("C:\\Documents and Settings\\user\\Application Data");
    for (const char* file :
         {"C:\\Program Files\\Tool\\tool.exe", "C:\\Program Files (x86)\\Tool32\\tool32.exe",
          "C:\\Program Files (x86)\\Gone\\gone.exe", "C:\\WINDOWS\\SysWOW64\\x.dll"})
      app.files.addFile(file);
    const auto command = [&](const std::string& key, const std::string& name,
                             const std::string& text) {
      app.registry.putValue(kHklm, key + "\\" + name, "", kRegExpandSz,
                            Bytes(text.begin(), text.end() + 1));
    };
    command(kAppPaths, "tool.exe", "%ProgramFiles%\\Tool\\tool.exe");
    command(kAppPaths, "gone.exe", "%ProgramFiles%\\Gone\\gone.exe");  // only the 32-bit one
    app.registry.addKey(kHklm, kAppPaths + "\\gone.exe\\Shell");  // deleted in its own view too
    command(kAppPaths, "unknown.exe", "%NoSuchFolder%\\x.exe");
    command(kAppPaths32, "tool32.exe", "%ProgramFiles%\\Tool32\\tool32.exe");
    app.registry.putString(kHklm, kAppPaths + "\\rundll.exe", "", "rundll32.exe C:\\x\\y.dll,Run");
    app.registry.putString(kHklm, kAppPaths + "\\msi.exe", "", "msiexec.exe /i \"C:\\x\\s.msi\"");
    app.registry.putDword(kHklm, kShared32, "C:\\WINDOWS\\system32\\x.dll", 1);    // SysWOW64's
    app.registry.putDword(kHklm, kSharedDlls, "C:\\WINDOWS\\system32\\x.dll", 1);  // not native
    for (const char* kept : {"msvbvm60.dll", "%SystemRoot%\\system32\\kernel32.dll"})
      app.registry.putDword(kHklm, kSharedDlls, kept, 1);

    HealthForm health(app.context);
    app.forms.Load(health);
    health.control("check2cmd").click();
    health.control("check6cmd").click();
    EXPECT_FALSE(app.registry.hasKey(kHklm, kAppPaths + "\\gone.exe")) << program;
    for (const char* kept : {"tool.exe", "unknown.exe", "rundll.exe", "msi.exe"})
      EXPECT_TRUE(app.registry.hasKey(kHklm, kAppPaths + "\\" + kept)) << kept << program;
    EXPECT_TRUE(app.registry.hasKey(kHklm, kAppPaths32 + "\\tool32.exe")) << program;
    EXPECT_TRUE(app.registry.value(kHklm, kShared32, "C:\\WINDOWS\\system32\\x.dll"));
    EXPECT_FALSE(app.registry.value(kHklm, kSharedDlls, "C:\\WINDOWS\\system32\\x.dll"));
    for (const char* kept : {"msvbvm60.dll", "%SystemRoot%\\system32\\kernel32.dll"})
      EXPECT_TRUE(app.registry.value(kHklm, kSharedDlls, kept)) << kept;
  }
}

// A key both views see (as App Paths is under Wine) lists alike from both:
// its entries may be either bitness's, so one is missing only when missing
// for both.
TEST(HealthViews, AKeyBothViewsShareKeepsWhatEitherBitnessFinds) {
  AppHarness app;
  app.system.asSixtyFourBitWindows(true);
  app.registry.runAsThirtyTwoBitProgram();
  app.files.addFolder("C:\\Documents and Settings\\user\\Application Data");
  app.files.addFile("C:\\Program Files (x86)\\X\\x.exe");
  const std::string text = "%ProgramFiles%\\X\\x.exe";
  for (const std::string& key :
       {kAppPaths,
        std::string("SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths")}) {
    app.registry.putValue(kHklm, key + "\\x.exe", "", kRegExpandSz,
                          Bytes(text.begin(), text.end() + 1));
    app.registry.putString(kHklm, key + "\\gone.exe", "", "C:\\nowhere\\gone.exe");
  }
  HealthForm health(app.context);
  app.forms.Load(health);
  health.control("check2cmd").click();
  EXPECT_EQ("1", health.control("t2label").Caption()) << "judged once, in one key";
  EXPECT_TRUE(app.registry.hasKey(kHklm, kAppPaths + "\\x.exe"));
  EXPECT_FALSE(app.registry.hasKey(kHklm, kAppPaths + "\\gone.exe"));
}

// Each registry check with one broken entry beside a healthy one: the entry,
// and how to tell whether it is still there.
struct BrokenEntry {
  const char* check;
  const char* button;
  const char* errors;
  const char* repaired;
  std::function<void(AppHarness&)> arrange;
  std::function<bool(AppHarness&)> stillThere;
  const char* inBackup;  // what the backup file holds of it
};

std::vector<BrokenEntry> brokenEntries() {
  const std::string html = "Software\\Microsoft\\Windows\\HTML Help";
  return {
      {"removal", "checkcmd", "Elabel", "Rlabel",
       [](AppHarness& app) {
         app.registry.putString(kHklm, kUninstall + "\\Bare", "Publisher", "Żółw & Łódź — 日本");
         app.registry.putString(kHklm, kUninstall + "\\Kept", "UninstallString", "x");
       },
       [](AppHarness& app) { return app.registry.hasKey(kHklm, kUninstall + "\\Bare"); },
       "Uninstall\\Bare]\r\n\"Publisher\"=\"Żółw & Łódź — 日本\"\r\n"},
      {"apppaths", "check2cmd", "t2label", "R2label",
       [](AppHarness& app) {
         app.registry.putString(kHklm, kAppPaths + "\\gone.exe", "", "C:\\tools\\gone.exe");
         app.registry.putString(kHklm, kAppPaths + "\\here.exe", "", "C:\\tools\\here.exe");
       },
       [](AppHarness& app) { return app.registry.hasKey(kHklm, kAppPaths + "\\gone.exe"); },
       "App Paths\\gone.exe]"},
      {"histories", "check4cmd", "t4label", "R4label",
       [](AppHarness& app) {
         app.registry.putString(kHkcu, kMru + "\\txt", "a", "C:\\docs\\gone.txt");
         app.registry.putString(kHkcu, kMru + "\\txt", "b", "C:\\tools\\here.exe");
       },
       [](AppHarness& app) { return app.registry.value(kHkcu, kMru + "\\txt", "a").has_value(); },
       "gone.txt"},
      {"help", "check5cmd", "e5label", "R5label",
       [html](AppHarness& app) {
         app.registry.putString(kHklm, html, "gone.chm", "C:\\help");
         app.registry.putString(kHklm, html, "here.exe", "C:\\tools");
       },
       [html](AppHarness& app) { return app.registry.value(kHklm, html, "gone.chm").has_value(); },
       "gone.chm"},
      {"shared", "check6cmd", "E6label", "R6label",
       [](AppHarness& app) {
         app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\gone.dll", 1);
         app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\here.exe", 1);
       },
       [](AppHarness& app) {
         return app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone.dll").has_value();
       },
       "gone.dll"},
  };
}

// Every backup file the runs wrote, joined.
std::string allBackups(AppHarness& app) {
  std::vector<FileEntry> files;
  app.files.findFiles(kBackups + "\\*.reg", files);
  std::string text;
  for (const FileEntry& file : files) text += backupText(app, kBackups + "\\" + file.name);
  return text;
}

// A machine arranged with one check's broken entry.
struct Arranged {
  explicit Arranged(const BrokenEntry& check) {
    app.files.addFolder("C:\\Documents and Settings\\user\\Application Data");
    app.files.addFile("C:\\tools\\here.exe");
    check.arrange(app);
  }
  AppHarness app;
};

// A registry call failing at any point of a run: the entry is never gone
// without its backup, and the outcome says whether it went.
TEST(HealthFaults, ACallFailingAnywhereNeverLosesAnEntryWithoutItsBackupOrMiscounts) {
  for (const BrokenEntry& check : brokenEntries()) {
    int calls = 0;
    {
      Arranged clean(check);
      const int before = clean.app.registry.totalCalls();
      runCheck(clean.app, check.check);
      calls = clean.app.registry.totalCalls() - before;
    }
    for (int failing = 1; failing <= calls; ++failing) {
      Arranged run(check);
      run.app.registry.failCall(failing, kErrorAccessDenied);
      const CheckOutcome first = runCheck(run.app, check.check);
      const bool gone = !check.stillThere(run.app);
      const std::string where = std::string(check.check) + " call " + std::to_string(failing);
      if (gone) {
        EXPECT_NE(std::string::npos, allBackups(run.app).find(check.inBackup)) << where;
      }
      EXPECT_EQ(gone ? 1u : 0u, first.repaired) << where;
      EXPECT_EQ(gone, !first.findings.empty() && first.findings.front().repaired) << where;
      run.app.registry.clearFaults();
      // Twice in a row: what is left is what the first run could not do.
      const CheckOutcome again = runCheck(run.app, check.check);
      EXPECT_EQ(again.found, again.repaired) << where << ", again";
      if (!check.stillThere(run.app)) {
        EXPECT_NE(std::string::npos, allBackups(run.app).find(check.inBackup))
            << where << ", again";
      }
    }
  }
}

// The window shows a check's outcome in its frame: the counts found and
// repaired, and a bar that keeps its maximum over a single entry.
TEST(HealthWindow, EachCheckShowsWhatItFoundAndRepairedInItsFrame) {
  for (const BrokenEntry& check : brokenEntries()) {
    Arranged arranged(check);
    HealthForm health(arranged.app.context);
    arranged.app.forms.Load(health);
    health.control(check.button).click();
    EXPECT_EQ("1", health.control(check.errors).Caption()) << check.check;
    EXPECT_EQ("1", health.control(check.repaired).Caption()) << check.check;
    EXPECT_FALSE(check.stillThere(arranged.app)) << check.check;
    EXPECT_FALSE(health.control("unignorecmd").Enabled()) << "nothing ignored to remove";
    arranged.app.forms.Unload(health);
  }
}

TEST_F(HealthTest, HistoriesLoseStaleFilesOnlyAndKeepTheirOrder) {
  app.registry.putString(kHkcu, kMru + "\\txt", "a", "C:\\tools\\here.exe");
  app.registry.putString(kHkcu, kMru + "\\txt", "b", "C:\\docs\\gone.txt");
  app.registry.putString(kHkcu, kMru + "\\txt", "MRUList", "ba");
  app.registry.putString(kHkcu, kMru + "\\txt", "c\\d", "C:\\docs\\also gone.txt");
  app.registry.putString(kHkcu, kMru + "\\*", "a", "C:\\docs\\gone.txt");
  app.registry.putString(kHkcu, kMru + "\\*", "n", "\\\\server\\docs\\gone.txt");

  EXPECT_EQ(Counts(3, 3), counts("histories"));
  EXPECT_TRUE(app.registry.value(kHkcu, kMru + "\\txt", "a"));
  EXPECT_TRUE(app.registry.value(kHkcu, kMru + "\\txt", "MRUList"));
  EXPECT_FALSE(app.registry.value(kHkcu, kMru + "\\txt", "b"));
  EXPECT_FALSE(app.registry.value(kHkcu, kMru + "\\txt", "c\\d"))
      << "a name with a backslash goes whole";
  EXPECT_FALSE(app.registry.value(kHkcu, kMru + "\\*", "a"));
  EXPECT_TRUE(app.registry.value(kHkcu, kMru + "\\*", "n"));
}

TEST_F(HealthTest, HelpRegistrationsAreRepairedInTheirOwnListOnly) {
  const std::string html = "Software\\Microsoft\\Windows\\HTML Help";
  const std::string classic = "Software\\Microsoft\\Windows\\Help";
  app.files.addFile("C:\\help\\here.chm");
  app.files.addFile("C:\\present\\a.chm");
  app.registry.putString(kHklm, html, "here.chm", "C:\\help");
  app.registry.putString(kHklm, html, "gone.chm", "C:\\help\\");
  app.registry.putString(kHklm, html, "a.chm", "C:\\HELP\\old");
  app.registry.putString(kHklm, classic, "a.chm", "C:\\present\\");
  app.registry.putString(kHklm, classic, "gone.hlp", "C:\\HELP");

  EXPECT_EQ(Counts(3, 3), counts("help"));
  EXPECT_TRUE(app.registry.value(kHklm, html, "here.chm"));
  EXPECT_TRUE(app.registry.value(kHklm, classic, "a.chm")) << "not offered to the other list";
  for (const auto& [key, name] :
       {std::pair{html, "gone.chm"}, {html, "a.chm"}, {classic, "gone.hlp"}}) {
    EXPECT_FALSE(app.registry.value(kHklm, key, name)) << name;
  }
}

TEST_F(HealthTest, SharedComponentsOfMissingFilesGoWhateverTheirCount) {
  app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\here.exe", 0);
  app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\gone.dll", 9);
  app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\gone.ocx", 2);
  EXPECT_EQ(Counts(2, 2), counts("shared"));
  EXPECT_TRUE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\here.exe"));
  EXPECT_FALSE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone.dll"));
  // Values of one key are backed up under one header.
  EXPECT_EQ("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" + kSharedDlls +
                "]\r\n\"C:\\\\tools\\\\gone.dll\"=dword:00000009\r\n"
                "\"C:\\\\tools\\\\gone.ocx\"=dword:00000002\r\n",
            backupText(app, kBackups + "\\" + kStamp + " Shared components.reg"));
  // A .reg file cannot hold a line break in a name: such a value cannot be
  // backed up, so it is kept (once written raw, breaking the backup).
  app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\gone\r\n.dll", 1);
  app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\gone2.dll", 1);
  const Counts again = counts("shared");
  EXPECT_TRUE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone\r\n.dll"));
  EXPECT_FALSE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone2.dll")) << "the rest go";
  EXPECT_EQ(Counts(2, 1), again);
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("no backup could hold it"));
}

// Review: the user unticks one finding and ignores another; only the ticked
// one is repaired, the ignored one is remembered and no later run reports
// it until it is taken off the list; Cancel repairs nothing.
TEST_F(HealthTest, ReviewRepairsTheTickedOnesAndAnIgnoredEntryStaysUntilTakenOffTheList) {
  for (const char* name : {"gone1.dll", "gone2.dll", "gone3.dll"})
    app.registry.putDword(kHklm, kSharedDlls, std::string("C:\\tools\\") + name, 1);
  app.forms.Load(health);
  health.control("reviewchk").valueFromUser(ui::kChecked);
  std::vector<std::vector<std::string>> listed;
  // What the list is told when it is filled again: once a row grew the
  // window's work with the square of the findings.
  struct Notices final : ui::FormObserver {
    int list = 0;
    void controlChanged(ui::Control& control, ui::Property property) override {
      if (control.name() == "findings" &&
          (property == ui::Property::Rows || property == ui::Property::Ticks))
        ++list;
    }
    void formChanged(ui::Form&, ui::FormProperty) override {}
  } notices;
  app.windows.whileModal = [&](ui::Form& review) {
    ui::Control& list = review.control("findings");
    listed = list.rows();
    list.rowTickedFromUser(0, false);  // gone1: kept
    list.listIndexFromUser(1);         // gone2: ignored
    review.setObserver(&notices);
    review.control("ignorecmd").click();
    review.setObserver(nullptr);
    EXPECT_EQ(1, notices.list) << "the refilled list is told once";
    EXPECT_FALSE(list.RowTicked(0)) << "a finding keeps its tick when the list is filled again";
    review.control("repaircmd").click();  // gone3: repaired
  };
  HealthForm again(app.context);
  app.forms.Load(again);
  ASSERT_EQ(ui::kChecked, again.control("reviewchk").Value()) << "remembered";
  again.control("check6cmd").click();
  ASSERT_EQ(3u, listed.size());
  EXPECT_EQ((std::vector<std::string>{"C:\\tools\\gone1.dll   (" + kHklmName + kSharedDlls + ")",
                                      "", "file missing: C:\\tools\\gone1.dll"}),
            listed[0]);
  EXPECT_TRUE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone1.dll"));
  EXPECT_TRUE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone2.dll"));
  EXPECT_FALSE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone3.dll"));
  EXPECT_EQ("2", again.control("E6label").Caption()) << "the ignored one is not counted";
  const std::vector<std::vector<std::string>> ignored{
      {"C:\\tools\\gone2.dll   (" + kHklmName + kSharedDlls + ")"}};
  EXPECT_EQ(ignored, again.control("ignorelist").rows());

  // Cancel: nothing goes; the ignored entry is not even listed.
  app.windows.whileModal = [&](ui::Form& review) {
    listed = review.control("findings").rows();
    review.control("cancelcmd").click();
  };
  again.control("check6cmd").click();
  EXPECT_EQ(1u, listed.size());
  EXPECT_TRUE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone1.dll"));

  // Review off, the ignored entry off the list: the next run repairs it.
  again.control("reviewchk").valueFromUser(ui::kUnchecked);
  again.control("ignorelist").listIndexFromUser(0);
  again.control("unignorecmd").click();
  EXPECT_TRUE(again.control("ignorelist").rows().empty());
  again.control("check6cmd").click();
  EXPECT_FALSE(app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone2.dll"));
}

TEST_F(HealthTest, WhileACheckRunsNoButtonWorksAndACloseWaitsForItsEnd) {
  for (const char* name : {"A", "B"})
    app.registry.putString(kHklm, kUninstall + "\\" + name, "v", "x");
  bool buttonsDisabled = true;
  bool closedMidway = false;
  app.windows.whileEventsRun = [&] {
    for (const char* button : {"checkcmd", "check3cmd", "Command1"}) {
      buttonsDisabled = buttonsDisabled && !health.control(button).Enabled();
    }
    app.forms.closeRequested(health);
    closedMidway = closedMidway || !app.forms.isLoaded(health);
  };
  click("checkcmd");
  EXPECT_TRUE(buttonsDisabled);
  EXPECT_FALSE(closedMidway);
  EXPECT_FALSE(app.registry.hasKey(kHklm, kUninstall + "\\A")) << "the check ran to its end";
  EXPECT_FALSE(app.forms.isLoaded(health)) << "closed once the check was done";
}

}  // namespace
}  // namespace corvanta

namespace corvanta {
namespace {

TEST(Rights, WithoutAdministratorRightsAMachineRepairIsRefusedAndARestartOffered) {
  testing::AppHarness app;
  app.system.administrator = false;
  app.system.claimSingleInstance(kSingleInstanceName);
  app.registry.addKey(kHkeyLocalMachine, kUninstall + "\\Bare");
  HealthForm health(app.context);
  app.forms.Load(health);
  app.dialogs.reply = kIdOk;  // "no"
  health.control("checkcmd").click();
  EXPECT_TRUE(app.registry.hasKey(kHkeyLocalMachine, kUninstall + "\\Bare"));
  EXPECT_EQ("", health.control("Elabel").Caption()) << "refused before it started";
  EXPECT_TRUE(app.shell.elevated.empty());
  health.control("check4cmd").click();  // the user's own histories need no rights
  EXPECT_EQ("0", health.control("t4label").Caption());

  app.dialogs.reply = kIdYes;
  health.control("checkcmd").click();
  EXPECT_EQ(std::vector<std::string>{app.system.modulePath}, app.shell.elevated);
  EXPECT_TRUE(app.forms.ended()) << "this program makes way for the new start";
  EXPECT_FALSE(app.system.claimedNames.count(kSingleInstanceName));
  EXPECT_TRUE(app.registry.hasKey(kHkeyLocalMachine, kUninstall + "\\Bare"));
}

}  // namespace
}  // namespace corvanta
