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
