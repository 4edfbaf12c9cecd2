#include "base/ansi_text.h"

#include <gtest/gtest.h>

namespace corvanta {
namespace {

TEST(AnsiText, FoldsWesternLettersLikeTheRegistryDoes) {
  EXPECT_TRUE(equalsIgnoringCase("caf\xE9", "CAF\xC9"));
  EXPECT_TRUE(equalsIgnoringCase("\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"));
  // The division and multiplication signs are not letters.
  EXPECT_FALSE(equalsIgnoringCase("\xF7", "\xD7"));
  // Sharp s has no capital of its own in this code page.
  EXPECT_EQ("\xDF", foldAnsiCase(std::string("\xDF")));
  EXPECT_FALSE(equalsIgnoringCase("abc", "abcd"));
}

TEST(AnsiText, TrimsSpacesButNotTabs) {
  EXPECT_EQ("a b", trimSpaces("  a b "));
  EXPECT_EQ("", trimSpaces("   "));
  EXPECT_EQ("\ta\t", trimSpaces(" \ta\t "));
}

}  // namespace
}  // namespace corvanta
