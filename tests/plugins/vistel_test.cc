#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <thread>

#include "base2/file_path.h"
#include "base2/json_util.h"
#include "base2/logging.h"
#include "base2/text_convert.h"
#include "core/qor_core.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "shell/shell.h"
#include "support/platform_facts.h"
#include "support/response_collector.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ResponseCollector;

std::string BigEndian(uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string Png(uint32_t width, uint32_t height) {
  return std::string("\x89PNG\r\n\x1A\n", 8) + BigEndian(13, 4) + "IHDR" + BigEndian(width, 4) +
         BigEndian(height, 4) + std::string("\x08\x02\x00\x00\x00", 5) + BigEndian(0x12345678, 4);
}

std::string Segment(uint8_t marker, const std::string& body) {
  return std::string("\xFF", 1) + static_cast<char>(marker) + BigEndian(static_cast<uint32_t>(body.size() + 2), 2) +
         body;
}

std::string FrameHeader(uint8_t marker, uint32_t width, uint32_t height) {
  return Segment(marker, std::string("\x08", 1) + BigEndian(height, 2) + BigEndian(width, 2) +
                             std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10));
}

const std::string kStartOfImage("\xFF\xD8", 2);
const std::string kScanAndEnd = Segment(0xDA, std::string(10, '\0')) + std::string("\x12\x34\xFF\xD9", 4);

// A baseline JPEG whose EXIF segment comes before its frame header.
std::string BaselineJpegWithExif(uint32_t width, uint32_t height) {
  return kStartOfImage + Segment(0xE1, std::string("Exif\0\0", 6) + std::string(20, 'e')) +
         Segment(0xDB, std::string(65, 'q')) + FrameHeader(0xC0, width, height) + kScanAndEnd;
}

std::string ProgressiveJpeg(uint32_t width, uint32_t height) {
  return kStartOfImage + Segment(0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14)) +
         FrameHeader(0xC2, width, height) + Segment(0xC4, std::string(29, 'h')) + kScanAndEnd;
}

// New text of the day's log since construction, as UTF-8.
class DailyLogTail {
 public:
  DailyLogTail()
      : path_(logging::DailyLogFileName(platform::ExecutableDir(), platform::LocalTime(std::time(nullptr)))),
        start_(Size()) {}
  std::string Contents() const {
    return base2::SystemToUtf8(testsupport::ReadFile(path_).substr(static_cast<size_t>(start_)));
  }

 private:
  uintmax_t Size() const {
    std::error_code ignored;
    uintmax_t size = fs::file_size(fs::u8path(path_), ignored);
    return ignored ? 0 : size;
  }
  std::string path_;
  uintmax_t start_;
};

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The host's daily log beside the test binary, as the program keeps it, and
// a started core whose answers land in the ResponseCollector.
class VistelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    fs::create_directories(fs::u8path(base2::JoinPath(platform::ExecutableDir(), "logs")));
    first_tail_ = new DailyLogTail;
    shell::StartLog();
    Qor::Core::StartCore();
    Qor::Core::SetResponseHook(&ResponseCollector::Hook);
  }

  void SetUp() override {
    ResponseCollector::Get().Clear();
    previous_dir_ = fs::current_path();
    fs::current_path(fs::u8path(dir_.path()));
  }
  void TearDown() override { fs::current_path(previous_dir_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    testsupport::WriteFile(dir_.Child(name), bytes);
    return dir_.Child(name);
  }

  static std::u16string Ask(const std::string& action, const std::u16string& args) {
    static int counter = 0;
    std::string uid = "v" + std::to_string(counter++);
    Qor::Core::HandleRequest(uid.c_str(), "vistel", action.c_str(), args.c_str());
    return ResponseCollector::Get().WaitFor(uid).value_or(u"<no answer>");
  }

  static std::u16string GetWH(const std::string& path) {
    base2::Json args = {{"res", path}};
    return Ask("getwh", base2::Utf8ToUtf16(base2::WriteJson(args)));
  }

  static DailyLogTail* first_tail_;
  testsupport::TempDir dir_;
  fs::path previous_dir_;
};

DailyLogTail* VistelTest::first_tail_ = nullptr;

TEST_F(VistelTest, ReadsPictureSizes) {
  EXPECT_EQ(GetWH(Write("photo.png", Png(640, 480))), u"640*480");
  EXPECT_EQ(GetWH(Write("photo.jpg", BaselineJpegWithExif(1024, 768))), u"1024*768");
  EXPECT_EQ(GetWH(Write("图片.png", Png(32, 16))), u"32*16");  // outside ASCII, inside the code page
}

TEST_F(VistelTest, ProgressiveJpegHasNoBaselineFrame) {
  DailyLogTail log;
  EXPECT_EQ(GetWH(Write("progressive.jpg", ProgressiveJpeg(800, 600))), u"读取图片宽高失败");
  std::string text = log.Contents();
  EXPECT_EQ(CountOf(text, "[GetJPEGWidthHeight]:unknown id: 0xc2; length=17\r\n"), 1u) << text;
  EXPECT_LT(text.find("unknown id"), text.find("[GetJPEGWidthHeight]:can't find SOF0!\r\n")) << text;
}

TEST_F(VistelTest, PathRules) {
  Write("a.png", Png(5, 5));
  Write(".png", Png(4, 4));
  struct Case {
    std::string path;
    std::u16string answer;
  } cases[] = {
      {Write("upper.JPG", BaselineJpegWithExif(1, 1)), u"只支持jpg png"},
      {Write("long.jpeg", BaselineJpegWithExif(1, 1)), u"只支持jpg png"},
      {".png", u"文件名过短"},
      {"a.png", u"5*5"},
      {"pngpng", u"读取图片宽高失败"},
      {dir_.Child("missing.png"), u"读取图片宽高失败"},
      {Write("short.png", Png(9, 9).substr(0, 20)), u"读取图片宽高失败"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetWH(c.path), c.answer) << c.path;
}

TEST_F(VistelTest, TextFileNamedPngIsReadAtOffsets16To23) {
  DailyLogTail log;
  const std::string text = "This is plain text, not a picture at all.";
  uint32_t width = 0;
  uint32_t height = 0;
  for (int i = 16; i < 20; ++i) width = (width << 8) | static_cast<uint8_t>(text[i]);
  for (int i = 20; i < 24; ++i) height = (height << 8) | static_cast<uint8_t>(text[i]);
  EXPECT_EQ(GetWH(Write("notes.png", text)),
            base2::Utf8ToUtf16(std::to_string(static_cast<int>(width)) + "*" + std::to_string(static_cast<int>(height))));
  EXPECT_EQ(CountOf(log.Contents(), "[GetPNGWidthHeight]:png format error\n"), 2u);
}

TEST_F(VistelTest, ActionsAndArguments) {
  std::string png = Write("p.png", Png(2, 3));
  EXPECT_EQ(Ask("init", u""), u"init ok.");
  EXPECT_EQ(Ask("Destroy", u""), u"destroy ok.");
  EXPECT_EQ(Ask("GETWH", base2::Utf8ToUtf16(base2::WriteJson({{"res", png}}))), u"2*3");
  EXPECT_EQ(Ask("getwh", u"{\"path\":\"p.png\"}"), u"获取文件名失败");
  EXPECT_EQ(Ask("getwh", u"{\"res\":7}"), u"获取文件名失败");
  EXPECT_EQ(Ask("getwh", u"not json"), u"获取文件名失败");
  EXPECT_EQ(Ask("getwh", u"[\"res\"]"), u"获取文件名失败");
  EXPECT_EQ(Ask("unknown", u""), u"");
  EXPECT_EQ(Ask("\xC3\x8Dnit", u""), u"");  // a capital outside A to Z is not folded
}

TEST_F(VistelTest, ManyCallsLeaveNoFileOpen) {
  std::string png = Write("same.png", Png(640, 480));
  for (int i = 0; i < 100; ++i) ASSERT_EQ(GetWH(png), u"640*480");
  size_t before = testsupport::OpenHandleCount();
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(GetWH(png), u"640*480");
  EXPECT_LE(testsupport::OpenHandleCount(), before + 8);
}

TEST_F(VistelTest, ModuleAndHostLinesShareTheDailyFileWhole) {
  DailyLogTail log;
  std::string png = Write("shared.png", Png(1, 1));
  constexpr int kThreads = 4;
  constexpr int kPerThread = 250;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&png] {
      for (int i = 0; i < kPerThread; ++i) {
        LOG(INFO) << "host line " << std::string(60, 'h');
        EXPECT_EQ(GetWH(png), u"1*1");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  std::string text = log.Contents();
  EXPECT_EQ(CountOf(text, "] host line " + std::string(60, 'h') + "\n"), size_t{kThreads * kPerThread});
  EXPECT_EQ(CountOf(text, "] 【vistel::PlnOnProcessMessage】getwh.\n"), size_t{kThreads * kPerThread});
  const std::regex line_start(R"(^\[\d{4}/\d{6}:(INFO|WARNING|ERROR|FATAL):[a-z_]+\(\d+\)\] )");
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] != '[') continue;  // the second half of a reader line with a path
    EXPECT_TRUE(std::regex_search(line, line_start)) << line;
  }
  // The module's banner went into the same file when the module was first loaded.
  EXPECT_NE(first_tail_->Contents().find("] ========QorCorePlugin.log starting===========\n"), std::string::npos);
  EXPECT_NE(first_tail_->Contents().find("] ==========shell.log starting=================\n"), std::string::npos);
}

}  // namespace
