#include "registry/registry_helpers.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shortcuts.h"
#include "registry/script_shell.h"

namespace corvanta {
namespace {

using testing::FakeDialogs;
using testing::FakeRegistry;
using testing::FakeShortcuts;

constexpr RegKey kHkcu = kHkeyCurrentUser;

class RegistryHelpersTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(0u, fake.openHandles()); }

  FakeRegistry fake;
  FakeDialogs dialogs;
  FakeShortcuts shortcuts;
};

TEST_F(RegistryHelpersTest, DeleteRegistryKeyAnswersThePlatformStatus) {
  fake.addKey(kHkcu, "Software\\Leaf");
  fake.addKey(kHkcu, "Software\\Parent\\Child");
  EXPECT_EQ(kErrorSuccess, DeleteRegistryKey(fake, kHkcu, "Software\\Leaf"));
  EXPECT_FALSE(fake.hasKey(kHkcu, "Software\\Leaf"));
  EXPECT_EQ(kErrorAccessDenied, DeleteRegistryKey(fake, kHkcu, "Software\\Parent"));
  EXPECT_TRUE(fake.hasKey(kHkcu, "Software\\Parent\\Child"));
  EXPECT_EQ(kErrorFileNotFound, DeleteRegistryKey(fake, kHkcu, "Software\\Missing"));
}

TEST_F(RegistryHelpersTest, DeleteRegistryValueOpensWithValueRightsOnlyAndDeletesOneValue) {
  fake.putDword(kHkcu, "Software\\K", "drop", 1);
  fake.putDword(kHkcu, "Software\\K", "keep", 2);
  EXPECT_EQ(kErrorSuccess, DeleteRegistryValue(fake, kHkcu, "Software\\K", "drop"));
  EXPECT_EQ(0x3Fu, fake.lastOpenAccess());
  EXPECT_FALSE(fake.value(kHkcu, "Software\\K", "drop"));
  EXPECT_TRUE(fake.value(kHkcu, "Software\\K", "keep"));
  EXPECT_EQ(kErrorFileNotFound, DeleteRegistryValue(fake, kHkcu, "Software\\K", "drop"));
}

TEST_F(RegistryHelpersTest, DeleteRegistryValueOnAMissingKeyAnswersTheOpenAndDeletesNothing) {
  EXPECT_EQ(kErrorFileNotFound, DeleteRegistryValue(fake, kHkcu, "Software\\Missing", "v"));
  EXPECT_EQ(0, fake.calls(testing::RegistryOp::DeleteValue));
  fake.putDword(kHkcu, "Software\\Locked", "v", 1);
  fake.markReadOnly(kHkcu, "Software\\Locked");
  EXPECT_EQ(kErrorAccessDenied, DeleteRegistryValue(fake, kHkcu, "Software\\Locked", "v"));
  EXPECT_TRUE(fake.value(kHkcu, "Software\\Locked", "v"));
}

TEST_F(RegistryHelpersTest, CreateSubKeyJoinsANonBlankNameAndIgnoresABlankOne) {
  const std::string typed = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
  EXPECT_EQ(kErrorSuccess,
            CreateSubKey(fake, dialogs, kHkcu, "Software\\Microsoft", "Internet Explorer"));
  EXPECT_TRUE(fake.hasKey(kHkcu, "Software\\Microsoft\\Internet Explorer"));
  EXPECT_EQ(kErrorSuccess, CreateSubKey(fake, dialogs, kHkcu, typed, "   "));
  EXPECT_TRUE(fake.hasKey(kHkcu, typed));
  EXPECT_FALSE(fake.hasKey(kHkcu, typed + "\\   "));
  EXPECT_EQ(kErrorSuccess, CreateSubKey(fake, dialogs, kHkcu, typed, ""));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RegistryHelpersTest, CreateSubKeyReportsAFailingCreateOnlyThroughItsStatus) {
  fake.markReadOnly(kHkcu, "Software\\Locked");
  EXPECT_EQ(kErrorAccessDenied, CreateSubKey(fake, dialogs, kHkcu, "Software\\Locked", "New"));
  EXPECT_TRUE(dialogs.shown.empty());
}

// A registry whose create call raises, as a run-time error would.
class ThrowingRegistry final : public RegistryPort {
 public:
  long openKeyEx(RegKey, const std::string&, std::uint32_t, RegKey&) override { return 2; }
  long createKey(RegKey, const std::string&, RegKey&) override {
    throw std::runtime_error("Out of memory");
  }
  long createKeyEx(RegKey, const std::string&, const std::string&, std::uint32_t, std::uint32_t,
                   RegKey&, std::uint32_t*) override {
    return 2;
  }
  long enumKeyEx(RegKey, std::uint32_t, char*, std::uint32_t&) override { return 259; }
  long enumValue(RegKey, std::uint32_t, char*, std::uint32_t&, std::uint32_t*, std::uint8_t*,
                 std::uint32_t*) override {
    return 259;
  }
  long queryValueEx(RegKey, const std::string&, std::uint32_t*, std::uint8_t*,
                    std::uint32_t*) override {
    return 2;
  }
  long setValueEx(RegKey, const std::string&, std::uint32_t, const std::uint8_t*,
                  std::uint32_t) override {
    return 5;
  }
  long deleteKey(RegKey, const std::string&) override { return 2; }
  long deleteKeyEx(RegKey, const std::string&, std::uint32_t) override { return 2; }
  long deleteValue(RegKey, const std::string&) override { return 2; }
  long connectRegistry(const std::string&, RegKey, RegKey&) override { return 53; }
  long closeKey(RegKey) override { return 0; }
};

TEST_F(RegistryHelpersTest, CreateSubKeyShowsARunTimeErrorAndAnswersOne) {
  ThrowingRegistry throwing;
  EXPECT_EQ(1, CreateSubKey(throwing, dialogs, kHkcu, "Software", "X"));
  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ("Cannot Create Sub Key !!\r\nOut of memory", dialogs.shown[0].text);
  EXPECT_EQ(kMbIconError, dialogs.shown[0].flags & kMbIconError);
}

TEST_F(RegistryHelpersTest, ReadShellRegistryValueGivesTextOrError) {
  ScriptShell shell(fake, shortcuts);
  fake.putString(kHkcu, "Control Panel\\Desktop", "MenuShowDelay", "400");
  fake.putDword(kHkcu, "Control Panel\\Desktop", "Flag", 1);
  fake.putString(kHkcu, "Control Panel\\Desktop", "Blank", "");
  EXPECT_EQ("400", ReadShellRegistryValue(shell, "HKCU\\Control Panel\\Desktop\\MenuShowDelay"));
  EXPECT_EQ("1", ReadShellRegistryValue(shell, "HKEY_CURRENT_USER\\Control Panel\\Desktop\\Flag"));
  EXPECT_EQ("Error", ReadShellRegistryValue(shell, "HKCU\\Control Panel\\Desktop\\Blank"));
  EXPECT_EQ("Error", ReadShellRegistryValue(shell, "HKCU\\Control Panel\\Desktop\\Missing"));
  EXPECT_EQ("Error", ReadShellRegistryValue(shell, "HKXX\\Control Panel\\Desktop\\Flag"));
  EXPECT_EQ("Error", ReadShellRegistryValue(shell, ""));
}

}  // namespace
}  // namespace corvanta
