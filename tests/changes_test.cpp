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

}  // namespace
}  // namespace corvanta
