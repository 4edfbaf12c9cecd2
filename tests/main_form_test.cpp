#include "shell/main_form.h"

#include <gtest/gtest.h>

#include "fakes/app_harness.h"
#include "shell/about_form.h"

namespace corvanta {
namespace {

using testing::AppHarness;

const char* const kPages[] = {"SMframe", "drivesframe", "EXPFrame",   "Inputframe",
                              "SIFrame", "langFrame",   "VisualFrame"};

class MainFormTest : public ::testing::Test {
 protected:
  void start() { app.forms.Show(main); }
  std::vector<std::string> visiblePages() const {
    std::vector<std::string> shown;
    for (const char* page : kPages) {
      if (main.control(page).Visible()) shown.push_back(page);
    }
    return shown;
  }
  ui::Control& c(const std::string& name, int index = -1) { return main.control(name, index); }

  AppHarness app;
  MainForm main{app.context};
};

TEST_F(MainFormTest, StartsOnTheVisualPageWithTheNavigationClosed) {
  start();
  EXPECT_EQ(std::vector<std::string>{"VisualFrame"}, visiblePages());
  EXPECT_EQ(MainForm::kStartHeight, main.Height());
  EXPECT_FALSE(c("Frame1").Visible());
  EXPECT_EQ("Corvanta", main.Caption());
  EXPECT_EQ((std::vector<std::string>{"show C:\\Program Files\\Corvanta\\Splash.spl", "step 0"}),
            app.splash.calls);
  EXPECT_EQ((std::vector<std::string>{"create mainform", "show mainform"}), app.windows.log);
}

TEST_F(MainFormTest, TakesEveryTaggedCaptionFromTheEnglishFileByDefault) {
  start();
  EXPECT_EQ("&System >>", c("syscmd").Caption());
  EXPECT_EQ("&CPU && Memory", c("cpucmd").Caption());
  EXPECT_EQ("E&xplorer", c("Command1").Caption()) << "the tag \" 7003\" matches the key 7003";
  EXPECT_EQ("System &Health", c("Command3").Caption());
  EXPECT_EQ("System Monitoring", c("SMframe").Caption());
  EXPECT_EQ("Drives", c("drivesframe").Caption());
  EXPECT_EQ("Input", c("Inputframe").Caption());
  EXPECT_EQ("Explorer Options", c("OptionsFrame", 0).Caption());
  EXPECT_EQ("Selec&t your language", c("langSkinLabel1").Caption());
  ASSERT_EQ(1, c("combolng").ListCount());
  EXPECT_EQ("English", c("combolng").Text());
}

// The pages not open at the first sight of the window are filled once it
// has shown; a click that comes before the window system says so finds
// them filled all the same.
TEST_F(MainFormTest, PagesNotShownAtFirstAreFilledBeforeTheFirstClickReachesThem) {
  app.desktop.smoothing = true;
  app.forms.Load(main);
  EXPECT_EQ(std::vector<std::string>{"VisualFrame"}, visiblePages());
  EXPECT_EQ(ui::kChecked, c("fsmooth").Value()) << "the tab shown first is read before it shows";
  EXPECT_EQ(0, c("combolng").ListCount()) << "the Language page waits";
  c("Command7").click();
  EXPECT_EQ(std::vector<std::string>{"langFrame"}, visiblePages());
  ASSERT_EQ(1, c("combolng").ListCount());
  EXPECT_EQ("English", c("combolng").Text());
}

// A missing language file used to blank every tagged caption, the way back
// to English included.
TEST_F(MainFormTest, AMissingLanguageFileGivesEnglishAndSaysSoOnce) {
  app.storeLanguage("Deutsch");
  start();
  EXPECT_EQ("&System >>", c("syscmd").Caption());
  EXPECT_EQ("&Visual", c("Command4").Caption());
  EXPECT_EQ("System Monitoring", c("SMframe").Caption());
  EXPECT_EQ("&Apply", c("Applylangcmd").Caption());
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("\\languages\\Deutsch.ini"));
  EXPECT_EQ("Deutsch", app.settings.GetSetting("Corvanta", "Language", "lng")) << "kept";

  std::string healthTitle = "unset";
  app.windows.whileModal = [&](ui::Form& window) { healthTitle = window.Caption(); };
  c("Command3").click();
  EXPECT_EQ("System Health", healthTitle);
}

TEST_F(MainFormTest, WithoutAnyLanguageFileTheDesignTextsKeepEveryPageReachable) {
  // The bare program once lost the expander's marker, so only two pages
  // could be reached.
  app.files.deleteFile(app.languageFile(kEnglish));
  start();
  EXPECT_EQ("System >>", c("syscmd").Caption());
  c("syscmd").click();
  EXPECT_TRUE(c("Frame1").Visible());
  for (const char* button : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6",
                             "Command7", "cpucmd"}) {
    EXPECT_FALSE(c(button).Caption().empty()) << button;
  }
}

TEST_F(MainFormTest, MissingTextsComeFromEnglishThenFromTheDesign) {
  app.files.addFile(app.languageFile("Partial"), "[Corvanta]\r\n1002=Optik\r\n");
  app.storeLanguage("Partial");
  app.files.addFile(app.languageFile(kEnglish), "[Corvanta]\r\n1003=Drives\r\n");
  start();
  EXPECT_EQ("Optik", c("Command4").Caption());
  EXPECT_EQ("Drives", c("Command5").Caption());
  EXPECT_EQ("Input", c("Command6").Caption()) << "in neither file: the design text";
  EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST(LanguageNames, OnlyPlainFileStemsAreUsed) {
  for (const char* good :
       {"English", "Deutsch", "Portugu\xEAs", "pt-BR", "zh_TW", "Old v2.1", "A"}) {
    EXPECT_TRUE(isLanguageName(good)) << good;
  }
  for (const char* bad : {"", "..\\..\\evil", "C:\\x", "a/b", ".hidden", "a:b", "star*", "x\ty"}) {
    EXPECT_FALSE(isLanguageName(bad)) << bad;
  }
  EXPECT_FALSE(isLanguageName(std::string(65, 'a')));
  testing::AppHarness app;
  app.storeLanguage("..\\English");
  EXPECT_EQ("English", app.localizer.LanguageName());
}

TEST_F(MainFormTest, TheChooserOffersEveryLanguageFileWithTextsAndSelectsTheStoredOne) {
  app.files.addFile(app.languageFile("Nederlands"), "[Corvanta]\r\n1002=Beeld\r\n");
  app.files.addFile(app.languageFile("Deutsch"), "[Corvanta]\r\n1002=Optik\r\n");
  app.files.addFile(app.languageFile("Notes"), "[Other]\r\n1=x\r\n");
  app.files.addFile(app.appFolder + "\\languages\\readme.txt", "[Corvanta]\r\n");
  app.storeLanguage("deutsch");
  start();
  EXPECT_EQ((std::vector<std::string>{"Deutsch", "English", "Nederlands"}), c("combolng").items());
  EXPECT_EQ("Deutsch", c("combolng").Text());
  c("combolng").listIndexFromUser(2);
  c("Applylangcmd").click();
  EXPECT_EQ("Nederlands", app.settings.GetSetting("Corvanta", "Language", "lng"));
  EXPECT_EQ("Optik", c("Command4").Caption()) << "the change shows at the next start";
  EXPECT_EQ("The new language shows the next time Corvanta starts.", c("langSkinLabel1").Caption());
}

TEST_F(MainFormTest, AFileOfEarlierVersionsReadsAsWesternTextAndAnOwnNameIsShown) {
  app.files.addFile(app.languageFile("Old"),
                    "[Corvanta]\r\n1002=Gr\xF6\xDF"
                    "e\r\n");
  app.files.addFile(app.languageFile("Polish"),
                    "[Language]\r\nName=Polski\r\n[Corvanta]\r\n1002=Wygl\xC4\x85"
                    "d\r\n");
  app.storeLanguage("Old");
  start();
  EXPECT_EQ("Größe", c("Command4").Caption());
  EXPECT_EQ((std::vector<std::string>{"English", "Old", "Polski"}), c("combolng").items());
  c("combolng").listIndexFromUser(2);
  c("Applylangcmd").click();
  EXPECT_EQ("Polish", app.settings.GetSetting("Corvanta", "Language", "lng"));
}

TEST_F(MainFormTest, ALongTextIsCutTo254CharactersAndQuotesAreStripped) {
  app.files.addFile(app.languageFile("Long"), "[Corvanta]\r\n1002=" + std::string(300, 'x') +
                                                  "\r\n 1003 = \"Laufwerke\"\r\n");
  app.storeLanguage("Long");
  start();
  EXPECT_EQ(std::string(254, 'x'), c("Command4").Caption());
  EXPECT_EQ("Laufwerke", c("Command5").Caption());
}

TEST_F(MainFormTest, EachNavigationButtonShowsItsPageAloneAtThatPagesHeight) {
  start();
  const std::pair<const char*, const char*> navigation[] = {
      {"Command4", "VisualFrame"}, {"Command5", "drivesframe"}, {"Command6", "Inputframe"},
      {"Command1", "EXPFrame"},    {"Command2", "SIFrame"},     {"Command7", "langFrame"},
      {"cpucmd", "SMframe"}};
  // Twice round, so that every page is also reached from the taller
  // monitoring page.
  for (int round = 0; round < 2; ++round) {
    for (const auto& [button, page] : navigation) {
      c(button).click();
      EXPECT_EQ(std::vector<std::string>{page}, visiblePages()) << button;
      EXPECT_EQ(std::string(page) == "SMframe" ? MainForm::kMonitoringHeight
                                               : MainForm::kStartHeight,
                main.Height())
          << button;
    }
  }
}

TEST_F(MainFormTest, SystemHealthOpensModallyAndLeavesNoPageShown) {
  start();
  std::string title;
  app.windows.whileModal = [&](ui::Form& window) {
    title = window.Caption();
    EXPECT_TRUE(visiblePages().empty()) << "pages are hidden before the window opens";
  };
  c("Command3").click();
  EXPECT_EQ("System Health", title);
  EXPECT_TRUE(visiblePages().empty());
  EXPECT_EQ(std::vector<ui::Form*>{&main}, app.forms.loaded()) << "the health window is gone";
}

TEST_F(MainFormTest, TheExpanderOpensAndClosesTheNavigationAndHidesMonitoring) {
  start();
  c("cpucmd").click();
  c("syscmd").click();
  EXPECT_TRUE(c("Frame1").Visible());
  EXPECT_EQ((ui::Geometry{160, 285 + 370, 1635, 3555}), c("Frame1").geometry());
  EXPECT_EQ(285 + 370 + 3555, c("cpucmd").Top());
  EXPECT_EQ("&System <<", c("syscmd").Caption());
  EXPECT_TRUE(visiblePages().empty()) << "the monitoring page is hidden, no other shown";

  c("Command2").click();
  c("syscmd").click();
  EXPECT_FALSE(c("Frame1").Visible());
  EXPECT_EQ((ui::Geometry{240, 3400, 1635, 3555}), c("Frame1").geometry());
  EXPECT_EQ(480 + 285 + 50, c("cpucmd").Top());
  EXPECT_EQ("&System >>", c("syscmd").Caption());
  EXPECT_EQ(std::vector<std::string>{"SIFrame"}, visiblePages()) << "other pages keep their state";
}

TEST_F(MainFormTest, ACaptionWithBothMarkersOpensThenClosesInOneClick) {
  app.files.addFile(app.languageFile("Both"), "[Corvanta]\r\n1000=Go>><<\r\n");
  app.storeLanguage("Both");
  start();
  c("syscmd").click();
  EXPECT_FALSE(c("Frame1").Visible());
  EXPECT_EQ((ui::Geometry{240, 3400, 1635, 3555}), c("Frame1").geometry());
  EXPECT_EQ(480 + 285 + 50, c("cpucmd").Top());
  EXPECT_EQ("Go>>>>", c("syscmd").Caption());
}

TEST_F(MainFormTest, OnlyTheSelectedTabsSubFrameIsShownAndEnabled) {
  start();
  EXPECT_TRUE(c("VoptionsFrame", 0).Visible()) << "the first tab's frame before any click";
  EXPECT_TRUE(c("OptionsFrame", 0).Visible());
  EXPECT_FALSE(c("OptionsFrame", 1).Visible());

  c("TabStrip1").selectedTabFromUser(3);
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_EQ(frame == 2, c("VoptionsFrame", frame).Visible()) << frame;
    EXPECT_EQ(frame == 2, c("VoptionsFrame", frame).Enabled()) << frame;
  }
  c("ExpTab").selectedTabFromUser(2);
  EXPECT_FALSE(c("OptionsFrame", 0).Enabled());
  EXPECT_TRUE(c("OptionsFrame", 1).Visible());
}

TEST_F(MainFormTest, SkinsTheWindowThenGivesEveryControlTheElementOfItsKind) {
  start();
  ASSERT_EQ(std::vector<std::string>{"C:\\Program Files\\Corvanta\\winaquas.skn"}, app.skin.loaded);
  ASSERT_EQ(1u, app.skin.applied.size());
  EXPECT_EQ(main.handle(), app.skin.applied[0].first);
  EXPECT_EQ("Form", app.skin.applied[0].second);
  const auto elementOf = [&](const std::string& name, int index = -1) {
    const std::string& element = c(name, index).SkinElement();
    return element.empty() ? std::string("(not skinned)") : element;
  };
  EXPECT_EQ("system", elementOf("syscmd"));
  EXPECT_EQ("cpu", elementOf("cpucmd"));
  EXPECT_EQ("Button", elementOf("Command4"));
  EXPECT_EQ("Button", elementOf("applymenu"));
  EXPECT_EQ("frame", elementOf("VisualFrame"));
  EXPECT_EQ("frame", elementOf("VoptionsFrame", 2));
  EXPECT_EQ("Label", elementOf("langSkinLabel1"));
  EXPECT_EQ("Tab", elementOf("TabStrip1"));
  EXPECT_EQ("check", elementOf("runchk"));
  EXPECT_EQ("(not skinned)", elementOf("changetxt"));
  EXPECT_EQ("(not skinned)", elementOf("mdelaycombo"));
  EXPECT_EQ("(not skinned)", elementOf("combolng"));
}

// An 11 MB skin of junk once added every one of its lines, whole, to the log
// at every start.
TEST(MainFormSkin, UnreadableSkinLinesAreLoggedAsACountAndTheFirstFewCut) {
  const std::string head = "SKIN: skipped ";
  const std::string of = " of C:\\Program Files\\Corvanta\\winaquas.skn it cannot read";
  std::string many = "[Form]\r\n" + std::string(1'000'000, 'x') + "\r\na";
  for (int i = 0; i < 150; ++i) many += "\xC5\xBC";  // z with a dot, two bytes
  for (int i = 0; i < 99'998; ++i) many += "\r\njunk";
  std::string cutAtACharacter = "a";
  for (int i = 0; i < 99; ++i) cutAtACharacter += "\xC5\xBC";
  const std::pair<std::string, std::string> cases[] = {
      {"[Form]\r\nback = #000000\r\n", ""},
      {"[Form]\r\nstray\r\nback = #12 ; short\r\ntext = #000000\r\nfont = , 8\r\n",
       head + "3 lines" + of +
           ":\r\nSKIN:   line 2: stray\r\nSKIN:   line 3: back = #12\r\n"
           "SKIN:   line 5: font = , 8\r\n"},
      {many, head + "100000 lines" + of +
                 ", the first 3:\r\nSKIN:   line 2: " + std::string(200, 'x') +
                 "...\r\nSKIN:   line 3: " + cutAtACharacter + "...\r\nSKIN:   line 4: junk\r\n"},
  };
  for (const auto& [skin, logged] : cases) {
    AppHarness app;
    app.skin.text = skin;
    MainForm main{app.context};
    app.forms.Show(main);
    EXPECT_EQ(logged, app.files.contents("C:\\Program Files\\Corvanta\\PROGRAM.LOG"))
        << skin.substr(0, 40);
  }
}

TEST_F(MainFormTest, TheAboutElementOpensTheAboutWindowAndHelpAndF1OpenTheHelpFile) {
  app.system.fileVersion = {4, 7, 9, 12};
  start();
  std::vector<std::string> seen;
  app.windows.whileModal = [&](ui::Form& window) {
    seen = {window.Caption(), window.control("lblTitle").Caption(),
            window.control("lblVersion").Caption()};
    window.control("cmdOK").click();
  };
  app.skin.click("About");
  // Major, minor, then 0 and the revision: the build number is not shown.
  EXPECT_EQ((std::vector<std::string>{"about", "Corvanta", "Version 4.7.0.12"}), seen);
  EXPECT_EQ(1u, app.forms.loaded().size());

  app.skin.click("help");
  EXPECT_TRUE(app.shell.launched.empty()) << "a missing help file is told, not started";
  ASSERT_EQ(1u, app.dialogs.shown.size());
  app.files.addFile("C:\\Program Files\\Corvanta\\newhelp.chm");
  app.skin.click("help");
  ASSERT_EQ(1u, app.shell.launched.size());
  EXPECT_EQ("C:\\Program Files\\Corvanta\\newhelp.chm", app.shell.launched[0].file);
  EXPECT_EQ("C:\\", app.shell.launched[0].folder);
  EXPECT_EQ(3, app.shell.launched[0].showCommand);
  EXPECT_EQ(main.handle(), app.shell.launched[0].owner);

  app.skin.click("about");  // names are compared exactly
  app.skin.click("Help");
  EXPECT_EQ(1u, app.shell.launched.size());

  // F1 in any window opens the help viewer at the page it names.
  app.forms.help("system-health.html#review");
  ASSERT_EQ(2u, app.shell.launched.size());
  EXPECT_EQ(app.system.windowsDirectory() + "\\hh.exe", app.shell.launched[1].file);
  EXPECT_EQ("C:\\Program Files\\Corvanta\\newhelp.chm::/system-health.html#review",
            app.shell.launched[1].parameters);
}

TEST_F(MainFormTest, ALanguageThatCannotBeSavedIsToldAndNotClaimedSaved) {
  app.registry.markReadOnly(kHkeyCurrentUser, settingsKeyPath("Corvanta", "Language"));
  start();
  c("Applylangcmd").click();
  ASSERT_EQ(1u, app.dialogs.shown.size()) << "a failed save is said, not hidden";
  EXPECT_EQ("Selec&t your language", c("langSkinLabel1").Caption())
      << "no word of a language shown at the next start";
  EXPECT_EQ("", app.settings.GetSetting("Corvanta", "Language", "lng"));
}

TEST_F(MainFormTest, ASecondInstanceEndsAtOnceWithoutAWindow) {
  app.system.claimedNames.insert("Corvanta.MainWindow.SingleInstance");
  start();
  EXPECT_TRUE(app.forms.ended());
  EXPECT_TRUE(app.forms.loaded().empty());
  EXPECT_EQ((std::vector<std::string>{"create mainform", "destroy mainform"}), app.windows.log);
  EXPECT_TRUE(app.splash.calls.empty());
  EXPECT_TRUE(app.skin.loaded.empty());
}

TEST_F(MainFormTest, ClosingTheMainWindowUnloadsEveryWindow) {
  start();
  AboutForm about(app.context);
  app.forms.Load(about);
  app.forms.closeRequested(main);
  EXPECT_TRUE(app.forms.loaded().empty());
  EXPECT_EQ("destroy mainform", app.windows.log[app.windows.log.size() - 2]);
  EXPECT_EQ("destroy frmabout", app.windows.log.back());
}

TEST(AboutWindow, VersionLineHasAZeroThirdNumber) {
  EXPECT_EQ("3.3.0.0", versionNumber(3, 3, 0));
  EXPECT_EQ("10.2.0.7", versionNumber(10, 2, 7));
}

}  // namespace
}  // namespace corvanta
