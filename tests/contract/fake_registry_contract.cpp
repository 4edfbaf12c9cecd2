// The contract run against the in-memory registry.
#include "contract/registry_contract.h"
#include "fakes/fake_registry.h"

namespace corvanta::testing {
namespace {

class FakeContractRegistry final : public ContractRegistry {
 public:
  FakeContractRegistry() {
    scratch = "Software\\Corvanta Contract";
    fake_.addKey(root, scratch);
  }
  ~FakeContractRegistry() override {
    // Every case must close what it opened.
    EXPECT_EQ(0u, fake_.openHandles());
  }
  RegistryPort& port() override { return fake_; }

 private:
  FakeRegistry fake_;
};

INSTANTIATE_TEST_SUITE_P(
    Fake, RegistryContract,
    ::testing::Values(ContractTarget{
        "InMemory", [] { return std::unique_ptr<ContractRegistry>(new FakeContractRegistry()); }}),
    contractTargetName);

}  // namespace
}  // namespace corvanta::testing
