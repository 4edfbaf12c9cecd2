// The profile rules against the in-memory system.
#include <gtest/gtest.h>

#include "contract/profile_contract.h"
#include "fakes/fake_system.h"

namespace corvanta::testing {
namespace {

TEST(ProfileRules, HoldForTheInMemorySystem) {
  FakeSystem system;
  checkProfileRules(system, [&](const std::string& name, const std::string& text) {
    const std::string path = "C:\\Corvanta\\languages\\" + name;
    system.putIniFile(path, text);
    return path;
  });
}

}  // namespace
}  // namespace corvanta::testing
