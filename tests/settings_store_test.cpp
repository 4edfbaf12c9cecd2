#include "registry/settings_store.h"

#include <gtest/gtest.h>

#include "fakes/fake_files.h"
#include "fakes/fake_registry.h"
#include "registry/registry_error.h"

namespace corvanta {
namespace {

using testing::FakeRegistry;

TEST(SettingsStore, GivesTheDefaultUntilSomethingIsSaved) {
  FakeRegistry fake;
  SettingsStore store(fake);
  EXPECT_EQ("English", store.GetSetting("Corvanta", "Language", "lng", "English"));
  EXPECT_EQ("", store.GetSetting("Corvanta", "Language", "lng"));
  store.SaveSetting("Corvanta", "Language", "lng",
                    "Fran\xE7"
                    "ais");
  EXPECT_EQ(
      "Fran\xE7"
      "ais",
      store.GetSetting("corvanta", "LANGUAGE", "LNG", "English"));
  EXPECT_EQ(0u, fake.openHandles());
}

TEST(SettingsStore, KeepsEachApplicationsSettingsAsStringsInItsOwnKey) {
  FakeRegistry fake;
  SettingsStore store(fake);
  store.SaveSetting("Halvorn utilities", "mouse", "swap", "1");
  const auto stored =
      fake.value(kHkeyCurrentUser, settingsKeyPath("Halvorn utilities", "mouse"), "swap");
  ASSERT_TRUE(stored);
  EXPECT_EQ(kRegSz, stored->type);
  EXPECT_EQ(Bytes({'1', 0}), stored->data);
  EXPECT_EQ("", store.GetSetting("Corvanta", "mouse", "swap"));
}

TEST(SettingsStore, AValueThatIsNotTextGivesTheDefault) {
  FakeRegistry fake;
  SettingsStore store(fake);
  fake.putDword(kHkeyCurrentUser, settingsKeyPath("Corvanta", "Language"), "lng", 1);
  EXPECT_EQ("English", store.GetSetting("Corvanta", "Language", "lng", "English"));
}

TEST(SettingsStore, SavingThatFailsIsRaisedAndNamesNothingHalfDone) {
  FakeRegistry fake;
  SettingsStore store(fake);
  fake.markReadOnly(kHkeyCurrentUser, settingsKeyPath("Corvanta", "Language"));
  EXPECT_THROW(store.SaveSetting("Corvanta", "Language", "lng", "English"), RegistryError);
  EXPECT_THROW(store.SaveSetting("Corvanta", "", "lng", "English"), RegistryError);
  EXPECT_EQ(0u, fake.openHandles());
}

// Portable, a section is a file of its own: keys match without regard to
// case, a value's line breaks and backslashes come back whole, the other
// keys stay, and a folder that cannot be made is raised.
TEST(SettingsStore, APortableStoreKeepsEachSectionInAFileOfItsOwn) {
  testing::FakeFiles files;
  files.addFolder("D:\\Corvanta");
  SettingsStore store(files, "D:\\Corvanta\\Data\\Settings");
  EXPECT_EQ("none", store.GetSetting("Corvanta", "health", "ignore", "none"));
  const std::string list = "HKEY_LOCAL_MACHINE\\a : b\nC:\\x\\y.lnk\n\\n";
  store.SaveSetting("Corvanta", "health", "ignore", list);
  store.SaveSetting("Corvanta", "health", "review", "1");
  store.SaveSetting("Corvanta", "health", "IGNORE", list + "more");
  EXPECT_EQ(list + "more", store.GetSetting("Corvanta", "health", "ignore"));
  EXPECT_EQ("1", store.GetSetting("corvanta", "health", "Review"));
  EXPECT_EQ("", store.GetSetting("Halvorn utilities", "health", "review"));
  const std::string file =
      files.contents("D:\\Corvanta\\Data\\Settings\\Corvanta\\health.ini");
  EXPECT_EQ(2, std::count(file.begin(), file.end(), '\n'))
      << "one line a setting";
  files.makeUnwritable("D:\\Corvanta\\Data\\Settings\\Other");
  EXPECT_THROW(store.SaveSetting("Other", "s", "k", "v"), RegistryError);
}

}  // namespace
}  // namespace corvanta
