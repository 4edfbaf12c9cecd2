// The contract run against the real registry (Windows' own, or Wine's), in a
// scratch key below HKEY_CURRENT_USER that is removed afterwards.
#include <windows.h>

#include "contract/registry_contract.h"
#include "platform/win32/registry_win32.h"

namespace corvanta::testing {
namespace {

constexpr const char* kScratchParent = "Software\\Corvanta Contract";

class RealContractRegistry final : public ContractRegistry {
 public:
  RealContractRegistry() {
    scratch = std::string(kScratchParent) + "\\" + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
      RegCloseKey(key);
    }
  }
  ~RealContractRegistry() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);  // only if no other run is using it
  }
  RegistryPort& port() override { return registry_; }

 private:
  Win32Registry registry_;
};

INSTANTIATE_TEST_SUITE_P(
    Real, RegistryContract,
    ::testing::Values(ContractTarget{
        "Win32", [] { return std::unique_ptr<ContractRegistry>(new RealContractRegistry()); }}),
    contractTargetName);

}  // namespace
}  // namespace corvanta::testing

namespace corvanta::testing {
namespace {

// On a 64-bit system HKLM\Software has two views; the port passes the view
// flags through, so a program of either build can look at both.
TEST(RegistryViews, TheThirtyTwoBitViewIsTheWow6432NodeKeyOfTheSixtyFourBitView) {
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (sizeof(void*) == 4 && !wow64) GTEST_SKIP() << "a 32-bit system has one view";
  Win32Registry registry;
  const std::string name = "Corvanta View Test " + std::to_string(GetCurrentProcessId());
  const auto make = [&](std::uint32_t view, const std::string& path) {
    RegKey key = 0;
    EXPECT_EQ(kErrorSuccess, registry.createKeyEx(kHkeyLocalMachine, path, "", 0,
                                                  kKeyAllAccess | view, key, nullptr));
    registry.closeKey(key);
  };
  const auto found = [&](std::uint32_t view, const std::string& path) {
    RegKey key = 0;
    const long status = registry.openKeyEx(kHkeyLocalMachine, path, kKeyRead | view, key);
    if (status == kErrorSuccess) registry.closeKey(key);
    return status == kErrorSuccess;
  };
  make(kKeyWow64_32Key, "Software\\" + name + " 32");
  make(kKeyWow64_64Key, "Software\\" + name + " 64");

  EXPECT_TRUE(found(kKeyWow64_64Key, "Software\\Wow6432Node\\" + name + " 32"));
  EXPECT_FALSE(found(kKeyWow64_64Key, "Software\\Wow6432Node\\" + name + " 64"));
  EXPECT_FALSE(found(kKeyWow64_32Key, "Software\\" + name + " 64"));

  for (const auto* suffix : {" 32", " 64"}) {
    const REGSAM view = suffix[1] == '3' ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, ("Software\\" + name + suffix).c_str(), view, 0);
  }
}

}  // namespace
}  // namespace corvanta::testing
