// The record of changes and its undo, over every kind of change the windows
// make, on the fakes.
#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
}  // namespace corvanta
