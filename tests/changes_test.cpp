// The record of changes and its undo, over every kind of change the windows
// make, on the fakes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/changes/change_journal.h"
#include "core/changes/journaling_ports.h"
#include "core/changes/undo.h"
#include "fakes/app_harness.h"
#include "registry/script_shell.h"
#include "shell/changes_form.h"
#include "shell/main_form.h"

namespace corvanta {
namespace {

using testing::AppHarness;

constexpr RegKey kHkcu = kHkeyCurrentUser;
const std::string kPolicy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kEntry = "Software\\Corvanta Test\\Gone Żółw";

struct ChangesTest : ::testing::Test {
  ChangesTest() {
    app.registry.putDword(kHkcu, kPolicy, "NoRun", 0);
    app.registry.putString(kHkcu, kEntry, "DisplayName", "Łódź — 日本");
    app.registry.putValue(kHkcu, kEntry, "Blob", kRegBinary, {1, 2, 3});
    app.files.addFile("C:\\Links\\Gone.lnk", "shortcut bytes");
    app.files.addFolder("C:\\Links\\Empty");
  }
  // Every kind of change, in one group as one Apply or check run makes it.
  void changeEverything() {
    const ChangeScope scope(app.journal, "Everything");
    ScriptShell shell(app.context.registry, app.shortcuts);
    shell.RegWrite("HKCU\\" + kPolicy + "\\NoRun", std::int64_t{1}, "REG_DWORD");  // value changed
    // Two keys made (the first holding the second), and a value.
    shell.RegWrite("HKCU\\Software\\Corvanta New\\Deep\\Fresh", std::string("new"));
    RegKey key = 0;
    ASSERT_EQ(kErrorSuccess, app.context.registry.openKeyEx(kHkcu, kPolicy, kKeyAllAccess, key));
    app.context.registry.deleteValue(key, "NoRun");  // value deleted
    app.context.registry.closeKey(key);
    ASSERT_EQ(kErrorSuccess,
              app.context.registry.openKeyEx(kHkcu, "Software\\Corvanta Test", kKeyAllAccess, key));
    ASSERT_EQ(kErrorSuccess, app.context.registry.deleteKey(key, "Gone Żółw"));  // key with values
    app.context.registry.closeKey(key);
    ASSERT_EQ(kErrorSuccess, app.context.files.deleteFile("C:\\Links\\Gone.lnk"));    // file
    ASSERT_EQ(kErrorSuccess, app.context.files.createDirectory("C:\\Links\\Made"));   // folder
    ASSERT_EQ(kErrorSuccess, app.context.files.removeDirectory("C:\\Links\\Empty"));  // folder
  }
  void expectAsBefore() {
    ASSERT_TRUE(app.registry.value(kHkcu, kPolicy, "NoRun"));
    EXPECT_EQ((Bytes{0, 0, 0, 0}), app.registry.value(kHkcu, kPolicy, "NoRun")->data);
    EXPECT_FALSE(app.registry.hasKey(kHkcu, "Software\\Corvanta New")) << "made, so unmade";
    EXPECT_TRUE(app.registry.hasKey(kHkcu, "Software")) << "there before";
    ASSERT_TRUE(app.registry.value(kHkcu, kEntry, "DisplayName"));
    EXPECT_EQ("Łódź — 日本", text(app.registry.value(kHkcu, kEntry, "DisplayName")));
    EXPECT_EQ((Bytes{1, 2, 3}), app.registry.value(kHkcu, kEntry, "Blob")->data);
    EXPECT_EQ("shortcut bytes", app.files.contents("C:\\Links\\Gone.lnk"));
    EXPECT_FALSE(app.files.exists("C:\\Links\\Made"));
    EXPECT_TRUE(app.files.exists("C:\\Links\\Empty"));
  }
  static std::string text(const std::optional<testing::StoredValue>& value) {
    if (!value) return {};
    return std::string(value->data.begin(),
                       value->data.end() - (value->data.empty() || value->data.back() ? 0 : 1));
  }
  Undo undo(bool overwrite = true) {
    return Undo(app.context.registry, app.context.files, app.context.desktop, app.journal,
                [this, overwrite](const Change& change, const ValueState&) {
                  asked.push_back(describe(change));
                  return overwrite;
                });
  }
  AppHarness app;
  std::vector<std::string> asked;
};

TEST_F(ChangesTest, EveryKindOfChangeIsRecordedAndUndoneWithoutAsking) {
  changeEverything();
  EXPECT_EQ(1, app.files.sharedOpens) << "one handle on the journal for the whole group";
  const auto groups = app.journal.groups();
  ASSERT_EQ(1u, groups.size());
  EXPECT_EQ("Everything", groups[0].source);
  // NoRun set, two keys made and a value, NoRun deleted, two values and their
  // key deleted, a file deleted, a folder made and one removed; the
  // journal's own folders are not among them.
  EXPECT_EQ(11u, groups[0].changes.size());
  EXPECT_FALSE(app.files.exists("C:\\Links\\Gone.lnk"));

  const UndoOutcome outcome = undo().all();
  EXPECT_TRUE(outcome.failed.empty()) << outcome.failed.front();
  EXPECT_TRUE(asked.empty());
  expectAsBefore();
  const auto after = app.journal.groups();
  ASSERT_EQ(2u, after.size()) << "the undo is a group of its own";
  EXPECT_TRUE(after[0].undone);
  EXPECT_EQ(after[0].id, after[1].undoes);
  EXPECT_TRUE(undo().all().failed.empty());
  EXPECT_EQ(2u, app.journal.groups().size()) << "nothing left in effect";
}

TEST_F(ChangesTest, AValueChangedSinceIsAskedAboutAndKeptWhenTheUserSaysSo) {
  changeEverything();
  app.registry.putString(kHkcu, "Software\\Corvanta New\\Deep", "Fresh", "someone else's");
  const UndoOutcome kept = undo(false).all();
  ASSERT_EQ(1u, asked.size());
  EXPECT_NE(std::string::npos, asked[0].find("Fresh"));
  EXPECT_EQ(1u, kept.skipped.size());
  EXPECT_EQ("someone else's",
            text(app.registry.value(kHkcu, "Software\\Corvanta New\\Deep", "Fresh")));
  EXPECT_EQ((Bytes{1, 2, 3}), app.registry.value(kHkcu, kEntry, "Blob")->data) << "the rest undone";
}

TEST_F(ChangesTest, AnUndoFailingHalfWaySaysWhichAndCanBeTriedAgain) {
  changeEverything();
  app.registry.failPath(kHkcu, kPolicy, kErrorAccessDenied);
  const UndoOutcome first = undo().all();
  ASSERT_EQ(2u, first.failed.size()) << "its deletion and its change";
  for (const std::string& failed : first.failed) EXPECT_NE(std::string::npos, failed.find("NoRun"));
  EXPECT_EQ("Łódź — 日本", text(app.registry.value(kHkcu, kEntry, "DisplayName")));
  EXPECT_FALSE(app.journal.groups()[0].undone) << "still in effect in part";
  app.registry.clearFaults();
  EXPECT_TRUE(undo().all().failed.empty());
  expectAsBefore();
}

TEST_F(ChangesTest, AJournalThatCannotBeWrittenStopsTheChange) {
  app.files.makeUnwritable(app.shell.appData + "\\Corvanta\\changes.log");
  const ChangeScope scope(app.journal, "Explorer");
  RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, app.context.registry.openKeyEx(kHkcu, kPolicy, kKeyAllAccess, key));
  const std::uint8_t one[4] = {1, 0, 0, 0};
  EXPECT_EQ(kErrorJournalNotWritten,
            app.context.registry.setValueEx(key, "NoRun", kRegDword, one, 4));
  EXPECT_EQ(kErrorJournalNotWritten, app.context.registry.deleteValue(key, "NoRun"));
  app.context.registry.closeKey(key);
  EXPECT_EQ((Bytes{0, 0, 0, 0}), app.registry.value(kHkcu, kPolicy, "NoRun")->data);
  EXPECT_NE(kErrorSuccess, app.context.files.deleteFile("C:\\Links\\Gone.lnk"));
  EXPECT_TRUE(app.files.exists("C:\\Links\\Gone.lnk"));
}

TEST_F(ChangesTest, DesktopParametersAreRecordedAndPutBackAndAnUntoldOneIsNotChanged) {
  app.desktop.wallpaperPath = "C:\\Wallpapers\\Łódź.bmp";
  {
    const ChangeScope scope(app.journal, "Input");
    DesktopPort& desktop = app.context.desktop;
    EXPECT_TRUE(desktop.setMouseSpeed(15));
    EXPECT_TRUE(desktop.setMouseButtonSwap(true));
    EXPECT_TRUE(desktop.setSysColor(1, 0x00FFFFFF));
    EXPECT_TRUE(desktop.setWallpaper("C:\\new.bmp"));
    app.desktop.smoothing.reset();  // Windows will not say
    EXPECT_FALSE(desktop.setFontSmoothing(true));
  }
  EXPECT_FALSE(app.desktop.smoothing.has_value()) << "not changed without its record";
  ASSERT_EQ(4u, app.journal.groups()[0].changes.size());
  EXPECT_TRUE(undo().all().failed.empty());
  EXPECT_EQ(10, app.desktop.speeds["mouse speed"]);
  EXPECT_FALSE(app.desktop.swapped);
  EXPECT_EQ(0x00A56E3Au, app.desktop.colors[1]);
  EXPECT_EQ("C:\\Wallpapers\\Łódź.bmp", app.desktop.wallpaperPath);
}

// The Changes window over a Start Menu Apply: the group newest first with its
// changes, and Undo putting the value back.
TEST_F(ChangesTest, TheChangesWindowListsAnApplyAndUndoesIt) {
  MainForm main(app.context);
  app.forms.Show(main);
  main.control("runchk").valueFromUser(1);
  main.control("applymenu").click();
  ASSERT_EQ((Bytes{1, 0, 0, 0}), app.registry.value(kHkcu, kPolicy, "NoRun")->data);

  ChangesForm changes(app.context);
  app.forms.Load(changes);
  ASSERT_EQ(1u, changes.control("groups").rows().size());
  EXPECT_EQ("Start Menu", changes.control("groups").rows()[0][1]);
  const auto& rows = changes.control("changes").rows();
  const auto noRun = std::find_if(rows.begin(), rows.end(), [](const auto& row) {
    return row[0].find("NoRun") != std::string::npos;
  });
  ASSERT_NE(rows.end(), noRun);
  EXPECT_EQ("0", (*noRun)[1]);
  EXPECT_EQ("1", (*noRun)[2]);
  for (const auto& row : rows) EXPECT_NE(row[1], row[2]) << row[0] << ": rewritten as it was";
  main.control("applymenu").click();
  EXPECT_EQ(1u, app.journal.groups().size()) << "an Apply that changes nothing records nothing";
  changes.control("undocmd").click();
  EXPECT_EQ((Bytes{0, 0, 0, 0}), app.registry.value(kHkcu, kPolicy, "NoRun")->data);
  EXPECT_TRUE(app.dialogs.shown.empty()) << "nothing to ask, nothing failed";
  EXPECT_EQ("Start Menu (undone)", changes.control("groups").rows()[1][1]);
}

// The journal after each kind of damage a write cut short leaves: the next
// group gets a number of its own, is listed whole and can be undone.
TEST_F(ChangesTest, AJournalDamagedAtItsEndStillRecordsListsAndUndoesTheNextGroup) {
  const std::string journal = app.shell.appData + "\\Corvanta\\changes.log";
  const auto write = [&](const char* source, std::int64_t value) {
    const ChangeScope scope(app.journal, source);
    ScriptShell shell(app.context.registry, app.shortcuts);
    shell.RegWrite("HKCU\\" + kPolicy + "\\NoRun", value, "REG_DWORD");
  };
  const std::string oldLine = "V\t1\t0\tHKEY_CURRENT_USER\\" + kPolicy + "\tNoRun\t-\t4:07000000";
  struct Damage {
    const char* what;
    std::function<std::string(const std::string&)> damage;  // the journal as left
    std::int64_t next;                                      // the next group's number
  };
  const Damage damages[] = {
      {"none", [](const std::string& text) { return text; }, 2},
      {"last line cut 7 bytes short",
       [](const std::string& text) { return text.substr(0, text.size() - 7); }, 2},
      {"last line cut 20 bytes short",
       [](const std::string& text) { return text.substr(0, text.size() - 20); }, 2},
      {"a garbage tail", [](const std::string& text) { return text + "\x01G\t9\tzz\xff"; }, 2},
      {"NUL bytes after the end",
       [](const std::string& text) { return text + std::string(512, '\0'); }, 2},
      {"an earlier version's lines, the last cut",
       [&](const std::string&) {
         return "G\t1\t2020-01-01 10:00:00\tOld\t0\r\n" + oldLine.substr(0, oldLine.size() - 9);
       },
       2},
      {"a group numbered at the 32-bit limit",
       [](const std::string& text) {
         return text + "G\t2147483647\t2020-01-01 10:00:00\tOld\t0\r\n";
       },
       2147483648},
  };
  for (const Damage& row : damages) {
    SCOPED_TRACE(row.what);
    app.files.addFile(journal, "");
    app.registry.putDword(kHkcu, kPolicy, "NoRun", 0);
    write("First", 1);
    app.files.addFile(journal, row.damage(app.files.contents(journal)));
    write("Next", 2);
    const auto groups = app.journal.groups();
    ASSERT_FALSE(groups.empty());
    const ChangeGroup& next = groups.back();
    EXPECT_EQ("Next", next.source);
    EXPECT_EQ(row.next, next.id);
    ASSERT_EQ(1u, next.changes.size()) << "the group's change is listed";
    EXPECT_EQ(Bytes({2, 0, 0, 0}), next.changes[0].after.data);
    EXPECT_EQ(1, std::count_if(groups.begin(), groups.end(),
                               [&](const ChangeGroup& group) { return group.id == next.id; }))
        << "its number is its own";
    const auto newest = app.journal.newestInEffect();
    ASSERT_TRUE(newest);
    EXPECT_EQ(next.id, newest->id) << "read back from the end";
    EXPECT_EQ(next.changes.size(), newest->changes.size());
    EXPECT_TRUE(undo().group(next).failed.empty());
    EXPECT_EQ((Bytes{1, 0, 0, 0}), app.registry.value(kHkcu, kPolicy, "NoRun")->data);
    EXPECT_TRUE(app.journal.groups().back().undoes == next.id) << "the undo recorded too";
  }
}

// /undo-last reads the journal from its end only as far back as the newest
// group still in effect lies, past any number of groups undone since.
TEST_F(ChangesTest, TheNewestGroupInEffectIsFoundFromTheEndHoweverFarBackItLies) {
  const std::string journal = app.shell.appData + "\\Corvanta\\changes.log";
  EXPECT_FALSE(app.journal.newestInEffect()) << "no journal yet";
  EXPECT_FALSE(app.files.exists(journal)) << "and none made by asking";
  // The kept group's line checked as any zip or PNG tool computes CRC-32.
  std::string text =
      "#f44c79ff\tG\t1\t2020-01-01 10:00:00\tKept\t0\r\nV\t1\t0\tHKEY_CURRENT_USER\\" + kPolicy +
      "\tNoRun\t-\t4:01000000\r\n";
  for (int id = 2; id <= 3000; ++id)
    text += "G\t" + std::to_string(id) + "\t2020-01-01 10:00:00\tUndone since\t0\r\nU\t" +
            std::to_string(id) + "\r\n";
  app.files.addFile(journal, text);
  ASSERT_GT(text.size(), 128u * 1024);
  const auto newest = app.journal.newestInEffect();
  ASSERT_TRUE(newest);
  EXPECT_EQ(1, newest->id);
  EXPECT_EQ("Kept", newest->source);
  ASSERT_EQ(1u, newest->changes.size());
  EXPECT_EQ("NoRun", newest->changes[0].name);
  app.files.addFile(journal, text + "U\t1\r\n");
  EXPECT_FALSE(app.journal.newestInEffect()) << "every group undone";
}

// The window and a command line (or two command lines) write one journal:
// each group gets a number of its own, and one's cancel never strikes the
// other's record.
TEST_F(ChangesTest, TwoJournalsOnOneFileKeepTheirGroupsApart) {
  ChangeJournal other(app.files, app.folders, app.system);
  const auto change = [](const char* name, std::uint8_t value) {
    return Change::value(0, "HKEY_CURRENT_USER\\" + kPolicy, name, {},
                         {true, kRegDword, {value, 0, 0, 0}});
  };
  app.journal.begin("Window");
  ASSERT_TRUE(app.journal.record(change("A1", 1)));
  other.begin("Command line");
  ASSERT_TRUE(other.record(change("B1", 1)));
  ASSERT_TRUE(app.journal.record(change("A2", 2)));
  ASSERT_TRUE(other.record(change("B2", 2)));
  other.cancelLast();
  app.journal.end();
  other.end();
  app.journal.begin("Window again");
  ASSERT_TRUE(app.journal.record(change("A3", 3)));
  app.journal.cancelLast();
  ASSERT_TRUE(app.journal.record(change("A4", 4)));
  app.journal.end();

  const auto groups = other.groups();
  ASSERT_EQ(3u, groups.size());
  const auto names = [](const ChangeGroup& group) {
    std::string all;
    for (const Change& each : group.changes) all += each.name + ' ';
    return all;
  };
  EXPECT_EQ("Window", groups[0].source);
  EXPECT_EQ("A1 A2 ", names(groups[0]));
  EXPECT_EQ("Command line", groups[1].source);
  EXPECT_EQ("B1 ", names(groups[1]));
  EXPECT_EQ("A4 ", names(groups[2]));
  EXPECT_LT(groups[0].id, groups[1].id);
  EXPECT_LT(groups[1].id, groups[2].id);
  // Listed without their changes (the Changes window), and each read whole
  // again from its own lines, which the other's lines run through.
  const auto summaries = other.summaries();
  ASSERT_EQ(3u, summaries.size());
  for (std::size_t i = 0; i < summaries.size(); ++i) {
    EXPECT_EQ(groups[i].source, summaries[i].source);
    EXPECT_EQ(groups[i].changes.size(), summaries[i].changes) << groups[i].source;
    const auto whole = other.group(summaries[i]);
    ASSERT_TRUE(whole) << groups[i].source;
    EXPECT_EQ(names(groups[i]), names(*whole));
  }
  ASSERT_EQ(1u, app.journal.recorded().size()) << "what this process's group holds";
  EXPECT_EQ("A4", app.journal.recorded()[0].name);

  // A repair keeps the lock from line to line, giving it back every 256
  // lines and at its end: another writer is refused meanwhile (the fake
  // lock does not wait) and gets in between.
  app.journal.begin("Repair");
  {
    const JournalLockHeld held(app.journal);
    for (int line = 1; line < 256; ++line) ASSERT_TRUE(app.journal.record(change("R", 1)));
    other.begin("Meanwhile");
    EXPECT_FALSE(other.record(change("M1", 1))) << "the lock is held";
    ASSERT_TRUE(app.journal.record(change("R", 1)));  // the 256th
    EXPECT_TRUE(other.record(change("M2", 2))) << "given back after 256 lines";
    ASSERT_TRUE(app.journal.record(change("R", 1)));
  }
  EXPECT_TRUE(other.record(change("M3", 3))) << "given back at the end";
  other.end();
  app.journal.end();
  const auto after = other.groups();
  ASSERT_EQ(5u, after.size());
  EXPECT_EQ("Repair", after[3].source);
  EXPECT_EQ(257u, after[3].changes.size());
  EXPECT_EQ("Meanwhile", after[4].source);
  EXPECT_EQ("M2 M3 ", names(after[4]));
}

// A journal on the window's file that compacts past `bytes`, keeping `kept`
// groups, with the ports that record into it.
struct CompactingJournal {
  CompactingJournal(AppHarness& app, std::uint64_t bytes, std::size_t kept)
      : journal(app.files, app.folders, app.system, {bytes, kept}),
        registry(app.registry, journal),
        files(app.files, journal) {}
  ChangeJournal journal;
  JournalingRegistry registry;
  JournalingFiles files;
};

std::vector<GroupId> idsOf(const std::vector<ChangeGroup>& groups) {
  std::vector<GroupId> ids;
  for (const ChangeGroup& group : groups) ids.push_back(group.id);
  return ids;
}

const std::string kArchive = "\\Corvanta\\changes-2026-12-08";

// The group that takes the journal past its limit moves to a dated archive
// the groups undone with their undos and the oldest beyond those kept, and
// the copies of files only they deleted; what stays undoes as before.
TEST_F(ChangesTest, AJournalPastItsLimitArchivesWhatNeedNotStayAndUndoesTheRestAsBefore) {
  const std::string journal = app.shell.appData + "\\Corvanta\\changes.log";
  app.files.addFile("C:\\Links\\Kept.lnk", "kept bytes");
  const auto change = [&](ChangeJournal& into, RegistryPort& registry, FilePort& files,
                          const char* source, const char* value, const char* deletes) {
    const ChangeScope scope(into, source);
    ScriptShell(registry, app.shortcuts)
        .RegWrite("HKCU\\" + kPolicy + "\\" + value, std::int64_t{1}, "REG_DWORD");
    if (deletes) {
      ASSERT_EQ(kErrorSuccess, files.deleteFile(deletes));
    }
  };
  struct Step {
    const char* source;
    const char* value;
    const char* deletes;
    bool undone;
  };
  const Step history[] = {
      {"Oldest", "A", "C:\\Links\\Gone.lnk", false},  // 1: beyond the three kept
      {"Kept", "C", "C:\\Links\\Kept.lnk", false},    // 2
      {"Undone", "B", nullptr, true},                 // 3, and 4 its undo
      {"Kept too", "D", nullptr, false},              // 5
  };
  for (const Step& step : history) {
    change(app.journal, app.context.registry, app.context.files, step.source, step.value,
           step.deletes);
    if (step.undone) {
      ASSERT_TRUE(undo().group(app.journal.groups().back()).failed.empty());
    }
  }
  // Backups named by their time: those before every kept group go along.
  const std::string backups = app.shell.appData + "\\Corvanta\\Backups\\";
  app.files.addFile(backups + "2026-12-08 09-30-04 Histories.reg", "older");
  app.files.addFile(backups + "2026-12-07 10-00-00 Orphan Shortcuts\\C\\a.lnk", "link");
  app.files.addFile(backups + "2026-12-08 09-30-05 Help files.reg", "as old as the oldest kept");
  app.files.addFile(backups + "1999 notes.txt", "not a backup's name");
  CompactingJournal small(app, app.files.contents(journal).size(), 3);
  change(small.journal, small.registry, small.files, "Last", "E", nullptr);  // 6
  const std::string archivedBackups = app.shell.appData + kArchive + "\\Backups\\";
  EXPECT_EQ("older", app.files.contents(archivedBackups + "2026-12-08 09-30-04 Histories.reg"));
  EXPECT_EQ("link",
            app.files.contents(archivedBackups + "2026-12-07 10-00-00 Orphan Shortcuts\\C\\a.lnk"));
  EXPECT_FALSE(app.files.exists(backups + "2026-12-08 09-30-04 Histories.reg"));
  EXPECT_TRUE(app.files.exists(backups + "2026-12-08 09-30-05 Help files.reg"));
  EXPECT_TRUE(app.files.exists(backups + "1999 notes.txt"));

  const std::string archive = app.shell.appData + kArchive + ".log";
  ASSERT_EQ(std::vector<std::string>{archive}, app.journal.archives());
  const auto archived = app.journal.groups(archive);
  EXPECT_EQ((std::vector<GroupId>{1, 3, 4}), idsOf(archived));
  EXPECT_EQ((std::vector<GroupId>{2, 5, 6}), idsOf(app.journal.groups()));
  EXPECT_FALSE(app.files.exists(journal + ".compacting")) << "the rewrite was finished";
  ASSERT_EQ(3u, archived.size());
  EXPECT_TRUE(archived[1].undone);
  EXPECT_EQ(3, archived[2].undoes);
  const std::string moved = app.shell.appData + kArchive + "\\1.bak";
  ASSERT_EQ(2u, archived[0].changes.size());
  EXPECT_EQ(moved, archived[0].changes[1].copy) << "the archive names where its copy went";
  EXPECT_EQ("shortcut bytes", app.files.contents(moved));
  EXPECT_FALSE(app.files.exists(app.shell.appData + "\\Corvanta\\Changes\\1.bak"));

  EXPECT_EQ(6, app.journal.newestInEffect()->id);
  EXPECT_TRUE(undo().all().failed.empty());
  for (const char* value : {"C", "D", "E"}) EXPECT_FALSE(app.registry.value(kHkcu, kPolicy, value));
  EXPECT_TRUE(app.registry.value(kHkcu, kPolicy, "A")) << "archived, so no longer undone";
  EXPECT_EQ("kept bytes", app.files.contents("C:\\Links\\Kept.lnk")) << "its copy stayed";
  EXPECT_FALSE(app.files.exists("C:\\Links\\Gone.lnk"));
}

// Archived lines keep their bytes and their order, an earlier version's
// unchecked lines too, and the journal keeps the rest (a damaged line
// among them) byte for byte; a second archive that day takes a counter, and
// the Changes window shows either.
TEST_F(ChangesTest, ArchivedLinesKeepTheirBytesAndReadBackAsGroups) {
  const std::string journal = app.shell.appData + "\\Corvanta\\changes.log";
  app.files.addFile(journal, "G\t1\t2020-01-01 10:00:00\tOld\t0\r\nV\t1\t0\tHKEY_CURRENT_USER\\" +
                                 kPolicy + "\tX\t-\t4:01000000\r\n#00000000\tU\t9\r\nU\t1\r\n");
  const auto group = [&](ChangeJournal& into, std::uint8_t n) {
    const ChangeScope scope(into, "Group " + std::to_string(n));
    ASSERT_TRUE(into.record(
        Change::value(0, "HKEY_CURRENT_USER\\" + kPolicy, "V", {}, {true, kRegDword, {n}})));
  };
  const auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t stop = text.find('\n', start) + 1;
      out.push_back(text.substr(start, stop - start));
      start = stop;
    }
    return out;
  };
  struct Round {
    const char* archive;
    std::vector<GroupId> leaving;  // after three groups more and a fourth that compacts
  };
  const Round rounds[] = {{".log", {1, 2, 3}}, {"-2.log", {4, 5, 6, 7}}};
  std::uint8_t next = 2;
  for (const Round& round : rounds) {
    SCOPED_TRACE(round.archive);
    for (int i = 0; i < 3; ++i) group(app.journal, next++);
    const std::string before = app.files.contents(journal);
    CompactingJournal small(app, 1, 2);
    group(small.journal, next++);
    const std::string archive = app.shell.appData + kArchive + round.archive;
    ASSERT_EQ(archive, app.journal.archives().back());
    EXPECT_EQ(round.leaving, idsOf(app.journal.groups(archive)));
    const auto left = lines(app.files.contents(archive));
    const auto stayed = lines(app.files.contents(journal));
    std::size_t inArchive = 0;
    std::size_t inJournal = 0;
    for (const std::string& line : lines(before)) {
      if (inArchive < left.size() && left[inArchive] == line) {
        ++inArchive;
      } else {
        ASSERT_LT(inJournal, stayed.size());
        EXPECT_EQ(line, stayed[inJournal++]);
      }
    }
    EXPECT_EQ(left.size(), inArchive) << "the archive holds only the journal's lines";
    EXPECT_EQ(2u, app.journal.groups().size());
    EXPECT_EQ("#00000000\tU\t9\r\n", stayed[0]) << "a line no group claims stays";
  }
  // The Changes window lists an archive's groups, to read only.
  ChangesForm changes(app.context);
  app.forms.Load(changes);
  app.dialogs.fileAnswers = {app.shell.appData + kArchive + ".log"};
  changes.control("archivecmd").click();
  EXPECT_EQ("changes-2026-12-08-2.log", app.dialogs.fileRequests.at(0).fileName) << "the newest";
  EXPECT_EQ(3u, changes.control("groups").rows().size());
  EXPECT_FALSE(changes.control("changes").rows().empty()) << "a group's changes, read from it";
  EXPECT_FALSE(changes.control("undocmd").Enabled());
  EXPECT_FALSE(changes.control("undoallcmd").Enabled());
}

// A compaction that cannot finish leaves the journal as it was with the
// group just recorded, nothing half made beside it, and is reported; one
// whose rewrite was cut short (power lost) is finished by whoever next
// reads or writes the journal.
TEST_F(ChangesTest, ACompactionThatCannotFinishLeavesTheJournalWholeOrIsFinishedNextTime) {
  const std::string journal = app.shell.appData + "\\Corvanta\\changes.log";
  struct Row {
    const char* what;
    bool copy;  // the copy's new place is refused, else the archive
  };
  for (const Row& row : {Row{"a copy's new place", true}, Row{"the archive", false}}) {
    SCOPED_TRACE(row.what);
    app.files.addFile(journal, "");
    app.files.addFile("C:\\Links\\Gone.lnk", "shortcut bytes");
    app.registry.putDword(kHkcu, kPolicy, "NoRun", 0);
    {
      const ChangeScope scope(app.journal, "Deleted");
      ASSERT_EQ(kErrorSuccess, app.context.files.deleteFile("C:\\Links\\Gone.lnk"));
    }
    const std::string copy = app.journal.groups()[0].changes[0].copy;
    const std::string archive = app.shell.appData + kArchive;
    app.files.makeUnwritable(row.copy ? archive + copy.substr(copy.rfind('\\')) : archive + ".log");
    const std::string before = app.files.contents(journal);
    CompactingJournal small(app, 1, 1);
    std::vector<std::string> reports;
    small.journal.onArchiveFailure([&](const std::string& report) { reports.push_back(report); });
    {
      const ChangeScope scope(small.journal, "Changed");
      ScriptShell(small.registry, app.shortcuts)
          .RegWrite("HKCU\\" + kPolicy + "\\NoRun", std::int64_t{1}, "REG_DWORD");
    }
    EXPECT_EQ(1u, reports.size());
    EXPECT_EQ(before, app.files.contents(journal).substr(0, before.size()));
    EXPECT_EQ((std::vector<GroupId>{1, 2}), idsOf(app.journal.groups()));
    EXPECT_EQ((Bytes{1, 0, 0, 0}), app.registry.value(kHkcu, kPolicy, "NoRun")->data);
    EXPECT_TRUE(app.journal.archives().empty());
    EXPECT_FALSE(app.files.exists(archive)) << "the copies' folder goes again";
    EXPECT_EQ("shortcut bytes", app.files.contents(copy));
  }
  // Cut short mid-rewrite: the journal part new, part old. Whoever next
  // reads or writes it finishes the rewrite first.
  for (const bool reader : {true, false}) {
    SCOPED_TRACE(reader ? "read" : "written");
    ++app.system.now.day;  // an archive of a day of its own: the one above is refused
    app.files.cutRewrites = true;
    CompactingJournal small(app, 1, 1);
    bool reported = false;
    small.journal.onArchiveFailure([&](const std::string&) { reported = true; });
    {
      const ChangeScope scope(small.journal, "Cut short");
      ScriptShell(small.registry, app.shortcuts)
          .RegWrite("HKCU\\" + kPolicy + "\\NoRun", std::int64_t{reader ? 0 : 1}, "REG_DWORD");
    }
    app.files.cutRewrites = false;
    ASSERT_TRUE(reported);
    ASSERT_TRUE(app.files.exists(journal + ".compacting"));
    const std::string kept = app.files.contents(journal + ".compacting");
    if (reader) {
      EXPECT_EQ(1u, app.journal.groups().size());
      EXPECT_EQ(kept, app.files.contents(journal));
    } else {
      const ChangeScope scope(app.journal, "After");
      ScriptShell(app.context.registry, app.shortcuts)
          .RegWrite("HKCU\\" + kPolicy + "\\NoRun", std::int64_t{0}, "REG_DWORD");
    }
    EXPECT_FALSE(app.files.exists(journal + ".compacting"));
    EXPECT_EQ(0u, app.files.contents(journal).rfind(kept, 0)) << "the rewrite finished first";
  }
}

}  // namespace
}  // namespace corvanta
