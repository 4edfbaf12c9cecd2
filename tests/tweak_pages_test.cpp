// The Start Menu, Desktop, Explorer Options and Privacy tabs, driven as a
// user drives them: the main window loads, controls are clicked and chosen,
// and the registry and file system are read back.
#include <gtest/gtest.h>

#include "fakes/app_harness.h"
#include "shell/main_form.h"
#include "tweaks/control_panel_folder.h"

namespace corvanta {
namespace {

using testing::AppHarness;
using testing::StoredValue;

constexpr RegKey kHkcu = kHkeyCurrentUser;
const std::string kDesktopKey = "Control Panel\\Desktop";
const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
const std::string kStartMenu = "C:\\Users\\ann\\Start Menu";

std::string text(const std::optional<StoredValue>& value) {
  if (!value) return "(missing)";
  std::string stored(value->data.begin(), value->data.end());
  if (!stored.empty() && stored.back() == '\0') stored.pop_back();
  return stored;
}

std::string dword(const std::optional<StoredValue>& value) {
  if (!value) return "(missing)";
  if (value->type != kRegDword) return "(not a DWORD)";
  return std::to_string(value->data[0]);
}

class TweakPagesTest : public ::testing::Test {
 protected:
  TweakPagesTest() {
    app.registry.putString(kHkcu,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           "Start Menu", kStartMenu);
    app.files.addFolder(kStartMenu);
  }
  void start() { app.forms.Show(main); }
  ui::Control& c(const std::string& name) { return main.control(name); }
  std::string policy(const std::string& key, const std::string& name) {
    return dword(app.registry.value(kHkcu, kPolicies + key, name));
  }
  std::string panelFolder(const std::string& name) const {
    return kStartMenu + "\\" + name + "." + kControlPanelId;
  }

  AppHarness app;
  MainForm main{app.context};
};

TEST_F(TweakPagesTest, PolicyBoxesShowTheStoredOneOrZeroAndStayClearWhenMissing) {
  app.registry.putDword(kHkcu, kPolicies + "Explorer", "NoRun", 1);
  app.registry.putDword(kHkcu, kPolicies + "Explorer", "NoClose", 0);
  app.registry.putDword(kHkcu, kPolicies + "System", "NoDispCPL", 1);
  app.registry.putDword(kHkcu, kPolicies + "Explorer", "NoFind", 7);  // no state of a box
  app.registry.putDword(kHkcu, kPolicies + "Explorer", "NoDesktop", 1);
  start();
  EXPECT_EQ(1, c("runchk").Value());
  EXPECT_EQ(0, c("shutchk").Value());
  EXPECT_EQ(1, c("denydisplay").Value());
  EXPECT_EQ(0, c("findchk").Value());
  EXPECT_EQ(0, c("recentchk").Value());
  EXPECT_EQ(1, c("hideall").Value());
  EXPECT_EQ(0, c("ieiconchk").Value());
}

TEST_F(TweakPagesTest, MenuDelayIsShownAndWrittenToTheUserAndTheDefaultUser) {
  app.registry.putString(kHkcu, kDesktopKey, "MenuShowDelay", "400");
  start();
  ASSERT_EQ(999, c("mdelaycombo").ListCount());
  EXPECT_EQ("999", c("mdelaycombo").items().back());
  EXPECT_EQ(100, c("wheelcombo").ListCount());
  EXPECT_EQ("400", c("mdelaycombo").Text());
  c("mdelaycombo").listIndexFromUser(99);
  c("applymenu").click();
  EXPECT_EQ("100", text(app.registry.value(kHkcu, kDesktopKey, "MenuShowDelay")));
  EXPECT_EQ(kRegSz, app.registry.value(kHkcu, kDesktopKey, "MenuShowDelay")->type);
  EXPECT_EQ("100",
            text(app.registry.value(kHkeyUsers, ".DEFAULT\\" + kDesktopKey, "MenuShowDelay")));
  EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(TweakPagesTest, AMenuDelayOfZeroIsShownAndWrittenBackUnchanged) {
  app.registry.putString(kHkcu, kDesktopKey, "MenuShowDelay", "0");
  start();
  EXPECT_EQ("0", c("mdelaycombo").Text());
  c("applymenu").click();
  EXPECT_EQ("0", text(app.registry.value(kHkeyUsers, ".DEFAULT\\" + kDesktopKey, "MenuShowDelay")));
}

TEST_F(TweakPagesTest, APlaceholderLeftFromAMissingValueIsNeverWritten) {
  start();
  EXPECT_EQ("Choose", c("mdelaycombo").Text());
  EXPECT_EQ("Choose", c("wheelcombo").Text());
  c("applymenu").click();
  EXPECT_FALSE(app.registry.value(kHkcu, kDesktopKey, "MenuShowDelay"));
  EXPECT_FALSE(app.registry.value(kHkeyUsers, ".DEFAULT\\" + kDesktopKey, "WheelScrollLines"));
  EXPECT_EQ("0", policy("Explorer", "NoRun")) << "an absent policy is created with 0";
  EXPECT_EQ("0", policy("Explorer", "NoTrayContextMenu"));
  EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(TweakPagesTest, TheControlPanelFolderIsFoundUnderAnyNameAndRemovedWhenCleared) {
  app.files.addFolder(panelFolder("Settings"), kFileAttributeDirectory | kFileAttributeHidden);
  start();
  EXPECT_EQ(1, c("expandcp").Value());
  c("applymenu").click();
  EXPECT_FALSE(app.files.exists(panelFolder("Control Panel"))) << "an entry of any name will do";
  c("expandcp").valueFromUser(0);
  c("applymenu").click();
  EXPECT_FALSE(app.files.exists(panelFolder("Settings")));
  EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(TweakPagesTest, TheControlPanelFolderIsCreatedOnceAndOnlyTheFirstIsRemoved) {
  start();
  EXPECT_EQ(0, c("expandcp").Value());
  c("expandcp").valueFromUser(1);
  c("applymenu").click();
  c("applymenu").click();
  EXPECT_TRUE(app.files.exists(panelFolder("Control Panel")));
  std::vector<FileEntry> found;
  ASSERT_EQ(0, app.files.findFiles(kStartMenu + "\\*", found));
  EXPECT_EQ(1u, found.size());

  app.files.addFolder(panelFolder("Zeta"));
  c("expandcp").valueFromUser(0);
  c("applymenu").click();
  EXPECT_EQ(1,
            app.files.exists(panelFolder("Control Panel")) + app.files.exists(panelFolder("Zeta")));
}

TEST_F(TweakPagesTest, WritesThatFailAreNamedInOneMessageAfterTheRestAreDone) {
  app.registry.putString(kHkcu, kDesktopKey, "MenuShowDelay", "400");
  app.registry.markReadOnly(kHkeyUsers, ".DEFAULT\\" + kDesktopKey);
  app.registry.removeValue(
      kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Start Menu");
  start();
  c("runchk").valueFromUser(1);
  c("expandcp").valueFromUser(1);
  c("applymenu").click();
  EXPECT_EQ("1", policy("Explorer", "NoRun")) << "the writes after the failures were made";
  EXPECT_EQ("400", text(app.registry.value(kHkcu, kDesktopKey, "MenuShowDelay")));
  ASSERT_EQ(1u, app.dialogs.shown.size());
  const std::string& message = app.dialogs.shown[0].text;
  EXPECT_NE(std::string::npos,
            message.find("HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop\\MenuShowDelay"));
  EXPECT_NE(std::string::npos, message.find("Start Menu folder"));
  EXPECT_EQ(std::string::npos, message.find("NoRun"));
  EXPECT_EQ(kMbIconError, app.dialogs.shown[0].flags & kMbIconError);
}

TEST_F(TweakPagesTest, AnUnknownStartMenuFolderIsToldOnlyWhenTheFolderIsWanted) {
  // It was told at every Apply, with nothing to do with the folder.
  app.registry.removeValue(
      kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Start Menu");
  start();
  c("applymenu").click();
  EXPECT_TRUE(app.dialogs.shown.empty());
  c("expandcp").valueFromUser(1);
  c("applymenu").click();
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("Start Menu folder"));
}

TEST_F(TweakPagesTest, EitherDesktopApplyWritesTheThreePoliciesAndTwiceEqualsOnce) {
  app.registry.putDword(kHkcu, kPolicies + "Explorer", "NoDesktop", 1);
  start();
  c("hideall").valueFromUser(0);
  c("desktopCommand").click();
  EXPECT_EQ("0", policy("Explorer", "NoDesktop"));
  EXPECT_EQ("0", policy("Explorer", "NoInternetIcon"));
  EXPECT_EQ("0", policy("Explorer", "NoViewContextMenu"));
  c("dskrightchk").valueFromUser(1);
  c("applydesktop").click();
  c("applydesktop").click();
  EXPECT_EQ("1", policy("Explorer", "NoViewContextMenu"));
  EXPECT_EQ(3u, app.registry.valueCount(kHkcu, kPolicies + "Explorer"));
}

TEST_F(TweakPagesTest, ExplorerApplyWritesOnlyTheFieldsTheUserChangedAndTellsAFailure) {
  // Changing the title once also set the start page to the placeholder and
  // blanked the editor, and a failed write went untold.
  const std::string main_ = "Software\\Microsoft\\Internet Explorer\\Main";
  const std::string editor =
      "SOFTWARE\\Microsoft\\Internet Explorer\\View Source Editor\\Editor Name";
  app.registry.putString(kHkcu, main_, "Start Page", "http://home.example/");
  app.registry.putString(kHkeyLocalMachine, editor, "", "C:\\vi.exe");
  start();
  EXPECT_EQ("http://home.example/", c("hometxt").Text());
  EXPECT_EQ("C:\\vi.exe", c("editortxt").Text());
  c("applycmd").click();
  EXPECT_FALSE(app.registry.value(kHkcu, main_, "Window Title")) << "nothing changed";
  EXPECT_TRUE(app.dialogs.shown.empty());

  c("changetxt").textFromUser("My browser");
  c("applycmd").click();
  EXPECT_EQ("My browser", text(app.registry.value(kHkcu, main_, "Window Title")));
  EXPECT_EQ("http://home.example/", text(app.registry.value(kHkcu, main_, "Start Page")));
  EXPECT_EQ("C:\\vi.exe", text(app.registry.value(kHkeyLocalMachine, editor, "")));

  app.registry.failPath(kHkeyLocalMachine, editor, kErrorAccessDenied);
  c("editortxt").textFromUser("C:\\Tools\\edit.exe");
  c("applycmd").click();
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("Editor Name"));
  c("applycmd").click();
  EXPECT_EQ(2u, app.dialogs.shown.size()) << "a failed write is tried again";
}

TEST_F(TweakPagesTest, AMissingStartPageKeepsThePlaceholderWhichIsNeverWritten) {
  start();
  EXPECT_EQ("http://www.corvanta.example/", c("hometxt").Text());
  c("changetxt").textFromUser("x");
  c("applycmd").click();
  EXPECT_FALSE(
      app.registry.value(kHkcu, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page"));
}

TEST_F(TweakPagesTest, TheCacheAndFullScreenBoxesWriteAtOnceAndApplyLeavesThem) {
  start();
  const std::string cache =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
  c("EmptyCheck").valueFromUser(1);
  EXPECT_EQ("0", dword(app.registry.value(kHkcu, cache, "Persistent")));
  c("EmptyCheck").valueFromUser(0);
  EXPECT_EQ("1", dword(app.registry.value(kHkcu, cache, "Persistent")));
  app.registry.putDword(kHkcu, cache, "Persistent", 9);
  c("applycmd").click();
  EXPECT_EQ("9", dword(app.registry.value(kHkcu, cache, "Persistent")));

  c("FullCheck").valueFromUser(1);
  EXPECT_EQ("yes", text(app.registry.value(kHkcu, "Software\\Microsoft\\Internet Explorer\\Main",
                                           "FullScreen")));
  c("FullCheck").valueFromUser(0);
  EXPECT_EQ("no", text(app.registry.value(kHkcu, "Software\\Microsoft\\Internet Explorer\\Main",
                                          "FullScreen")));
}

TEST_F(TweakPagesTest, TheToolbarBitmapIsWrittenWhenChosenNeverOnCancelAndEmptiedByNone) {
  const std::string toolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
  start();
  c("browse2cmd").click();  // cancelled
  EXPECT_FALSE(app.registry.value(kHkcu, toolbar, "BackBitmap"));
  app.dialogs.fileAnswers.push_back(std::string("C:\\Pictures\\sky.bmp"));
  c("browse2cmd").click();
  EXPECT_EQ("C:\\Pictures\\sky.bmp", text(app.registry.value(kHkcu, toolbar, "BackBitmap")));
  ASSERT_EQ(2u, app.dialogs.fileRequests.size());
  EXPECT_EQ("Choose Picture File", app.dialogs.fileRequests[1].title);
  EXPECT_EQ("Bmp Files|*.bmp", app.dialogs.fileRequests[1].filter);
  c("browse2cmd").click();  // cancelled again: the last choice is not written again
  EXPECT_EQ("C:\\Pictures\\sky.bmp", app.dialogs.fileRequests[2].fileName)
      << "the dialog keeps its last file";
  c("nonecmd").click();
  ASSERT_TRUE(app.registry.value(kHkcu, toolbar, "BackBitmap"));
  EXPECT_EQ("", text(app.registry.value(kHkcu, toolbar, "BackBitmap")));
}

TEST_F(TweakPagesTest, TheEditorChoiceFillsTheFieldAndWritesNothing) {
  start();
  app.dialogs.fileAnswers.push_back(std::string("C:\\Tools\\edit.exe"));
  c("browse3cmd").click();
  EXPECT_EQ("C:\\Tools\\edit.exe", c("editortxt").Text());
  EXPECT_EQ("Application|*.exe", app.dialogs.fileRequests[0].filter);
  EXPECT_EQ(0u, app.registry.valueCount(
                    kHkeyLocalMachine,
                    "SOFTWARE\\Microsoft\\Internet Explorer\\View Source Editor\\Editor Name"));
  c("browse3cmd").click();  // cancelled
  EXPECT_EQ("C:\\Tools\\edit.exe", c("editortxt").Text());
}

TEST_F(TweakPagesTest, TheDownloadFolderIsWrittenWhenChosenAndKeptWhenCancelled) {
  const std::string ie = "Software\\Microsoft\\Internet Explorer";
  start();
  c("browsecmd").click();  // cancelled, and no folder is set yet
  EXPECT_EQ("", c("txtDownloadFolder").Text());
  EXPECT_FALSE(app.registry.value(kHkcu, ie, "Download Directory"));
  EXPECT_TRUE(app.dialogs.shown.empty()) << "no error for a folder that was never set";

  app.dialogs.folderAnswers.push_back(std::string("D:\\Downloads"));
  c("browsecmd").click();
  EXPECT_EQ("D:\\Downloads", c("txtDownloadFolder").Text());
  EXPECT_EQ("D:\\Downloads", text(app.registry.value(kHkcu, ie, "Download Directory")));

  c("txtDownloadFolder").textFromUser("typed but not chosen");
  c("browsecmd").click();  // cancelled: the current folder stays
  EXPECT_EQ("D:\\Downloads", c("txtDownloadFolder").Text());
  EXPECT_EQ("D:\\Downloads", text(app.registry.value(kHkcu, ie, "Download Directory")));
}

TEST_F(TweakPagesTest, ClearingTheTypedHistoryLeavesTheKeyEmptyAndOnlyWhenAsked) {
  const std::string typed = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
  for (int i = 1; i <= 5; ++i) {
    app.registry.putString(kHkcu, typed, "url" + std::to_string(i), "http://example.org/");
  }
  start();
  c("applyprivacy").click();
  EXPECT_EQ(5u, app.registry.valueCount(kHkcu, typed)) << "untouched while the box is clear";
  EXPECT_EQ("0", policy("System", "DisableRegistryTools"));

  c("ieclearh").valueFromUser(1);
  c("disableregchk").valueFromUser(1);
  c("applyprivacy").click();
  EXPECT_TRUE(app.registry.hasKey(kHkcu, typed));
  EXPECT_EQ(0u, app.registry.valueCount(kHkcu, typed));
  EXPECT_EQ("1", policy("System", "DisableRegistryTools"));
  EXPECT_EQ(1, c("ieclearh").Value()) << "the box stays ticked";
  EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(TweakPagesTest, ClearingAbsentHistoryCreatesItAndAFailedClearIsTold) {
  const std::string typed = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
  start();
  c("ieclearh").valueFromUser(1);
  c("applyprivacy").click();
  EXPECT_TRUE(app.registry.hasKey(kHkcu, typed));

  app.registry.putString(kHkcu, typed, "url1", "http://example.org/");
  app.registry.addKey(kHkcu, typed + "\\stray");  // a key with sub-keys cannot be deleted
  c("applyprivacy").click();
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("could not be cleared"));
}

}  // namespace
}  // namespace corvanta
