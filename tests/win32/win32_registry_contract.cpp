// The contract run against the real registry (Windows' own, or Wine's), in a
// scratch key below HKEY_CURRENT_USER that is removed afterwards.
#include <windows.h>

#include "contract/registry_contract.h"
#include "fakes/fake_registry.h"
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

// On a 64-bit system HKLM\SOFTWARE has two views. The same script of view
// operations, run against the real registry and against the fake set up as
// this program runs (a 32-bit program under WOW64, or a 64-bit one), reads
// the same: one line per read, the value found or "missing".
std::vector<std::string> viewScript(RegistryPort& registry, const std::string& name) {
  const std::string path = "SOFTWARE\\" + name;
  const auto make = [&](std::uint32_t view, const std::string& text) {
    RegKey key = 0;
    EXPECT_EQ(kErrorSuccess,
              registry.createKeyEx(kHkeyLocalMachine, path, "", 0, kKeyAllAccess | view, key, nullptr));
    registry.setValueEx(key, "v", kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                        static_cast<std::uint32_t>(text.size() + 1));
    registry.closeKey(key);
  };
  const auto read = [&](RegKey from, const std::string& below, std::uint32_t view) {
    RegKey key = 0;
    if (registry.openKeyEx(from, below, kKeyRead | view, key) != kErrorSuccess) return std::string("missing");
    char text[16] = {};
    std::uint32_t length = sizeof text - 1;
    registry.queryValueEx(key, "v", nullptr, reinterpret_cast<std::uint8_t*>(text), &length);
    registry.closeKey(key);
    return std::string(text);
  };
  std::vector<std::string> lines;
  make(kKeyWow64_64Key, "64");
  make(kKeyWow64_32Key, "32");
  for (std::uint32_t view : {0u, kKeyWow64_64Key, kKeyWow64_32Key})
    lines.push_back("HKLM " + std::to_string(view) + ": " + read(kHkeyLocalMachine, path, view));
  lines.push_back("Wow6432Node: " +
                  read(kHkeyLocalMachine, "SOFTWARE\\Wow6432Node\\" + name, kKeyWow64_64Key));
  RegKey software = 0;
  registry.openKeyEx(kHkeyLocalMachine, "SOFTWARE", kKeyRead | kKeyWow64_64Key, software);
  // Below a handle, only the 64-bit flag is tried: an open without it goes
  // to the caller's own view on Windows (a 32-bit program's lands under
  // Wow6432Node, as the fake has it), while Wine keeps it in the handle's.
  lines.push_back("below 64-bit SOFTWARE: " + read(software, name, kKeyWow64_64Key));
  registry.closeKey(software);
  registry.deleteKey(kHkeyLocalMachine, path);  // the program's own view
  for (std::uint32_t view : {kKeyWow64_64Key, kKeyWow64_32Key})
    lines.push_back("after a plain delete " + std::to_string(view) + ": " + read(kHkeyLocalMachine, path, view));
  for (std::uint32_t view : {kKeyWow64_64Key, kKeyWow64_32Key})
    registry.deleteKeyEx(kHkeyLocalMachine, path, view);
  return lines;
}

TEST(RegistryViews, TheFakeSeesBothViewsAsTheRealRegistryDoesForThisBuild) {
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (sizeof(void*) == 4 && !wow64) GTEST_SKIP() << "a 32-bit system has one view";
  const std::string name = "Corvanta View Test " + std::to_string(GetCurrentProcessId());
  Win32Registry real;
  const std::vector<std::string> seen = viewScript(real, name);
  ASSERT_EQ(7u, seen.size());
  EXPECT_EQ("HKLM 256: 64", seen[1]);
  EXPECT_EQ("HKLM 512: 32", seen[2]);
  EXPECT_EQ("Wow6432Node: 32", seen[3]);

  FakeRegistry fake;
  fake.addKey(kHkeyLocalMachine, "SOFTWARE\\Wow6432Node");
  fake.runAsThirtyTwoBitProgram(sizeof(void*) == 4);
  EXPECT_EQ(seen, viewScript(fake, name));
}

}  // namespace
}  // namespace corvanta::testing
