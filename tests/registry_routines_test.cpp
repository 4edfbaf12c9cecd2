#include "registry/registry_routines.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "fakes/fake_system.h"
#include "registry/registry_error.h"

namespace corvanta {
namespace {

using testing::FakeRegistry;
using testing::FakeSystem;
using testing::RegistryOp;

constexpr RegKey kHklm = kHkeyLocalMachine;
constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

class RegistryRoutinesTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(0u, fake.openHandles()) << "a key was left open"; }

  FakeRegistry fake;
  FakeSystem system;
  RegistryRoutines routines{fake, system};
};

TEST_F(RegistryRoutinesTest, PropertiesStartEmptyAndKeepWhatIsSet) {
  EXPECT_EQ(0u, routines.hKey());
  EXPECT_EQ("", routines.KeyRoot());
  EXPECT_EQ("", routines.SubKey());
  routines.setHKey(kHklm);
  routines.setKeyRoot("Software");
  routines.setSubKey("Corvanta");
  EXPECT_EQ(kHklm, routines.hKey());
  EXPECT_EQ("Software", routines.KeyRoot());
  EXPECT_EQ("Corvanta", routines.SubKey());
}

TEST_F(RegistryRoutinesTest, KeyExistsOpensThePropertyKeyForReading) {
  routines.setHKey(kHklm);
  routines.setKeyRoot("Software");
  routines.setSubKey("Corvanta");
  EXPECT_FALSE(routines.KeyExists());
  fake.addKey(kHklm, "SOFTWARE\\corvanta");
  EXPECT_TRUE(routines.KeyExists());
  EXPECT_EQ(kKeyRead, fake.lastOpenAccess());
  fake.failPath(kHklm, "Software\\Corvanta", kErrorAccessDenied);
  EXPECT_FALSE(routines.KeyExists());
}

TEST_F(RegistryRoutinesTest, CreateKeyMakesKeyRootAndTheGivenOrPropertyName) {
  routines.setHKey(kHklm);
  routines.setKeyRoot("Software\\Vendor");
  routines.setSubKey("FromProperty");
  EXPECT_EQ("0", routines.CreateKey());
  EXPECT_TRUE(fake.hasKey(kHklm, "Software\\Vendor\\FromProperty"));
  EXPECT_EQ("0", routines.CreateKey("Named"));
  EXPECT_TRUE(fake.hasKey(kHklm, "Software\\Vendor\\Named"));
  EXPECT_EQ("0", routines.CreateKey("Named")) << "an existing key is simply opened";

  fake.markReadOnly(kHklm, "Software\\Vendor");
  EXPECT_EQ("", routines.CreateKey("Refused"));
  EXPECT_FALSE(fake.hasKey(kHklm, "Software\\Vendor\\Refused"));
}

TEST_F(RegistryRoutinesTest, DeleteKeyRemovesOnlyAChildlessKeyAndAlwaysAnswersZero) {
  routines.setHKey(kHklm);
  routines.setKeyRoot("Software");
  fake.addKey(kHklm, "Software\\Leaf");
  fake.addKey(kHklm, "Software\\Parent\\Child");
  EXPECT_EQ(0, routines.DeleteKey("Leaf"));
  EXPECT_FALSE(fake.hasKey(kHklm, "Software\\Leaf"));
  EXPECT_EQ(0, routines.DeleteKey("Parent"));
  EXPECT_TRUE(fake.hasKey(kHklm, "Software\\Parent\\Child"));
  EXPECT_EQ(0, routines.DeleteKey("Missing"));
}

TEST_F(RegistryRoutinesTest, EnumRegistryKeysListsSubKeysOrEmptyForMissingOrChildlessKeys) {
  fake.addKey(kHklm, std::string(kUninstall) + "\\Beta");
  fake.addKey(kHklm, std::string(kUninstall) + "\\alpha");
  fake.addKey(kHklm, std::string(kUninstall) + "\\{GUID-\xE9}");
  const KeyList keys = routines.EnumRegistryKeys(kHklm, kUninstall);
  ASSERT_EQ(3u, keys.size());
  EXPECT_EQ("alpha", keys[0]);
  EXPECT_EQ("Beta", keys[1]);
  EXPECT_TRUE(keys.contains("{guid-\xC9}"));

  EXPECT_TRUE(routines.EnumRegistryKeys(kHklm, std::string(kUninstall) + "\\Beta").empty());
  EXPECT_TRUE(routines.EnumRegistryKeys(kHklm, "Software\\Missing").empty());
  fake.failPath(kHklm, kUninstall, kErrorAccessDenied);
  EXPECT_TRUE(routines.EnumRegistryKeys(kHklm, kUninstall).empty());
}

TEST_F(RegistryRoutinesTest, EnumRegistryKeysWithoutANameEnumeratesTheRootItself) {
  fake.addKey(kHkeyUsers, ".DEFAULT");
  fake.addKey(kHkeyUsers, "S-1-5-18");
  const KeyList keys = routines.EnumRegistryKeys(kHkeyUsers, "");
  EXPECT_EQ(2u, keys.size());
  EXPECT_EQ(0, fake.calls(RegistryOp::OpenKey));
}

TEST_F(RegistryRoutinesTest, AFailingSubKeyEnumerationIsRaisedAndClosesTheKey) {
  fake.addKey(kHklm, "Software\\A");
  fake.addKey(kHklm, "Software\\B");
  fake.failCall(3, kErrorKeyDeleted);  // open, first sub-key, then the second fails
  try {
    routines.EnumRegistryKeys(kHklm, "Software");
    FAIL() << "expected an error";
  } catch (const RegistryError& error) {
    EXPECT_EQ(kErrorKeyDeleted, error.status());
  }
}

TEST_F(RegistryRoutinesTest, EnumRegistryValuesRendersEveryTypeWithTheDefaultValueFirstNamed) {
  const std::string key = "Software\\Values";
  fake.putString(kHklm, key, "", "default");
  fake.putValue(kHklm, key, "bin", kRegBinary, {0x00, 0x0A, 0xFF});
  fake.putDword(kHklm, key, "dw", 0xFFFFFFFE);
  fake.putValue(kHklm, key, "multi", kRegMultiSz, {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0});
  fake.putValue(kHklm, key, "path", kRegExpandSz,
                {'%', 'S', 'y', 's', 't', 'e', 'm', 'R', 'o', 'o', 't', '%', 0});
  fake.putValue(kHklm, key, "empty", kRegSz, {});
  fake.putValue(kHklm, key, "terminator only", kRegSz, {0});
  fake.putValue(kHklm, key, "odd", 11, {1, 0, 0, 0, 0, 0, 0, 0});

  const ValueList values = routines.EnumRegistryValues(kHklm, key);
  ASSERT_EQ(8u, values.size());
  EXPECT_EQ("", values[0][0]);
  EXPECT_EQ("default", values[0][1]);
  EXPECT_EQ("00 0A FF", values.find("bin")->data);
  EXPECT_EQ("-2", values.find("DW")->data);
  EXPECT_EQ("one,two", values.find("multi")->data);
  EXPECT_EQ("C:\\WINDOWS", values.find("path")->data);
  EXPECT_EQ("", values.find("empty")->data);
  EXPECT_EQ("", values.find("terminator only")->data);
  EXPECT_EQ("", values.find("odd")->data);
}

TEST_F(RegistryRoutinesTest, EnumRegistryValuesOfAKeyWithOnlyItsDefaultValue) {
  fake.putString(kHkeyClassesRoot, "txtfile", "", "Text Document");
  const ValueList values = routines.EnumRegistryValues(kHkeyClassesRoot, "txtfile");
  ASSERT_EQ(1u, values.size());
  EXPECT_EQ("", values[0][0]);
  EXPECT_EQ("Text Document", values[0][1]);
}

TEST_F(RegistryRoutinesTest, EnumRegistryValuesIsEmptyForMissingOrUnopenableKeys) {
  EXPECT_TRUE(routines.EnumRegistryValues(kHklm, "Software\\Missing").empty());
  fake.putDword(kHklm, "Software\\Denied", "v", 1);
  fake.failPath(kHklm, "Software\\Denied", kErrorAccessDenied);
  EXPECT_TRUE(routines.EnumRegistryValues(kHklm, "Software\\Denied").empty());
}

TEST_F(RegistryRoutinesTest, AValueOverFourKilobytesIsReadWholeWithExactlyOneExtraRead) {
  Bytes big(5000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i);
  fake.putValue(kHklm, "Software\\Big", "blob", kRegBinary, big);
  fake.putDword(kHklm, "Software\\Big", "after", 7);

  const ValueList values = routines.EnumRegistryValues(kHklm, "Software\\Big");
  ASSERT_EQ(2u, values.size());
  EXPECT_EQ(5000u * 3 - 1, values.find("blob")->data.size());
  EXPECT_EQ("00 01 02", values.find("blob")->data.substr(0, 8));
  EXPECT_EQ("7", values.find("after")->data);
  // blob: short buffer, then the whole value; after: once; then no more items.
  EXPECT_EQ(4, fake.calls(RegistryOp::EnumValue));
}

TEST_F(RegistryRoutinesTest, ABinaryValueOverThirtyTwoKilobytesIsRenderedInFull) {
  fake.putValue(kHklm, "Software\\Huge", "blob", kRegBinary, Bytes(40000, 0xAB));
  const ValueList values = routines.EnumRegistryValues(kHklm, "Software\\Huge");
  ASSERT_EQ(1u, values.size());
  EXPECT_EQ(40000u * 3 - 1, values[0][1].size());
}

TEST_F(RegistryRoutinesTest, AValueThatChangesTypeBetweenReadsIsRenderedByItsNewType) {
  fake.putValue(kHklm, "Software\\Racy", "v", kRegBinary, Bytes(5000, 1));
  fake.putDword(kHklm, "Software\\Racy", "w", 3);
  fake.beforeCall = [&](RegistryOp op) {
    if (op == RegistryOp::EnumValue && fake.calls(RegistryOp::EnumValue) == 2) {
      fake.putValue(kHklm, "Software\\Racy", "v", kRegSz, Bytes(6000, 'x'));
    }
  };
  const ValueList values = routines.EnumRegistryValues(kHklm, "Software\\Racy");
  ASSERT_EQ(2u, values.size());
  EXPECT_EQ(std::string(6000, 'x'), values.find("v")->data);
  EXPECT_EQ("3", values.find("w")->data);
}

TEST_F(RegistryRoutinesTest, AValueNameLongerThanTheUsualBufferDoesNotEndTheEnumeration) {
  const std::string longName(300, 'n');
  fake.putDword(kHklm, "Software\\Names", longName, 1);
  fake.putDword(kHklm, "Software\\Names", "short", 2);
  const ValueList values = routines.EnumRegistryValues(kHklm, "Software\\Names");
  ASSERT_EQ(2u, values.size());
  EXPECT_EQ(longName, values[0][0]);
  EXPECT_EQ("2", values.find("short")->data);
}

TEST_F(RegistryRoutinesTest, NamesAndDataOutsideAsciiComeBackByteForByte) {
  fake.putString(kHklm, "Software\\Café", "Łódź",
                 "Ж 日本 😀");
  const ValueList values = routines.EnumRegistryValues(kHklm, "SOFTWARE\\CAFÉ");
  ASSERT_EQ(1u, values.size());
  EXPECT_EQ("Łódź", values[0][0]);
  EXPECT_EQ("Ж 日本 😀", values[0][1]);
}

TEST_F(RegistryRoutinesTest, AKeyWithTenThousandValuesIsEnumeratedWhole) {
  for (int i = 0; i < 10000; ++i) {
    fake.putDword(kHklm, "Software\\Many", "v" + std::to_string(i), static_cast<std::uint32_t>(i));
  }
  const ValueList values = routines.EnumRegistryValues(kHklm, "Software\\Many");
  ASSERT_EQ(10000u, values.size());
  EXPECT_EQ("9999", values.find("v9999")->data);
  EXPECT_EQ("v0", values[0][0]);
  EXPECT_EQ(10001, fake.calls(RegistryOp::EnumValue));
}

TEST_F(RegistryRoutinesTest, SetRegistryValueWritesEachTypeIntoThePropertyKey) {
  routines.setHKey(kHkeyCurrentUser);
  routines.setKeyRoot("Software");
  routines.setSubKey("Corvanta");
  fake.addKey(kHkeyCurrentUser, "Software\\Corvanta");

  EXPECT_TRUE(routines.SetRegistryValue("sz", std::string("abc"), kRegSz));
  EXPECT_EQ(Bytes({'a', 'b', 'c'}), fake.value(kHkeyCurrentUser, "Software\\Corvanta", "sz")->data);
  EXPECT_TRUE(routines.SetRegistryValue("dw", std::int64_t{-2}, kRegDword));
  EXPECT_EQ(Bytes({0xFE, 0xFF, 0xFF, 0xFF}),
            fake.value(kHkeyCurrentUser, "Software\\Corvanta", "dw")->data);
  EXPECT_TRUE(routines.SetRegistryValue("bin", Bytes{1, 2, 3}, kRegBinary));
  EXPECT_EQ(kRegBinary, fake.value(kHkeyCurrentUser, "Software\\Corvanta", "bin")->type);
  EXPECT_TRUE(routines.SetRegistryValue("multi", std::string("a\0b", 3), kRegMultiSz));
  EXPECT_EQ(kKeyWrite, fake.lastOpenAccess());

  // Read back through the enumeration, as the health checks would.
  const ValueList values = routines.EnumRegistryValues(kHkeyCurrentUser, "Software\\Corvanta");
  EXPECT_EQ("abc", values.find("sz")->data);
  EXPECT_EQ("a,b", values.find("multi")->data);
}

TEST_F(RegistryRoutinesTest, SetRegistryValueRefusesWhatItCannotWriteAndWritesNothing) {
  routines.setHKey(kHkeyCurrentUser);
  routines.setKeyRoot("Software");
  routines.setSubKey("Missing");
  EXPECT_FALSE(routines.SetRegistryValue("v", std::string("x"), kRegSz));
  EXPECT_FALSE(fake.hasKey(kHkeyCurrentUser, "Software\\Missing"));

  routines.setSubKey("Present");
  fake.addKey(kHkeyCurrentUser, "Software\\Present");
  EXPECT_FALSE(routines.SetRegistryValue("v", std::string("x"), 11));
  EXPECT_FALSE(routines.SetRegistryValue("v", std::string("not a number"), kRegDword));
  EXPECT_FALSE(routines.SetRegistryValue("v", std::string("text"), kRegBinary));
  EXPECT_EQ(0u, fake.valueCount(kHkeyCurrentUser, "Software\\Present"));

  fake.failPath(kHkeyCurrentUser, "Software\\Present", kErrorAccessDenied);
  EXPECT_FALSE(routines.SetRegistryValue("v", std::string("x"), kRegSz));
}

TEST_F(RegistryRoutinesTest, WriteRemoteRegistryValueWritesThroughAConnectionAndClosesIt) {
  fake.addKey(kHklm, "Software\\Remote");
  routines.setKeyRoot("Software");
  routines.setSubKey("Remote");
  EXPECT_TRUE(routines.WriteRemoteRegistryValue("", kHklm, "v", std::int64_t{5}, kRegDword));
  EXPECT_EQ(5, fake.value(kHklm, "Software\\Remote", "v")->data[0]);

  fake.addKey(kHklm, "Software\\Other");
  EXPECT_TRUE(routines.WriteRemoteRegistryValue("\\\\CORVANTA-TEST", kHklm, "w", std::string("x"),
                                                kRegSz, "Software\\Other"));
  EXPECT_TRUE(fake.value(kHklm, "Software\\Other", "w").has_value());
  EXPECT_EQ(kKeyAllAccess, fake.lastOpenAccess());
}

TEST_F(RegistryRoutinesTest, WriteRemoteRegistryValueFailsForUnknownHostsAndMissingKeys) {
  fake.addKey(kHklm, "Software\\Remote");
  EXPECT_FALSE(routines.WriteRemoteRegistryValue("\\\\elsewhere", kHklm, "v", std::int64_t{1},
                                                 kRegDword, "Software\\Remote"));
  EXPECT_FALSE(routines.WriteRemoteRegistryValue("", kHklm, "v", std::int64_t{1}, kRegDword,
                                                 "Software\\Missing"));
  EXPECT_FALSE(fake.hasKey(kHklm, "Software\\Missing"));
  EXPECT_EQ(0u, fake.valueCount(kHklm, "Software\\Remote"));
}

TEST_F(RegistryRoutinesTest, EmptyKeyRootOrSubKeyAddsNoStraySeparator) {
  fake.addKey(kHkeyCurrentUser, "Software");
  routines.setHKey(kHkeyCurrentUser);
  routines.setSubKey("Software");
  EXPECT_TRUE(routines.KeyExists());
  EXPECT_EQ("Software\\x", joinKeyPath("Software", "x"));
  EXPECT_EQ("x", joinKeyPath("", "x"));
  EXPECT_EQ("Software", joinKeyPath("Software", ""));
}

TEST_F(RegistryRoutinesTest, TrimNullCutsAtTheFirstZeroInPlace) {
  std::string item("abc\0def", 7);
  EXPECT_EQ("abc", RegistryRoutines::TrimNull(item));
  EXPECT_EQ("abc", item);
}

}  // namespace
}  // namespace corvanta
