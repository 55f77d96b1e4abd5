#include "base2/string_util.h"

#include <gtest/gtest.h>

#include "base2/file_path.h"
#include "platform/paths.h"

namespace base2 {
namespace {

TEST(StringUtilTest, ParseLeadingIntReadsLikeAStream) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {
      {"800", 800}, {"800px", 800}, {"  42", 42}, {"-5", -5}, {"+7", 7}, {"px", -1},
      {"", -1},     {"-", -1},      {" 1 2", 1},  {"99999999999", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLeadingInt(c.text, -1), c.expected) << '"' << c.text << '"';
}

TEST(StringUtilTest, LowerCasesOnlyAsciiLetters) {
  EXPECT_EQ(AsciiLower("GetWH-\xC3\x84"), "getwh-\xC3\x84");
  EXPECT_TRUE(EqualsIgnoreAsciiCase("ShellConfig", "SHELLCONFIG"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("Shell", "Shel"));
  EXPECT_EQ(TrimWhitespace(" \t k = v \r\n"), "k = v");
}

TEST(FilePathTest, JoinsWithOneSeparator) {
  const std::string sep(1, platform::kPathSeparator);
  EXPECT_EQ(JoinPath("dir", "file"), "dir" + sep + "file");
  EXPECT_EQ(JoinPath("dir/", "file"), "dir/file");
  EXPECT_EQ(JoinPath("dir\\", "file"), "dir\\file");
  EXPECT_EQ(JoinPath("", "file"), "file");
  EXPECT_EQ(BaseName("a\\b/c.cc"), "c.cc");
}

}  // namespace
}  // namespace base2
