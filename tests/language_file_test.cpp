// The shipped English file against the windows that use it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/profile_text.h"
#include "fakes/app_harness.h"
#include "shell/main_form.h"

namespace corvanta {
namespace {

// IDs whose controls have no design text: their English text is empty.
const std::set<std::string> kEmptyInEnglish = {"0", "3042", "4006", "7014", "7015"};

TEST(EnglishFile, HasATextForEveryTaggedControlOfTheMainWindow) {
  testing::AppHarness app;
  MainForm main(app.context);
  for (const auto& control : main.controls()) {
    const std::string id = trimSpaces(control->Tag());
    if (id.empty() || kEmptyInEnglish.count(id)) continue;
    EXPECT_NE("", app.localizer.LookupText(control->Tag())) << control->name() << " tag " << id;
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
  EXPECT_EQ("Remove the Shut Down  command", app.localizer.LookupText("5018"));
}

const char* const kLanguages[] = {"German",  "French",  "Spanish",   "Italian", "Portuguese",
                                  "Dutch",   "Polish",  "Czech",     "Russian", "Ukrainian",
                                  "Greek",   "Turkish", "Chinese Simplified"};

// Every shipped translation answers for exactly the English file's IDs and
// keeps what the program relies on: the expander's ">>", and "&&" wherever
// English has it (a single "&" would make an access key of the next letter).
TEST(LanguageFiles, EveryTranslationHasExactlyTheEnglishIdsAndKeepsTheMarkers) {
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
      const std::string englishText = *english.value("Corvanta", id);
      const std::string translated = translation.value("Corvanta", id).value_or("");
      const bool doubled = englishText.find("&&") != std::string::npos;
      EXPECT_EQ(doubled, translated.find("&&") != std::string::npos) << id << " " << translated;
      const std::size_t singles = std::count(translated.begin(), translated.end(), '&');
      EXPECT_EQ(0u, singles % 2) << id << ": a lone \"&\" in " << translated;
      EXPECT_EQ(englishText.empty(), translated.empty()) << id;
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
  EXPECT_EQ("Диски", main.control("Command5").Caption());
  EXPECT_EQ("Система >>", main.control("syscmd").Caption());
}

}  // namespace
}  // namespace corvanta
