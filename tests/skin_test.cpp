#include <gtest/gtest.h>

#include "fakes/app_harness.h"
#include "ui/skin_file.h"

namespace corvanta::ui {
namespace {

TEST(SkinFile, ReadsColoursAndFontsAndFillsGapsFromTheFormElement) {
  const SkinFile skin = SkinFile::parse(
      "; comment\r\n[Form]\r\nback = #EEF2F7\r\ntext=#1B2B3C ; dark\r\nfont = Tahoma, 8\r\n"
      "[system]\r\nface = #2F5F8F\r\nfont = Verdana, 9, bold\r\n[Button]\r\nback = nonsense\r\n"
      "stray line\r\n");
  const SkinStyle system = skin.style("SYSTEM");
  EXPECT_EQ(0x2F5F8Fu, *system.face);
  EXPECT_EQ(0xEEF2F7u, *system.back);
  EXPECT_EQ("Verdana", system.fontFace);
  EXPECT_EQ(9, system.fontPoints);
  EXPECT_TRUE(system.bold);
  const SkinStyle button = skin.style("Button");
  EXPECT_EQ(0xEEF2F7u, *button.back) << "an unreadable colour is passed over";
  EXPECT_EQ("Tahoma", button.fontFace);
  EXPECT_EQ(8, button.fontPoints);
  EXPECT_FALSE(skin.has("Tab"));
  EXPECT_EQ(0x1B2B3Cu, *skin.style("Tab").text);
}

TEST(SkinFile, ALineThatCannotBeReadIsSkippedAndListedAndTheRestReads) {
  // A font size past int once threw out of the parser and ended the program.
  for (const char* bad : {"font = Tahoma, 99999999999", "font = Tahoma, 0", "font = Tahoma, -8",
                          "font = Tahoma, 8pt", "font = , 8", "back = #12", "colour = #000000"}) {
    const SkinFile skin =
        SkinFile::parse(std::string("[Form]\nfont = Verdana, 9\n") + bad + "\ntext = #010203\n");
    EXPECT_EQ(std::vector<std::string>{std::string("line 3: ") + bad}, skin.skippedLines()) << bad;
    const SkinStyle form = skin.style("Form");
    EXPECT_EQ("Verdana", form.fontFace) << bad;
    EXPECT_EQ(9, form.fontPoints) << bad;
    EXPECT_EQ(0x010203u, *form.text) << bad;
  }
  EXPECT_EQ(1u, SkinFile::parse("back = #000000\n").skippedLines().size()) << "before any element";
}

TEST(SkinFile, AnEmptyOrMissingFileGivesPlainStyles) {
  const SkinStyle style = SkinFile::parse("").style("Form");
  EXPECT_FALSE(style.back);
  EXPECT_TRUE(style.fontFace.empty());
  EXPECT_FALSE(parseColor("#12345"));
  EXPECT_FALSE(parseColor("123456"));
  EXPECT_EQ(0xABCDEFu, *parseColor(" #abcdef "));
}

TEST(SkinFile, TheShippedSkinNamesEveryElementTheProgramUses) {
  const SkinFile skin = SkinFile::parse(testing::readSourceFile("assets/winaquas.skn"));
  for (const char* element : {"Form", "SmallForm", "system", "cpu", "Button", "Label", "frame",
                              "check", "radio", "Statusbar", "Tab"}) {
    EXPECT_TRUE(skin.has(element)) << element;
  }
  EXPECT_TRUE(skin.style("Form").band.has_value());
}

}  // namespace
}  // namespace corvanta::ui
