// The shipped English file against the windows that use it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "appearance/fonts_form.h"
#include "appearance/syscolors_form.h"
#include "base/profile_text.h"
#include "fakes/app_harness.h"
#include "health/health_checks.h"
#include "health/health_form.h"
#include "health/review_form.h"
#include "monitor/process_form.h"
#include "shell/about_form.h"
#include "shell/changes_form.h"
#include "shell/main_form.h"

namespace corvanta {
namespace {

// IDs whose controls have no design text: their English text is empty.
const std::set<std::string> kEmptyInEnglish = {"0", "3042", "4006", "7014", "7015"};

// The text as it shows: "&x" underlines x, "&&" is one "&".
std::string shownText(const std::string& text) {
  std::string shown;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '&' && at + 1 < text.size()) ++at;
    shown += text[at];
  }
  return shown;
}

// Every ID a window gives its title, controls, columns and tabs has an
// English text, and it is the text the window was designed with (a file
// that lacks an ID leaves the design text, which must say the same).
TEST(EnglishFile, HasTheDesignTextOfEveryTagOfEveryWindow) {
  testing::AppHarness app;
  MainForm main(app.context);
  HealthForm health(app.context);
  ProcessForm processes(app.context);
  FontsForm fonts(app.context);
  SystemColorsForm colors(app.context);
  AboutForm about(app.context);
  ChangesForm changes(app.context);
  std::vector<Finding> found(1);
  IgnoreList ignored;
  ReviewForm review(app.context, kHealthChecks[5], found, ignored);
  const ProfileText english(testing::readSourceFile("languages/English.ini"));
  const auto check = [&](const std::string& where, const std::string& tag,
                         const std::string& design) {
    const std::string id = trimSpaces(tag);
    if (id.empty() || kEmptyInEnglish.count(id)) return;
    const auto text = english.value("Corvanta", id);
    ASSERT_TRUE(text.has_value()) << where << ": no English text for " << id;
    // "Total Size:" on the monitoring page shares its ID with the Drives
    // page's "Total Size", as designed.
    if (where != "mainform Label3") {
      EXPECT_EQ(shownText(design), shownText(*text)) << where << " " << id;
    }
  };
  for (const ui::Form* window : std::initializer_list<const ui::Form*>{
           &main, &health, &processes, &fonts, &colors, &about, &changes, &review}) {
    check(window->name(), window->Tag(), window->DesignCaption());
    for (const auto& control : window->controls()) {
      const std::string where = window->name() + " " + control->name();
      check(where, control->Tag(), control->DesignCaption());
      for (const ui::ListColumn& column : control->columns())
        check(where, column.tag, column.caption);
      for (std::size_t tab = 0; tab < control->tabTags().size(); ++tab)
        check(where, control->tabTags()[tab], control->tabs()[tab]);
    }
  }
}

TEST(EnglishFile, HasTheWindowTitlesAndTheExpanderMarker) {
  testing::AppHarness app;
  EXPECT_EQ("Process manager", app.localizer.LookupText("7002"));
  EXPECT_EQ("Fonts", app.localizer.LookupText("7004"));
  EXPECT_EQ("System Health", app.localizer.LookupText("7010"));
  EXPECT_EQ("Colors", app.localizer.LookupText("7012"));
  const std::string expander = app.localizer.LookupText("1000");
  ASSERT_GE(expander.size(), 2u);
  EXPECT_EQ(">>", expander.substr(expander.size() - 2));
  EXPECT_EQ("Used memory             :", app.localizer.LookupText("3004"));
  EXPECT_EQ("&Remove the Shut Down  command", app.localizer.LookupText("5018"));
}

const char* const kLanguages[] = {"German",  "French",  "Spanish",   "Italian", "Portuguese",
                                  "Dutch",   "Polish",  "Czech",     "Russian", "Ukrainian",
                                  "Greek",   "Turkish", "Chinese Simplified"};

// Every shipped translation answers for exactly the English file's IDs and
// keeps the expander's ">>". (Access keys and blanks are the language
// tool's check: tools/languages.py --check.)
TEST(LanguageFiles, EveryTranslationHasExactlyTheEnglishIdsAndKeepsTheMarker) {
  const ProfileText english(testing::readSourceFile("languages/English.ini"));
  const auto ids = english.keys("Corvanta");
  ASSERT_GT(ids.size(), 90u);
  for (const char* language : kLanguages) {
    SCOPED_TRACE(language);
    const std::string text = testing::readSourceFile(std::string("languages/") + language + ".ini");
    ASSERT_FALSE(text.empty());
    const ProfileText translation(text);
    EXPECT_EQ(ids, translation.keys("Corvanta"));
    const std::string expander = translation.value("Corvanta", "1000").value_or("");
    EXPECT_TRUE(expander.size() > 2 && expander.substr(expander.size() - 2) == ">>") << expander;
    for (const std::string& id : ids) {
      EXPECT_EQ(english.value("Corvanta", id)->empty(),
                translation.value("Corvanta", id).value_or("").empty())
          << id;
    }
  }
}

TEST(LanguageFiles, EveryTranslationIsOfferedAndShowsItsTexts) {
  testing::AppHarness app;
  for (const char* language : kLanguages) {
    app.files.addFile(app.languageFile(language),
                      testing::readSourceFile(std::string("languages/") + language + ".ini"));
  }
  app.storeLanguage("Russian");
  MainForm main(app.context);
  app.forms.Show(main);
  const auto& chooser = main.control("combolng");
  EXPECT_EQ(14, chooser.ListCount()) << "each by its own name";
  EXPECT_EQ("Русский", chooser.Text());
  for (const char* own : {"Deutsch", "Polski", "Čeština", "Ελληνικά", "Türkçe", "中文(简体)"}) {
    EXPECT_NE(chooser.items().end(), std::find(chooser.items().begin(), chooser.items().end(), own))
        << own;
  }
  EXPECT_EQ("&Диски", main.control("Command5").Caption());
  EXPECT_EQ("&Система >>", main.control("syscmd").Caption());
  EXPECT_EQ("Меню «Пуск»", main.control("TabStrip1").tabs()[1]);
  EXPECT_EQ("Проводник", main.control("EXPFrame").Caption());
}

}  // namespace
}  // namespace corvanta
