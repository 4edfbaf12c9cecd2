#include "registry/script_shell.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "fakes/fake_shortcuts.h"
#include "registry/registry_error.h"

namespace corvanta {
namespace {

using testing::FakeRegistry;
using testing::FakeShortcuts;

constexpr const char* kPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

class ScriptShellTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(0u, fake.openHandles()); }

  FakeRegistry fake;
  FakeShortcuts shortcuts;
  ScriptShell shell{fake, shortcuts};
};

TEST(ParseShellPath, KnowsEveryRootSpellingWithoutRegardToCase) {
  const std::pair<const char*, RegKey> cases[] = {
      {"HKCU", kHkeyCurrentUser},
      {"hkey_current_user", kHkeyCurrentUser},
      {"HKLM", kHkeyLocalMachine},
      {"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},
      {"hkcr", kHkeyClassesRoot},
      {"HKEY_CLASSES_ROOT", kHkeyClassesRoot},
      {"HKU", kHkeyUsers},
      {"HKEY_USERS", kHkeyUsers},
      {"HKEY_CURRENT_CONFIG", kHkeyCurrentConfig},
  };
  for (const auto& [root, handle] : cases) {
    const auto parsed = parseShellPath(std::string(root) + "\\Key\\Sub\\Value");
    ASSERT_TRUE(parsed) << root;
    EXPECT_EQ(handle, parsed->root) << root;
    EXPECT_EQ("Key\\Sub", parsed->key);
    EXPECT_EQ("Value", parsed->valueName);
  }
  for (const char* bad : {"", "HKCU", "HKEY_DYN_DATA\\x", "HKCC\\x", "\\Software\\x", "HKCUX\\a"}) {
    EXPECT_FALSE(parseShellPath(bad)) << bad;
  }
}

TEST(ParseShellPath, ATrailingBackslashNamesTheDefaultValue) {
  const auto parsed = parseShellPath(
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\View Source Editor\\Editor "
      "Name\\");
  ASSERT_TRUE(parsed);
  EXPECT_EQ("SOFTWARE\\Microsoft\\Internet Explorer\\View Source Editor\\Editor Name", parsed->key);
  EXPECT_EQ("", parsed->valueName);
  const auto root = parseShellPath("HKCU\\");
  ASSERT_TRUE(root);
  EXPECT_EQ("", root->key);
  EXPECT_EQ("", root->valueName);
}

TEST_F(ScriptShellTest, RegReadGivesTextForStringsAndNumbersForDwords) {
  fake.putString(kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay", "400");
  fake.putDword(kHkeyCurrentUser, kPolicies, "NoRun", 1);
  fake.putString(kHkeyLocalMachine, "Software\\Editor", "", "notepad.exe");
  const ShellValue delay = shell.RegRead("HKCU\\Control Panel\\Desktop\\MenuShowDelay");
  EXPECT_EQ("400", delay.toText());
  EXPECT_EQ(400, delay.toInt32());
  const ShellValue noRun = shell.RegRead(std::string("HKCU\\") + kPolicies + "\\NoRun");
  EXPECT_EQ(std::int32_t{1}, std::get<std::int32_t>(noRun.value()));
  EXPECT_EQ(1, noRun.toInt16());
  EXPECT_EQ("notepad.exe", shell.RegRead("HKLM\\Software\\Editor\\").toText());
}

TEST_F(ScriptShellTest, RegReadRaisesForMissingKeysValuesAndUnknownRoots) {
  fake.addKey(kHkeyCurrentUser, "Software\\Empty");
  for (const char* path : {"HKCU\\Software\\Missing\\v", "HKCU\\Software\\Empty\\v",
                           "HKCU\\Software\\Empty\\", "HKXX\\Software\\v", ""}) {
    EXPECT_THROW(shell.RegRead(path), RegistryError) << path;
  }
  try {
    shell.RegRead("HKCU\\Software\\Empty\\v");
  } catch (const RegistryError& error) {
    EXPECT_EQ(kErrorFileNotFound, error.status());
  }
}

TEST_F(ScriptShellTest, RegReadGivesBinaryAndStringListsAsTheirParts) {
  fake.putValue(kHkeyCurrentUser, "K", "bin", kRegBinary, {1, 2});
  fake.putValue(kHkeyCurrentUser, "K", "multi", kRegMultiSz, {'a', 0, 'b', 0, 0});
  EXPECT_EQ(Bytes({1, 2}), std::get<Bytes>(shell.RegRead("HKCU\\K\\bin").value()));
  EXPECT_EQ((std::vector<std::string>{"a", "b"}),
            std::get<std::vector<std::string>>(shell.RegRead("HKCU\\K\\multi").value()));
  EXPECT_THROW(shell.RegRead("HKCU\\K\\bin").toText(), ConversionError);
}

TEST_F(ScriptShellTest, RegWriteStoresTextAndNumbersAsTerminatedStringsCreatingKeys) {
  shell.RegWrite("HKCU\\Control Panel\\Desktop\\MenuShowDelay", std::int64_t{100});
  shell.RegWrite("HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop\\Title", std::string("caf\xE9"));
  const auto delay = fake.value(kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay");
  ASSERT_TRUE(delay);
  EXPECT_EQ(kRegSz, delay->type);
  EXPECT_EQ(Bytes({'1', '0', '0', 0}), delay->data);
  EXPECT_EQ("caf\xE9", shell.RegRead("HKU\\.DEFAULT\\Control Panel\\Desktop\\Title").toText());

  shell.RegWrite("HKLM\\Software\\Editor\\", std::string("notepad.exe"));
  EXPECT_TRUE(fake.value(kHkeyLocalMachine, "Software\\Editor", ""));
}

TEST_F(ScriptShellTest, RegWriteWithATypeStoresDwordsAndExpandableStrings) {
  const std::string noRun = std::string("HKCU\\") + kPolicies + "\\NoRun";
  shell.RegWrite(noRun, std::int64_t{1}, "REG_DWORD");
  EXPECT_EQ(Bytes({1, 0, 0, 0}), fake.value(kHkeyCurrentUser, kPolicies, "NoRun")->data);
  shell.RegWrite(noRun, std::string("0"), "reg_dword");
  EXPECT_EQ(0, shell.RegRead(noRun).toInt16());
  shell.RegWrite("HKCU\\K\\path", std::string("%TEMP%"), "REG_EXPAND_SZ");
  EXPECT_EQ(kRegExpandSz, fake.value(kHkeyCurrentUser, "K", "path")->type);
}

TEST_F(ScriptShellTest, AWriteThatCannotBePlacedOrConvertedTouchesNothing) {
  EXPECT_THROW(shell.RegWrite("", std::int64_t{1}), RegistryError);
  EXPECT_THROW(shell.RegWrite("HKXX\\Software\\K\\v", std::int64_t{1}), RegistryError);
  EXPECT_THROW(shell.RegWrite("HKCU\\Software\\K\\v", std::int64_t{1}, "REG_QWORD"), RegistryError);
  EXPECT_THROW(shell.RegWrite("HKCU\\Software\\K\\v", std::string("abc"), "REG_DWORD"),
               ConversionError);
  EXPECT_FALSE(fake.hasKey(kHkeyCurrentUser, "Software\\K"));
  EXPECT_EQ(0, fake.totalCalls());

  fake.markReadOnly(kHkeyCurrentUser, "Software\\Locked");
  try {
    shell.RegWrite("HKCU\\Software\\Locked\\v", std::int64_t{1}, "REG_DWORD");
    FAIL() << "expected an error";
  } catch (const RegistryError& error) {
    EXPECT_EQ(kErrorAccessDenied, error.status());
  }
  EXPECT_EQ(0u, fake.valueCount(kHkeyCurrentUser, "Software\\Locked"));
}

TEST(ShellValue, ConvertsLikeTheControlsTakeIt) {
  EXPECT_EQ(12, ShellValue(std::string(" 12 ")).toInt16());
  EXPECT_EQ(2, ShellValue(std::string("2.5")).toInt16());  // half to even
  EXPECT_EQ(4, ShellValue(std::string("3.5")).toInt16());
  EXPECT_EQ(-7, ShellValue(std::int32_t{-7}).toInt32());
  EXPECT_EQ("-7", ShellValue(std::int32_t{-7}).toText());
  EXPECT_THROW(ShellValue(std::string("")).toInt16(), ConversionError);
  EXPECT_THROW(ShellValue(std::string("abc")).toInt16(), ConversionError);
  EXPECT_THROW(ShellValue(std::int32_t{40000}).toInt16(), ConversionError);
  EXPECT_THROW(ShellValue(std::string("3000000000")).toInt32(), ConversionError);
}

TEST_F(ScriptShellTest, CreateShortcutReadsTheTargetAndSaysWhenItCouldNot) {
  shortcuts.put("C:\\Desk\\App.lnk", "C:\\Apps\\app.exe");
  shortcuts.corrupt.insert(foldCase("C:\\Desk\\Broken.lnk"));
  const Shortcut good = shell.CreateShortcut("C:\\Desk\\app.LNK");
  EXPECT_EQ(kSOk, good.loadStatus());
  EXPECT_EQ("C:\\Apps\\app.exe", good.TargetPath());

  const Shortcut broken = shell.CreateShortcut("C:\\Desk\\Broken.lnk");
  EXPECT_EQ(kEFail, broken.loadStatus());
  EXPECT_EQ("", broken.TargetPath());

  Shortcut fresh = shell.CreateShortcut("C:\\Desk\\New.lnk");
  EXPECT_EQ(kEFileNotFound, fresh.loadStatus());
  fresh.setTargetPath("C:\\Apps\\new.exe");
  fresh.Save();
  EXPECT_EQ("C:\\Apps\\new.exe", shell.CreateShortcut("C:\\Desk\\New.lnk").TargetPath());
}

}  // namespace
}  // namespace corvanta
