#include "shell/shell_settings.h"

#include <gtest/gtest.h>

#include "base2/file_path.h"
#include "support/temp_dir.h"

namespace shell {
namespace {

class ShellSettingsTest : public testing::Test {
 protected:
  ShellSettings LoadText(const std::string& ini_text) {
    testsupport::WriteFile(dir_.Child("shell.ini"), ini_text);
    return ShellSettings::Load(dir_.Child("shell.ini"), dir_.path());
  }

  testsupport::TempDir dir_;
};

TEST_F(ShellSettingsTest, MissingFileGivesEveryDefault) {
  ShellSettings settings = ShellSettings::Load(dir_.Child("absent.ini"), dir_.path());
  for (size_t i = 0; i < kSettingCount; ++i) {
    EXPECT_EQ(settings.Field(static_cast<SettingField>(i)), kSettingTable[i].default_value) << kSettingTable[i].key;
  }
  EXPECT_EQ(settings.HomePageUrl(), "about:blank");
  EXPECT_EQ(settings.NoBorder(), "1");
  EXPECT_EQ(settings.MultiApp(), "1");
  EXPECT_EQ(settings.AppTitle(), "Lumora");
  EXPECT_EQ(settings.WindowWidthPixels(), 1000);
  EXPECT_EQ(settings.WindowHeightPixels(), 700);
}

TEST_F(ShellSettingsTest, SwitchesAreTheWholeValue) {
  struct Case {
    const char* line;
    bool full_screen;
  } cases[] = {
      {"FullScreen=0", true},      {"FullScreen = 0 ", true}, {"FullScreen=00", false},
      {"FullScreen=0x", false},    {"FullScreen=\" 0\"", false}, {"FullScreen=false", false},
      {"FullScreen=", false},
  };
  for (const Case& c : cases) {
    ShellSettings settings = LoadText(std::string("[ShellConfig]\n") + c.line + "\n");
    EXPECT_EQ(settings.FullScreen() == "0", c.full_screen) << c.line << " read as \"" << settings.FullScreen() << '"';
  }
}

TEST_F(ShellSettingsTest, LongValueIsCutTo259Bytes) {
  ShellSettings settings = LoadText("[ShellConfig]\nAppTitle=" + std::string(300, 'T') + "\n");
  EXPECT_EQ(settings.AppTitle(), std::string(259, 'T'));
}

TEST_F(ShellSettingsTest, HomePageBelowTheExecutableFolder) {
  ShellSettings below = LoadText("[HomeUrl]\nURL=\\packages\\demo\\index.html\n");
  std::string expected = base2::JoinPath(base2::JoinPath(base2::JoinPath(dir_.path(), "packages"), "demo"), "index.html");
  EXPECT_EQ(below.HomePageUrl(), expected);

  ShellSettings web = LoadText("[HomeUrl]\nURL=http://127.0.0.1:8080/index.html\n");
  EXPECT_EQ(web.HomePageUrl(), "http://127.0.0.1:8080/index.html");
}

TEST_F(ShellSettingsTest, WindowSizeReadsTheLeadingNumber) {
  ShellSettings settings = LoadText("[ShellConfig]\nWindowWidth=800px\nWindowHeight=px\n");
  EXPECT_EQ(settings.WindowWidth(), "800px");
  EXPECT_EQ(settings.WindowWidthPixels(), 800);
  EXPECT_EQ(settings.WindowHeightPixels(), 700);
}

TEST_F(ShellSettingsTest, ReadsAFileWrittenOnChineseWindows) {
  // CRLF line ends, a backslash home page and a title in code page 936.
  ShellSettings settings = LoadText(
      "[HomeUrl]\r\nURL=\\packages\\demo\\index.html\r\n"
      "[ShellConfig]\r\nAppTitle=\xBF\xBC\xCA\xD4\xCF\xB5\xCD\xB3\r\nNoBorder=0\r\nWindowWidth=1280\r\n");
  EXPECT_EQ(settings.AppTitleUtf16(), u"\u8003\u8BD5\u7CFB\u7EDF");  // 考试系统
  EXPECT_EQ(settings.NoBorder(), "0");
  EXPECT_EQ(settings.WindowWidthPixels(), 1280);
  EXPECT_EQ(settings.HomePageUrl(),
            base2::JoinPath(base2::JoinPath(base2::JoinPath(dir_.path(), "packages"), "demo"), "index.html"));
}

}  // namespace
}  // namespace shell
