// Reading one value whole: the path RegRead and the settings store share.
#include "registry/query_value.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

namespace corvanta {
namespace {

using testing::FakeRegistry;
using testing::RegistryOp;

class QueryValueTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(kErrorSuccess, fake.createKey(kHkeyCurrentUser, "K", key)); }
  void TearDown() override {
    fake.closeKey(key);
    EXPECT_EQ(0u, fake.openHandles());
  }

  FakeRegistry fake;
  RegKey key = 0;
};

TEST_F(QueryValueTest, ReadsAValueOfAnySizeInOneProbeAndOneRead) {
  fake.putValue(kHkeyCurrentUser, "K", "big", kRegSz, Bytes(10000, 'z'));
  std::uint32_t type = 0;
  Bytes data;
  ASSERT_EQ(kErrorSuccess, queryValue(fake, key, "BIG", type, data));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(Bytes(10000, 'z'), data);
  EXPECT_EQ(2, fake.calls(RegistryOp::QueryValue));
}

TEST_F(QueryValueTest, AValueThatGrowsAndChangesTypeAfterTheProbeIsReadAgain) {
  fake.putDword(kHkeyCurrentUser, "K", "v", 1);
  fake.beforeCall = [&](RegistryOp op) {
    if (op == RegistryOp::QueryValue && fake.calls(RegistryOp::QueryValue) == 2) {
      fake.putValue(kHkeyCurrentUser, "K", "v", kRegBinary, Bytes(5000, 0xEE));
    }
  };
  std::uint32_t type = 0;
  Bytes data;
  ASSERT_EQ(kErrorSuccess, queryValue(fake, key, "v", type, data));
  EXPECT_EQ(kRegBinary, type);
  EXPECT_EQ(Bytes(5000, 0xEE), data);
}

TEST_F(QueryValueTest, AFailedReadLeavesTheOutputsAlone) {
  std::uint32_t type = 77;
  Bytes data{1, 2};
  EXPECT_EQ(kErrorFileNotFound, queryValue(fake, key, "missing", type, data));
  fake.putDword(kHkeyCurrentUser, "K", "v", 1);
  fake.failCall(2, kErrorAccessDenied);  // the read after a good probe
  EXPECT_EQ(kErrorAccessDenied, queryValue(fake, key, "v", type, data));
  EXPECT_EQ(77u, type);
  EXPECT_EQ(Bytes({1, 2}), data);
}

TEST_F(QueryValueTest, AValueThatNeverSettlesIsGivenUp) {
  fake.putValue(kHkeyCurrentUser, "K", "v", kRegBinary, Bytes(10, 0));
  std::size_t size = 10;
  fake.beforeCall = [&](RegistryOp op) {
    // Grows after every probe, so every read finds it larger than announced.
    if (op == RegistryOp::QueryValue && fake.calls(RegistryOp::QueryValue) % 2 == 0) {
      fake.putValue(kHkeyCurrentUser, "K", "v", kRegBinary, Bytes(size += 10, 0));
    }
  };
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(kErrorMoreData, queryValue(fake, key, "v", type, data));
  EXPECT_TRUE(data.empty());
}

}  // namespace
}  // namespace corvanta
