// The shipped English file against the windows that use it.
#include <gtest/gtest.h>

#include <set>

#include "app/main_form.h"
#include "fakes/app_harness.h"

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

}  // namespace
}  // namespace corvanta
