#include "base/text.h"

#include <gtest/gtest.h>

namespace corvanta {
namespace {

TEST(Text, AnyUtf16RoundTripsThroughUtf8) {
  const std::u16string cases[] = {
      u"",
      u"plain",
      u"\u0141\u00F3d\u017A.txt",
      u"\u0416 \u65E5\u672C",
      u"\U0001F600",
      std::u16string(1, char16_t(0xD800)) + u"x",  // a lone high surrogate
      u"x" + std::u16string(1, char16_t(0xDC00)),  // a lone low one
      std::u16string(u"a\0b", 3)};
  for (const auto& text : cases) EXPECT_EQ(text, utf16FromUtf8(utf8FromUtf16(text)));
  EXPECT_EQ("😀", utf8FromUtf16(u"\U0001F600"));
  // Bytes that start no sequence never vanish and never guess.
  EXPECT_EQ(u"a\uFFFDb", utf16FromUtf8("a\xC0"
                                       "b"));
}

TEST(Text, StoredTextIsUtf8WhenItCanBeElseWindows1252) {
  EXPECT_EQ(
      "Größ"
      "e",
      utf8FromStoredText("Gr\xF6\xDF"
                         "e"));
  EXPECT_EQ(
      "„"
      "a“ €",
      utf8FromStoredText("\x84"
                         "a\x93 \x80"));
  EXPECT_EQ("Ж", utf8FromStoredText("Ж"));
  EXPECT_EQ("Ж", utf8FromStoredText("\xEF\xBB\xBF"
                                    "Ж"));
  // An encoded surrogate is not UTF-8: such a file is Western.
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));
  EXPECT_FALSE(isValidUtf8("\xE0\x80\x80"));
}

TEST(Text, FoldsLettersAsWindowsComparesNames) {
  const std::pair<const char*, const char*> same[] = {
      {"café", "CAFÉ"}, {"łódź", "ŁÓDŹ"}, {"жё", "ЖЁ"}, {"σς", "ΣΣ"},  // sigma, final sigma
      {"ÿ", "Ÿ"},       {"日😀", "日😀"}};
  for (const auto& [a, b] : same) EXPECT_TRUE(equalsIgnoringCase(a, b)) << a << " " << b;
  const std::pair<const char*, const char*> different[] = {
      {"÷", "×"},  // division and multiplication signs
      {"ı", "I"},  // dotless i stays itself
      {"abc", "abcd"}};
  for (const auto& [a, b] : different) EXPECT_FALSE(equalsIgnoringCase(a, b)) << a << " " << b;
  EXPECT_EQ("ß", foldCase(std::string("ß")));  // sharp s
  EXPECT_EQ(
      "A\xFF"
      "B",
      foldCase(std::string("a\xFF"
                           "b")));  // a stray byte kept
}

// A translation may put the values in any order; a value is never read for
// marks of its own (a path may hold "%1").
TEST(Text, FillsTheBlanksOfALanguageFilesText) {
  const struct {
    const char* pattern;
    std::initializer_list<std::string_view> values;
    const char* filled;
  } cases[] = {
      {"%1 MB of %2 MB", {"312", "513"}, "312 MB of 513 MB"},
      {"%2 MB 中的 %1 MB", {"312", "513"}, "513 MB 中的 312 MB"},
      {"%1%nwas changed (now: %2).", {"C:\\%2%1", "5"}, "C:\\%2%1\r\nwas changed (now: 5)."},
      {"100%% of %1, %3 stays, % too", {"C:"}, "100% of C:, %3 stays, % too"},
      {"ends in %", {}, "ends in %"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.filled, fillIn(c.pattern, c.values)) << c.pattern;
}

TEST(Text, TrimsSpacesButNotTabs) {
  EXPECT_EQ("a b", trimSpaces("  a b "));
  EXPECT_EQ("", trimSpaces("   "));
  EXPECT_EQ("\ta\t", trimSpaces(" \ta\t "));
}

}  // namespace
}  // namespace corvanta
