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

TEST_F(QueryValueTest, ReadsAShortValueInOneCallAndALongerOneInTwo) {
  for (const std::size_t size : {0u, 4u, 512u, 513u, 10000u}) {
    fake.putValue(kHkeyCurrentUser, "K", "v", kRegSz, Bytes(size, 'z'));
    const int before = fake.calls(RegistryOp::QueryValue);
    std::uint32_t type = 0;
    Bytes data;
    ASSERT_EQ(kErrorSuccess, queryValue(fake, key, "V", type, data)) << size;
    EXPECT_EQ(kRegSz, type);
    EXPECT_EQ(Bytes(size, 'z'), data);
    EXPECT_EQ(size <= 512 ? 1 : 2, fake.calls(RegistryOp::QueryValue) - before) << size;
  }
}

TEST_F(QueryValueTest, AValueThatGrowsAndChangesTypeBetweenTwoReadsIsReadAgain) {
  fake.putValue(kHkeyCurrentUser, "K", "v", kRegSz, Bytes(1000, 'z'));
  fake.beforeCall = [&](RegistryOp op) {
    // Past the first read, which was too small and told the size.
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
  fake.failCall(1, kErrorAccessDenied);
  EXPECT_EQ(kErrorAccessDenied, queryValue(fake, key, "v", type, data));
  EXPECT_EQ(77u, type);
  EXPECT_EQ(Bytes({1, 2}), data);
}

TEST_F(QueryValueTest, AValueThatNeverSettlesIsGivenUp) {
  fake.putValue(kHkeyCurrentUser, "K", "v", kRegBinary, Bytes(1000, 0));
  std::size_t size = 1000;
  fake.beforeCall = [&](RegistryOp op) {
    // Grows before every read, so each finds it larger than the last told.
    if (op == RegistryOp::QueryValue && fake.calls(RegistryOp::QueryValue) > 0) {
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
