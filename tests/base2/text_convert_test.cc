#include "base2/text_convert.h"

#include <gtest/gtest.h>

namespace base2 {
namespace {

TEST(TextConvertTest, RoundTripsChineseAndCharactersOutsideTheBasicPlane) {
  const std::string utf8 = "abc \xE8\x80\x83\xE8\xAF\x95 \xF0\x9F\x98\x80";  // "abc 考试 😀"
  const std::u16string utf16 = u"abc \u8003\u8BD5 \U0001F600";
  EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
  EXPECT_TRUE(IsValidUtf8(utf8));
}

TEST(TextConvertTest, InvalidInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xE8\x80"), u"\uFFFD\uFFFD");     // cut short
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");     // over-long
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
  EXPECT_FALSE(IsValidUtf8("\xBF\xBC"));  // GBK bytes
}

TEST(TextConvertTest, CutNeverSplitsACharacter) {
  EXPECT_EQ(CutUtf8("abcdef", 4), "abcd");
  EXPECT_EQ(CutUtf8("ab\xE8\x80\x83", 4), "ab");
  EXPECT_EQ(CutUtf8("ab", 4), "ab");
}

TEST(TextConvertTest, AsciiPassesThroughTheSystemText) {
  EXPECT_EQ(Utf8ToSystem("plain ascii"), "plain ascii");
  EXPECT_EQ(SystemToUtf8("plain ascii"), "plain ascii");
  EXPECT_EQ(Utf8ToSystem(""), "");
}

}  // namespace
}  // namespace base2
