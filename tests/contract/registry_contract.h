// The registry contract: every behaviour of the Reg* calls the program relies
// on, written once and run against each registry the program can meet (the
// in-memory one the tests use, and the real one under Windows or Wine), so
// the in-memory registry can never drift from the real thing.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/registry_port.h"

namespace corvanta::testing {

// A registry under test and a scratch key in it. The key exists and is empty
// when a test starts; what a test leaves there is removed afterwards.
class ContractRegistry {
 public:
  virtual ~ContractRegistry() = default;
  virtual RegistryPort& port() = 0;
  RegKey root = kHkeyCurrentUser;
  std::string scratch;
};

struct ContractTarget {
  std::string name;
  std::function<std::unique_ptr<ContractRegistry>()> make;
};

class RegistryContract : public ::testing::TestWithParam<ContractTarget> {
 protected:
  void SetUp() override;
  void TearDown() override;

  RegistryPort& port() { return registry_->port(); }
  // The scratch key, or a key below it, opened (created if need be) with
  // full access.
  ScopedRegKey create(const std::string& below = "");
  ScopedRegKey open(const std::string& below, std::uint32_t access);
  std::string path(const std::string& below) const;

  std::unique_ptr<ContractRegistry> registry_;
};

void PrintTo(const ContractTarget& target, std::ostream* out);
std::string contractTargetName(const ::testing::TestParamInfo<ContractTarget>& info);

}  // namespace corvanta::testing
