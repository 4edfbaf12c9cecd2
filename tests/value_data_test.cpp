// Rendering stored bytes as text, and encoding a caller's value as bytes.
#include "registry/value_data.h"

#include <gtest/gtest.h>

#include "fakes/fake_system.h"
#include "platform/registry_port.h"

namespace corvanta {
namespace {

std::string render(std::uint32_t type, const std::string& bytes) {
  testing::FakeSystem system;
  system.environment["SYSTEMROOT"] = "C:\\WINNT";
  return renderValueData(type, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                         system);
}

TEST(RenderValueData, StringsLoseTheirTerminatorAndNothingElse) {
  EXPECT_EQ("", render(kRegSz, ""));
  EXPECT_EQ("", render(kRegSz, std::string("\0", 1)));
  EXPECT_EQ("abc", render(kRegSz, std::string("abc\0", 4)));
  // Written without a terminator: every character is kept.
  EXPECT_EQ("abc", render(kRegSz, "abc"));
  EXPECT_EQ("\xE9t\xE9", render(kRegSz, std::string("\xE9t\xE9\0", 4)));
}

TEST(RenderValueData, ExpandableStringsAreExpandedAndCutAtTheirFirstZero) {
  EXPECT_EQ("C:\\WINNT\\system32",
            render(kRegExpandSz, std::string("%SystemRoot%\\system32\0", 22)));
  EXPECT_EQ("%Nobody%", render(kRegExpandSz, std::string("%Nobody%\0", 9)));
  EXPECT_EQ("a", render(kRegExpandSz, std::string("a\0b\0", 4)));
  EXPECT_EQ("", render(kRegExpandSz, ""));
}

TEST(RenderValueData, BinaryIsUpperCaseHexSeparatedBySingleSpaces) {
  EXPECT_EQ("01 AB 0C", render(kRegBinary, "\x01\xAB\x0C"));
  EXPECT_EQ("00 0A FF", render(kRegBinary, std::string("\x00\x0A\xFF", 3)));
  EXPECT_EQ("", render(kRegBinary, ""));
  // Longer than the 32,768 bytes the old renderer could take.
  const std::string big(40000, '\x5A');
  const std::string text = render(kRegBinary, big);
  EXPECT_EQ(40000u * 3 - 1, text.size());
  EXPECT_EQ("5A 5A", text.substr(text.size() - 5));
}

TEST(RenderValueData, DwordIsSignedLittleEndian) {
  EXPECT_EQ("305419896", render(kRegDword, "\x78\x56\x34\x12"));
  EXPECT_EQ("-1", render(kRegDword, "\xFF\xFF\xFF\xFF"));
  EXPECT_EQ("-2147483648", render(kRegDword, std::string("\x00\x00\x00\x80", 4)));
  EXPECT_EQ("1", render(kRegDword, std::string("\x01\x00", 2)));  // short data reads as zeros
}

TEST(RenderValueData, StringListsAreJoinedWithCommas) {
  EXPECT_EQ("one,two", render(kRegMultiSz, std::string("one\0two\0\0", 9)));
  EXPECT_EQ("a,b", render(kRegMultiSz, std::string("a\0b\0\0", 5)));
  EXPECT_EQ("", render(kRegMultiSz, std::string("\0\0", 2)));
  EXPECT_EQ("", render(kRegMultiSz, ""));
  EXPECT_EQ("", render(kRegMultiSz, "a"));  // shorter than the double terminator
  // Written without the final terminators, as the program's own writes are.
  EXPECT_EQ("one,two", render(kRegMultiSz, std::string("one\0two", 7)));
  EXPECT_EQ("one,two", render(kRegMultiSz, std::string("one\0two\0", 8)));
  EXPECT_EQ("a,,b", render(kRegMultiSz, std::string("a\0\0b\0\0", 6)));
}

TEST(RenderValueData, OtherTypesAreEmpty) {
  EXPECT_EQ("", render(kRegNone, "abc"));
  EXPECT_EQ("", render(11, "\x01\x00\x00\x00\x00\x00\x00\x00"));  // REG_QWORD
}

TEST(EncodeValueData, StringsAreWrittenWithoutATerminator) {
  Bytes out;
  ASSERT_TRUE(encodeValueData(kRegSz, std::string("abc"), out));
  EXPECT_EQ(Bytes({'a', 'b', 'c'}), out);
  ASSERT_TRUE(encodeValueData(kRegMultiSz, std::string("a\0b", 3), out));
  EXPECT_EQ(Bytes({'a', 0, 'b'}), out);
  ASSERT_TRUE(encodeValueData(kRegExpandSz, std::int64_t{-12}, out));
  EXPECT_EQ(Bytes({'-', '1', '2'}), out);
}

TEST(EncodeValueData, DwordsTakeNumbersAndNumericTextInThirtyTwoBits) {
  Bytes out;
  ASSERT_TRUE(encodeValueData(kRegDword, std::int64_t{-1}, out));
  EXPECT_EQ(Bytes({0xFF, 0xFF, 0xFF, 0xFF}), out);
  ASSERT_TRUE(encodeValueData(kRegDword, std::int64_t{0xFFFFFFFF}, out));
  EXPECT_EQ(Bytes({0xFF, 0xFF, 0xFF, 0xFF}), out);
  ASSERT_TRUE(encodeValueData(kRegDword, std::string(" 258 "), out));
  EXPECT_EQ(Bytes({2, 1, 0, 0}), out);

  out = {9};
  EXPECT_FALSE(encodeValueData(kRegDword, std::int64_t{0x100000000}, out));
  EXPECT_FALSE(encodeValueData(kRegDword, std::string("12abc"), out));
  EXPECT_FALSE(encodeValueData(kRegDword, std::string(""), out));
  EXPECT_FALSE(encodeValueData(kRegDword, Bytes{1, 2}, out));
  EXPECT_EQ(Bytes({9}), out) << "a refused value leaves the output alone";
}

TEST(EncodeValueData, BinaryTakesOnlyByteArraysAndUnknownTypesNothing) {
  Bytes out;
  ASSERT_TRUE(encodeValueData(kRegBinary, Bytes{0, 0xFF}, out));
  EXPECT_EQ(Bytes({0, 0xFF}), out);
  ASSERT_TRUE(encodeValueData(kRegBinary, Bytes{}, out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(encodeValueData(kRegBinary, std::string("ab"), out));
  EXPECT_FALSE(encodeValueData(kRegNone, std::string("ab"), out));
  EXPECT_FALSE(encodeValueData(5, std::int64_t{1}, out));
}

TEST(TrimAtNull, CutsAtTheFirstZeroAndStoresTheResultBack) {
  std::string item("abc\0def", 7);
  EXPECT_EQ("abc", trimAtNull(item));
  EXPECT_EQ("abc", item);
  std::string plain = "plain";
  EXPECT_EQ("plain", trimAtNull(plain));
}

}  // namespace
}  // namespace corvanta
