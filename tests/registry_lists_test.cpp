#include "registry/registry_lists.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvanta {
namespace {

TEST(RegistryLists, KeepEnumerationOrderAndFindByNameWithoutRegardToCase) {
  ValueList values;
  EXPECT_TRUE(values.add({"Zeta", "1"}));
  EXPECT_TRUE(values.add({"", "default"}));
  EXPECT_TRUE(values.add({"caf\xE9", "2"}));
  ASSERT_EQ(3u, values.size());
  EXPECT_EQ("Zeta", values[0][0]);
  EXPECT_EQ("1", values[0][1]);
  EXPECT_EQ("default", values.find("")->data);
  ASSERT_NE(nullptr, values.find("CAF\xC9"));
  EXPECT_EQ("2", values.find("CAF\xC9")->data);
  EXPECT_EQ(nullptr, values.find("missing"));

  std::vector<std::string> names;
  for (const auto& value : values) names.push_back(value[0]);
  EXPECT_EQ((std::vector<std::string>{"Zeta", "", "caf\xE9"}), names);
}

TEST(RegistryLists, ANameSeenTwiceKeepsItsFirstEntry) {
  KeyList keys;
  EXPECT_TRUE(keys.add("Run"));
  EXPECT_FALSE(keys.add("RUN"));
  EXPECT_EQ(1u, keys.size());
  EXPECT_EQ("Run", keys[0]);
  EXPECT_TRUE(keys.contains("run"));
}

}  // namespace
}  // namespace corvanta
