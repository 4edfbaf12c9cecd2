// The Visual Options tab, the Input page, the Fonts and System Colours
// windows, driven as a user drives them against a scripted desktop.
#include <gtest/gtest.h>

#include "appearance/font_file.h"
#include "appearance/fonts_form.h"
#include "appearance/syscolors_form.h"
#include "fakes/app_harness.h"
#include "shell/main_form.h"
#include "tweaks/visual_page.h"

namespace corvanta {
namespace {

using testing::AppHarness;

constexpr RegKey kHkcu = kHkeyCurrentUser;

// A stored string value without its terminator; "(missing)" for none.
std::string text(const std::optional<testing::StoredValue>& value) {
  if (!value) return "(missing)";
  std::string stored(value->data.begin(), value->data.end());
  if (!stored.empty() && stored.back() == '\0') stored.pop_back();
  return stored;
}

class PagesTest : public ::testing::Test {
 protected:
  void start() { app.forms.Show(main); }
  ui::Control& c(const std::string& name) { return main.control(name); }
  std::vector<std::string> calls() const { return app.desktop.calls; }

  AppHarness app;
  MainForm main{app.context};
};

TEST(Resolutions, OnlyTwoPositiveWholeNumbersMakeAResolution) {
  using Size = std::optional<std::pair<int, int>>;
  const std::pair<const char*, Size> cases[] = {
      {"1024x768", Size{{1024, 768}}},
      {"1280X1024", Size{{1280, 1024}}},
      {" 800 x 600 ", Size{{800, 600}}},
      {"axb", {}},
      {"1024x", {}},
      {"0x0", {}},
      {"Select resolution", {}},
      {"1024.5x768", {}},
  };
  for (const auto& [text, size] : cases) EXPECT_EQ(size, parseResolution(text)) << text;
}

TEST_F(PagesTest, TheResolutionIsAppliedOnlyWhenChosenAndTickedAndARefusalIsTold) {
  start();
  c("applyvisualcmd").click();
  EXPECT_EQ(std::vector<std::string>{}, calls());
  c("ResolutionCheck").valueFromUser(1);
  EXPECT_TRUE(c("RCombo").Enabled());
  c("RCombo").listIndexFromUser(1);
  c("RCombo").textFromUser("1280x");  // an unfinished text keeps 1024x768
  app.desktop.calls.clear();
  c("applyvisualcmd").click();
  EXPECT_EQ((std::vector<std::string>{"resolution 1024x768"}), calls());
  c("RCombo").textFromUser("1280x1024");
  app.desktop.resolutionResult = kDispChangeBadMode;
  c("applyvisualcmd").click();
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("1280x1024"));
}

TEST_F(PagesTest, ThePreviewShowsTheStoredWallpaperUnlessThereIsNone) {
  for (const auto& [stored, shown] :
       {std::pair{"C:\\pics\\lake.jpg", "C:\\pics\\lake.jpg"}, {"(NONE)", ""}, {"", ""}}) {
    AppHarness fresh;
    if (*stored) fresh.registry.putString(kHkcu, "Control Panel\\Desktop", "Wallpaper", stored);
    MainForm window(fresh.context);
    fresh.forms.Show(window);
    EXPECT_EQ(shown, window.control("Image1").PicturePath()) << stored;
    EXPECT_EQ(0x00A56E3Au, window.control("Picture2").BackColor());
  }
}

TEST_F(PagesTest, AChosenPictureBecomesWallpaperBmpAndApplySetsIt) {
  start();
  c("wallpaperCheck").valueFromUser(1);
  c("applyvisualcmd").click();
  EXPECT_EQ(std::vector<std::string>{}, calls()) << "no picture, nothing set";
  EXPECT_EQ(1u, app.dialogs.shown.size());

  app.dialogs.fileAnswers = {std::string("C:\\pics\\broken.jpg"),
                             std::string("C:\\pics\\lake.jpg")};
  app.desktop.decodable["C:\\pics\\lake.jpg"] = "bitmap";
  c("wallpapercmd").click();
  EXPECT_EQ("", c("Image1").PicturePath()) << "an unreadable picture changes no preview";
  EXPECT_EQ(2u, app.dialogs.shown.size());
  c("wallpapercmd").click();
  EXPECT_EQ("C:\\pics\\lake.jpg", c("Image1").PicturePath());
  // Under the user's application data: standard users cannot write the Windows folder.
  const std::string wallpaper = app.shell.appData + "\\Corvanta\\wallpaper.bmp";
  EXPECT_EQ("bitmap", app.desktop.written[wallpaper]);
  c("fsmooth").valueFromUser(1);
  app.desktop.calls.clear();
  c("applyvisualcmd").click();
  EXPECT_EQ((std::vector<std::string>{"wallpaper " + wallpaper, "smoothing 1"}), calls());
  EXPECT_EQ("1", app.settings.GetSetting("Halvorn utilities", "visual", "smooth"));
}

TEST_F(PagesTest, TheInputPageReadsBackAndAppliesWhatTheUserMovedInItsOrder) {
  app.registry.putString(kHkcu, "Control Panel\\Mouse", "MouseSensitivity", "10");
  app.registry.putString(kHkcu, "Control Panel\\Keyboard", "KeyboardDelay", "1");
  app.registry.putString(kHkcu, "Control Panel\\Mouse", "SwapMouseButtons", "1");
  app.settings.SaveSetting("Halvorn utilities", "mouse", "trails", "0");
  app.desktop.trails = 7;
  app.desktop.doubleClick = 300;
  start();
  EXPECT_EQ(10, c("SpeedSlider").Value());
  EXPECT_EQ(1, c("Delayslider").Value());
  EXPECT_EQ(8, c("DoubleSlider").Value()) << "Windows' 300 ms";
  EXPECT_EQ(1, c("swapm").Value());
  EXPECT_EQ(1, c("trails").Value()) << "Windows' trails, not the program's setting";
  c("inputcmd").click();
  EXPECT_EQ(std::vector<std::string>{}, calls()) << "nothing moved, nothing set";

  // Each control moved is set, in the page's order.
  for (const char* moved : {"SpeedSlider", "Repeatslider", "Delayslider", "DoubleSlider"})
    c(moved).valueFromUser(c(moved).Value() + 1);
  c("swapm").valueFromUser(0);
  c("trails").valueFromUser(0);
  c("inputcmd").click();
  EXPECT_EQ((std::vector<std::string>{"mouse speed 11", "keyboard speed 1", "keyboard delay 2",
                                      "double click 200", "swap 0", "trails 0"}),
            calls());
  EXPECT_EQ("200", text(app.registry.value(kHkcu, "Control Panel\\Mouse", "DoubleClickSpeed")));
  EXPECT_EQ("0", app.settings.GetSetting("Halvorn utilities", "mouse", "swap"));
  EXPECT_EQ(0, app.shell.emptied);
}

TEST_F(PagesTest, ASettingWindowsRefusesIsToldAndTriedAgainAtTheNextApply) {
  start();
  app.desktop.refuseAll = true;
  c("SpeedSlider").valueFromUser(15);
  c("fsmooth").valueFromUser(1);
  c("inputcmd").click();
  c("applyvisualcmd").click();
  ASSERT_EQ(2u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("Mouse pointer speed"));
  EXPECT_NE(std::string::npos, app.dialogs.shown[1].text.find("Font smoothing"));
  app.desktop.refuseAll = false;
  app.desktop.calls.clear();
  c("inputcmd").click();
  c("applyvisualcmd").click();
  EXPECT_EQ((std::vector<std::string>{"mouse speed 15", "smoothing 1"}), calls());
}

TEST_F(PagesTest, AnEmptyRecycleBinIsNoErrorButAFailureIsToldAndTheRestRuns) {
  start();
  c("recycle").valueFromUser(1);
  app.shell.emptyResult = static_cast<std::int32_t>(0x8000FFFF);
  c("inputcmd").click();
  EXPECT_TRUE(app.dialogs.shown.empty());
  app.shell.emptyResult = static_cast<std::int32_t>(0x80070005);
  app.desktop.calls.clear();
  c("inputcmd").click();
  EXPECT_EQ(2, app.shell.emptied);
  EXPECT_EQ(1u, app.dialogs.shown.size());
}

// A font file with a name table holding one Windows name.
std::string fontWithName(const std::u16string& name, int nameId = 4) {
  std::string file;
  const auto u16 = [&](int value) {
    file += static_cast<char>(value >> 8);
    file += static_cast<char>(value & 0xFF);
  };
  const auto u32 = [&](std::uint32_t value) {
    u16(static_cast<int>(value >> 16));
    u16(static_cast<int>(value & 0xFFFF));
  };
  u32(0x00010000);
  u16(1);
  u16(16);
  u16(0);
  u16(0);
  u32(0x6E616D65);
  u32(0);
  u32(28);
  u32(static_cast<std::uint32_t>(18 + name.size() * 2));
  u16(0);
  u16(1);
  u16(18);  // name table: format, one record, storage
  u16(3);
  u16(1);
  u16(0x409);
  u16(nameId);
  u16(static_cast<int>(name.size() * 2));
  u16(0);
  for (const char16_t c : name) u16(c);
  return file;
}

TEST(FontFiles, TheFullNameComesFromTheNameTableWholeAndJunkHasNone) {
  EXPECT_EQ("Corvanta Sans Bold", fontFullName(fontWithName(u"Corvanta Sans Bold")));
  EXPECT_EQ("Family Only", fontFullName(fontWithName(u"Family Only", 1)));
  // Whole Unicode: two such names once both became "?" and collided.
  EXPECT_EQ(
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA Sans",
      fontFullName(fontWithName(u"\u0141\u00F3d\u017A Sans")));
  EXPECT_EQ("Smile \xF0\x9F\x98\x80", fontFullName(fontWithName(u"Smile \U0001F600")));
  // A NUL once cut the registration name short and re-pointed another font.
  for (const std::u16string& bad :
       {std::u16string(u"Bad\0Name", 8), std::u16string(u"\xD800x"), std::u16string(u"x\xDC00"),
        std::u16string(u"Tab\t"), std::u16string()}) {
    EXPECT_FALSE(fontFullName(fontWithName(bad))) << bad.size();
  }
  EXPECT_FALSE(fontFullName("not a font at all"));
  const std::string font = fontWithName(u"Cut");
  for (std::size_t length = 0; length < font.size(); ++length) {
    EXPECT_FALSE(fontFullName(font.substr(0, length)).has_value() && length < 30) << length;
  }
}

class FontsTest : public ::testing::Test {
 protected:
  FontsTest() {
    app.desktop.families = {"Tahoma", "Arial", "@MS Gothic", "arial", "Courier New"};
    app.forms.Load(fonts);
  }
  ui::Control& c(const std::string& name) { return fonts.control(name); }

  AppHarness app;
  FontsForm fonts{app.context};
};

TEST_F(FontsTest, FamiliesAreListedOnceSortedAndThePreviewStartsOnTheSecond) {
  EXPECT_EQ((std::vector<std::string>{"Arial", "Courier New", "Tahoma"}),
            c("lstSystemFonts").items());
  EXPECT_EQ("Courier New", c("Label1").Font().name);
  EXPECT_EQ(12, c("Label1").Font().size);
  EXPECT_EQ("12", c("sizetxt").Text());
  EXPECT_EQ("\r\nABCXYZabcxyz", c("Label1").Text());
}

TEST_F(FontsTest, TheSizeTakesTheLeadingNumberAndTheBoxesTheirStates) {
  for (const auto& [text, number] : {std::pair{"12pt", 12}, {"abc", 0}, {"", 0}, {"7.5", 7}}) {
    EXPECT_EQ(number, leadingNumber(text)) << text;
  }
  c("sizetxt").textFromUser("20 points");
  c("lstSystemFonts").listIndexFromUser(0);
  EXPECT_EQ((ui::FontSpec{"Arial", 20}), c("Label1").Font());
  c("sizetxt").textFromUser("none");
  c("lstSystemFonts").listIndexFromUser(2);
  EXPECT_EQ(20, c("Label1").Font().size) << "no number keeps the size";
  c("Check2").valueFromUser(1);
  c("Check1").valueFromUser(2);  // grey: strikeout stays as it is
  c("UpDown1").valueFromUser(30);
  EXPECT_EQ((ui::FontSpec{"Tahoma", 30, true, false, false}), c("Label1").Font());
  EXPECT_EQ("30", c("sizetxt").Text());
}

TEST_F(FontsTest, AFontIsInstalledUnderItsOwnNameRegisteredAndNeverOverwritten) {
  c("Command1").click();
  EXPECT_TRUE(app.dialogs.shown.empty()) << "a cancel does nothing";

  app.files.addFile("C:\\new\\corv.ttf", fontWithName(u"Corvanta Sans"));
  app.files.addFile("C:\\new\\junk.ttf", "junk");
  app.files.addFolder("C:\\WINDOWS\\Fonts");
  app.desktop.fontFiles = {"C:\\new\\corv.ttf", "C:\\WINDOWS\\Fonts\\corv.ttf"};
  app.dialogs.fileAnswers = {std::string("C:\\new\\junk.ttf"), std::string("C:\\new\\corv.ttf"),
                             std::string("C:\\new\\corv.ttf")};
  c("Command1").click();
  EXPECT_FALSE(app.files.exists("C:\\WINDOWS\\Fonts\\junk.ttf"));
  c("Command1").click();
  EXPECT_TRUE(app.files.exists("C:\\WINDOWS\\Fonts\\corv.ttf"));
  const auto value = app.registry.value(kHkeyLocalMachine,
                                        "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                                        "Corvanta Sans (TrueType)");
  EXPECT_EQ("corv.ttf", text(value));
  EXPECT_EQ(1u, app.desktop.loadedFonts.count("C:\\WINDOWS\\Fonts\\corv.ttf"));
  EXPECT_EQ(0u, app.desktop.loadedFonts.count("C:\\new\\corv.ttf")) << "the test load is undone";
  c("Command1").click();
  ASSERT_EQ(2u, app.dialogs.shown.size()) << "junk, then the second install of the same file";
  EXPECT_NE(std::string::npos, app.dialogs.shown[1].text.find("already"));
}

TEST_F(FontsTest, NothingIsInstalledWhenTheFolderCannotBeReadAndAnyAlphabetRegistersWhole) {
  // A failed existence check once counted as "absent" and the copy went on.
  app.files.addFile("C:\\new\\corv.ttf", fontWithName(u"Corvanta Sans"));
  app.files.addFile("C:\\new\\lodz.ttf", fontWithName(u"\u0141\u00F3d\u017A \u65E5\u672C"));
  app.files.addFolder("C:\\WINDOWS\\Fonts");
  app.desktop.fontFiles = {"C:\\new\\corv.ttf", "C:\\new\\lodz.ttf", "C:\\WINDOWS\\Fonts\\lodz.ttf"};
  app.files.failListing("C:\\WINDOWS\\Fonts", 21);  // not ready
  app.dialogs.fileAnswers = {std::string("C:\\new\\corv.ttf"), std::string("C:\\new\\lodz.ttf")};
  c("Command1").click();
  app.files.clearListingFailures();
  c("Command1").click();
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("cannot be told"));
  EXPECT_FALSE(app.files.exists("C:\\WINDOWS\\Fonts\\corv.ttf"));
  EXPECT_TRUE(app.files.exists("C:\\WINDOWS\\Fonts\\lodz.ttf"));
  EXPECT_EQ("lodz.ttf", text(app.registry.value(
                            kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                            "Łódź 日本 (TrueType)")));
}

TEST(SystemColors, TheChosenColourGoesToTheChosenElementOrElementZero) {
  AppHarness app;
  SystemColorsForm colors(app.context);
  app.forms.Load(colors);
  EXPECT_EQ(13, colors.control("List1").ListCount());
  app.dialogs.colorAnswers = {0x00FFFFFFu, std::nullopt};
  colors.control("Command1").click();
  EXPECT_EQ(std::vector<std::string>{"color 0 0"}, app.desktop.calls) << "nothing chosen: index 0";
  colors.control("List1").listIndexFromUser(12);  // Background
  EXPECT_EQ(0x00A56E3Au, colors.control("Picture1").BackColor());
  colors.control("Command2").click();
  colors.control("Command2").click();  // cancelled: the colour stays
  EXPECT_EQ(0x00FFFFFFu, colors.control("Picture1").BackColor());
  colors.control("Command1").click();
  EXPECT_EQ(0x00FFFFFFu, app.desktop.colors[1]);
}

}  // namespace
}  // namespace corvanta
