#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

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

constexpr const char* kShippedSkins[] = {"assets/winaquas.skn", "assets/winaquas-dark.skn"};

TEST(SkinFile, TheShippedSkinsNameEveryElementTheProgramUses) {
  for (const char* file : kShippedSkins) {
    const SkinFile skin = SkinFile::parse(testing::readSourceFile(file));
    EXPECT_EQ(0u, skin.skippedCount()) << file;
    for (const char* element : {"Form", "SmallForm", "system", "cpu", "Button", "Label", "frame",
                                "check", "radio", "Statusbar", "Tab"}) {
      EXPECT_TRUE(skin.has(element)) << file << ": " << element;
    }
    EXPECT_TRUE(skin.style("Form").band.has_value()) << file;
  }
}

// WCAG 2 relative luminance of an sRGB colour.
double luminance(Rgb rgb) {
  const auto channel = [&](int shift) {
    const double c = static_cast<double>((rgb >> shift) & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(16) + 0.7152 * channel(8) + 0.0722 * channel(0);
}

double contrast(Rgb a, Rgb b) {
  const double lighter = std::max(luminance(a), luminance(b));
  const double darker = std::min(luminance(a), luminance(b));
  return (lighter + 0.05) / (darker + 0.05);
}

// Every text the skins colour, on what it is drawn on: buttons' captions on
// their face, other controls' on the window's back, the band's on the band,
// fields' on their own back. At least 4.5:1, the WCAG AA level for text.
TEST(SkinFile, EveryTextOfTheShippedSkinsContrastsWithWhatItIsDrawnOn) {
  enum class On { Back, Face, Band };
  const struct {
    const char* element;
    On on;
  } kPairs[] = {
      {"Form", On::Back},      {"Form", On::Face},      {"Form", On::Band},
      {"SmallForm", On::Back}, {"SmallForm", On::Band}, {"Button", On::Face},
      {"system", On::Face},    {"cpu", On::Face},       {"frame", On::Back},
      {"Label", On::Back},     {"check", On::Back},     {"radio", On::Back},
      {"Tab", On::Back},       {"Statusbar", On::Back}, {"List", On::Back},
  };
  for (const char* file : kShippedSkins) {
    const SkinFile skin = SkinFile::parse(testing::readSourceFile(file));
    for (const auto& pair : kPairs) {
      const SkinStyle style = skin.style(pair.element);
      const std::optional<Rgb> text = pair.on == On::Band ? style.bandText : style.text;
      const std::optional<Rgb> under = pair.on == On::Back   ? style.back
                                       : pair.on == On::Face ? style.face
                                                             : style.band;
      SCOPED_TRACE(std::string(file) + ": " + pair.element);
      ASSERT_TRUE(text && under) << "a colour left to the system cannot be checked";
      EXPECT_GE(contrast(*text, *under), 4.5) << std::hex << *text << " on " << *under;
    }
  }
}

}  // namespace
}  // namespace corvanta::ui
