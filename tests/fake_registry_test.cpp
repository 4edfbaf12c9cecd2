// What the in-memory registry adds beyond the shared contract: Windows'
// enumeration order, read-only keys, and the fault injection tests lean on.
#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

namespace corvanta::testing {
namespace {

constexpr RegKey kRoot = kHkeyCurrentUser;

TEST(FakeRegistry, EnumeratesKeysInNameOrderAndValuesInCreationOrder) {
  FakeRegistry fake;
  fake.addKey(kRoot, "K\\b");
  fake.addKey(kRoot, "K\\A");
  fake.putDword(kRoot, "K", "z", 1);
  fake.putDword(kRoot, "K", "a", 2);
  RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, fake.openKeyEx(kRoot, "K", kKeyRead, key));
  char name[260];
  std::uint32_t length = sizeof name;
  ASSERT_EQ(kErrorSuccess, fake.enumKeyEx(key, 0, name, length));
  EXPECT_STREQ("A", name);
  length = sizeof name;
  ASSERT_EQ(kErrorSuccess, fake.enumValue(key, 0, name, length, nullptr, nullptr, nullptr));
  EXPECT_STREQ("z", name);
  fake.closeKey(key);
}

TEST(FakeRegistry, AReadOnlyKeyCanBeReadButNotChanged) {
  FakeRegistry fake;
  fake.putDword(kRoot, "Locked", "v", 1);
  fake.markReadOnly(kRoot, "Locked");
  RegKey key = 0;
  EXPECT_EQ(kErrorAccessDenied, fake.openKeyEx(kRoot, "Locked", kKeyWrite, key));
  EXPECT_EQ(kErrorAccessDenied, fake.openKeyEx(kRoot, "Locked", 0x3F, key));
  EXPECT_EQ(kErrorAccessDenied,
            fake.createKeyEx(kRoot, "Locked", "", 0, kKeyAllAccess, key, nullptr));
  EXPECT_EQ(kErrorAccessDenied,
            fake.createKeyEx(kRoot, "Locked\\New", "", 0, kKeyAllAccess, key, nullptr));
  EXPECT_EQ(kErrorAccessDenied, fake.deleteKey(kRoot, "Locked"));

  // RegCreateKeyA settles for the rights it can have.
  ASSERT_EQ(kErrorSuccess, fake.createKey(kRoot, "Locked", key));
  const std::uint8_t two[4] = {2, 0, 0, 0};
  EXPECT_EQ(kErrorAccessDenied, fake.setValueEx(key, "v", kRegDword, two, 4));
  fake.closeKey(key);
  EXPECT_EQ(1, fake.value(kRoot, "Locked", "v")->data[0]);
  EXPECT_FALSE(fake.hasKey(kRoot, "Locked\\New"));
}

TEST(FakeRegistry, CreatingBelowAHandleNeedsTheRightToCreate) {
  FakeRegistry fake;
  fake.addKey(kRoot, "K\\Existing");
  RegKey reading = 0;
  ASSERT_EQ(kErrorSuccess, fake.openKeyEx(kRoot, "K", kKeyRead, reading));
  RegKey key = 0;
  EXPECT_EQ(kErrorAccessDenied, fake.createKeyEx(reading, "New", "", 0, kKeyRead, key, nullptr));
  ASSERT_EQ(kErrorSuccess, fake.createKeyEx(reading, "Existing", "", 0, kKeyRead, key, nullptr));
  fake.closeKey(key);
  fake.closeKey(reading);
  EXPECT_EQ(0u, fake.openHandles());
}

TEST(FakeRegistry, TheNthCallFailsOnceWithTheChosenStatus) {
  FakeRegistry fake;
  fake.addKey(kRoot, "K");
  fake.failCall(2, kErrorAccessDenied);
  RegKey key = 0;
  EXPECT_EQ(kErrorSuccess, fake.openKeyEx(kRoot, "K", kKeyRead, key));
  EXPECT_EQ(kErrorAccessDenied, fake.closeKey(key));
  EXPECT_EQ(kErrorSuccess, fake.closeKey(key));
  EXPECT_EQ(3, fake.totalCalls());
  EXPECT_EQ(2, fake.calls(RegistryOp::CloseKey));
}

TEST(FakeRegistry, APathFaultHitsTheKeyAndEverythingBelowIt) {
  FakeRegistry fake;
  fake.addKey(kRoot, "Software\\Bad\\Child");
  fake.addKey(kRoot, "Software\\Badly");
  fake.failPath(kRoot, "software\\BAD", kErrorAccessDenied);
  RegKey key = 0;
  EXPECT_EQ(kErrorAccessDenied, fake.openKeyEx(kRoot, "Software\\Bad", kKeyRead, key));
  EXPECT_EQ(kErrorAccessDenied, fake.openKeyEx(kRoot, "Software\\Bad\\Child", kKeyRead, key));
  EXPECT_EQ(kErrorAccessDenied, fake.deleteKey(kRoot, "Software\\Bad\\Child"));
  ASSERT_EQ(kErrorSuccess, fake.openKeyEx(kRoot, "Software", kKeyRead, key));
  RegKey bad = 0;
  EXPECT_EQ(kErrorAccessDenied, fake.openKeyEx(key, "Bad", kKeyRead, bad));
  EXPECT_EQ(kErrorSuccess, fake.closeKey(key));
  ASSERT_EQ(kErrorSuccess, fake.openKeyEx(kRoot, "Software\\Badly", kKeyRead, key));
  fake.closeKey(key);
  fake.clearFaults();
  ASSERT_EQ(kErrorSuccess, fake.openKeyEx(kRoot, "Software\\Bad", kKeyRead, key));
  fake.closeKey(key);
}

TEST(FakeRegistry, TheHookRunsBeforeEachCallAndMayChangeTheRegistry) {
  FakeRegistry fake;
  fake.addKey(kRoot, "K");
  fake.beforeCall = [&](RegistryOp op) {
    if (op == RegistryOp::OpenKey) fake.addKey(kRoot, "K\\Late");
  };
  RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, fake.openKeyEx(kRoot, "K\\Late", kKeyRead, key));
  fake.closeKey(key);
}

}  // namespace
}  // namespace corvanta::testing
