#include "base2/ini_parser.h"

#include <gtest/gtest.h>

namespace base2 {
namespace {

TEST(IniParserTest, FollowsTheProfileStringRules) {
  IniFile file = IniFile::Parse(
      "; comment\r\n"
      "[ShellConfig]\r\n"
      "  AppTitle =  \"Quoted Title\"  \r\n"
      "appTITLE=second\r\n"
      "Single='x'\r\n"
      "Half=\"open\r\n"
      "Empty=\r\n"
      "NoEquals\r\n"
      "[shellconfig]\r\n"
      "Late=1\r\n"
      "[Other]\n"
      "Key=a=b");
  EXPECT_EQ(file.Find("SHELLCONFIG", "apptitle"), "Quoted Title");
  EXPECT_EQ(file.Find("ShellConfig", "Single"), "x");
  EXPECT_EQ(file.Find("ShellConfig", "Half"), "\"open");
  EXPECT_EQ(file.Find("ShellConfig", "Empty"), "");
  EXPECT_FALSE(file.Find("ShellConfig", "NoEquals").has_value());
  EXPECT_FALSE(file.Find("ShellConfig", "Late").has_value());  // only the first section of a name counts
  EXPECT_EQ(file.Find("Other", "Key"), "a=b");
  EXPECT_FALSE(file.Find("Missing", "Key").has_value());
}

TEST(IniParserTest, KeysBeforeAnySectionAreIgnored) {
  EXPECT_FALSE(IniFile::Parse("Key=1\n[S]\n").Find("S", "Key").has_value());
}

}  // namespace
}  // namespace base2
