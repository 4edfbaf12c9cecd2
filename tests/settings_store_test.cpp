#include "registry/settings_store.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvanta
