#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "base2/logging.h"
#include "platform/process.h"
#include "shell/shell.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace shell {
namespace {

std::tm Date(int year, int month, int day) {
  std::tm date{};
  date.tm_year = year - 1900;
  date.tm_mon = month - 1;
  date.tm_mday = day;
  return date;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

TEST(ShellLogTest, FileNameHasNoLeadingZeros) {
  std::string name = logging::DailyLogFileName("root", Date(2019, 12, 1));
  EXPECT_EQ(std::filesystem::u8path(name).filename().u8string(), "shell_2019-12-1.log");
  EXPECT_EQ(std::filesystem::u8path(name).parent_path().filename().u8string(), "logs");
}

TEST(ShellLogTest, LineFormat) {
  std::tm time = Date(2019, 3, 7);
  time.tm_hour = 14, time.tm_min = 25, time.tm_sec = 1;
  EXPECT_EQ(logging::FormatLogLine(time, logging::LOG_INFO, "C:\\src\\shell\\shell.cc", 308, "text"),
            "[0307/142501:INFO:shell(308)] text\n");
  EXPECT_EQ(logging::FormatLogLine(time, logging::LOG_WARNING, "src/shell/shell_upgrade.cc", 9, ""),
            "[0307/142501:WARNING:shell_upgrade(9)] \n");
  EXPECT_EQ(logging::FormatLogLine(time, logging::LOG_ERROR, "a.cc", 1, "m"), "[0307/142501:ERROR:a(1)] m\n");
  EXPECT_EQ(logging::FormatLogLine(time, logging::LOG_FATAL, "a.cc", 1, "m"), "[0307/142501:FATAL:a(1)] m\n");
  EXPECT_EQ(logging::FormatLogLine(time, 7, "a.cc", 1, "m"), "[0307/142501:INFO:a(1)] m\n");
}

TEST(ShellLogTest, TwoStartsAppendBannersToTheDayFile) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(std::filesystem::u8path(dir.Child("logs")));
  std::tm day = platform::LocalTime(std::time(nullptr));
  for (int run = 0; run < 2; ++run) {
    StartLog(dir.path(), day);
    LOG(FATAL) << "fatal lines do not end the process";
    EndLog();
  }
  std::vector<std::string> lines = Lines(testsupport::ReadFile(logging::DailyLogFileName(dir.path(), day)));
  ASSERT_EQ(lines.size(), 18u);
  const std::string pid = std::to_string(platform::CurrentProcessId());
  const std::string prefix = R"(^\[\d{4}/\d{6}:INFO:shell\(\d+\)\] )";
  const char* expected[] = {"=============================================",
                            "==========shell.log starting=================",
                            "==========processID: ", "=============================================",
                            nullptr,
                            "=============================================",
                            "==========shell.log ending===================",
                            "==========processID: ", "============================================="};
  for (size_t i = 0; i < 9; ++i) {
    if (!expected[i]) {
      EXPECT_NE(lines[i].find(":FATAL:shell_log_test("), std::string::npos) << lines[i];
      continue;
    }
    std::string text = expected[i];
    if (text == "==========processID: ") text += pid + "====================";
    EXPECT_TRUE(std::regex_search(lines[i], std::regex(prefix))) << lines[i];
    EXPECT_EQ(lines[i].substr(lines[i].find("] ") + 2), text);
    EXPECT_EQ(lines[i + 9].substr(lines[i + 9].find("] ") + 2), lines[i].substr(lines[i].find("] ") + 2));
  }
}

TEST(ShellLogTest, FallsBackToDebugLogWhenTheLogsFolderIsMissing) {
  testsupport::TempDir dir;
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::u8path(dir.path()));
  StartLog(dir.path(), Date(2019, 12, 1));
  EndLog();
  std::filesystem::current_path(previous);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(dir.Child("logs"))));
  EXPECT_EQ(Lines(testsupport::ReadFile(dir.Child("debug.log"))).size(), 8u);
}

constexpr int kThreadsPerProcess = 4;
constexpr int kLinesPerThread = 10000;

// Writes kLinesPerThread lines from each of kThreadsPerProcess threads.
QOR_CHILD_MAIN(log_writer) {
  logging::InitLogging(args.at(0));
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreadsPerProcess; ++t) {
    threads.emplace_back([&args, t] {
      for (int i = 0; i < kLinesPerThread; ++i) {
        LOG(INFO) << args.at(1) << ' ' << t << ' ' << i << ' ' << std::string(40 + i % 50, 'x');
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  return 0;
}

TEST(ShellLogTest, LinesOfTwoProcessesNeverTearOrGetLost) {
  testsupport::TempDir dir;
  const std::string path = dir.Child("shared.log");
  auto first = testsupport::ChildProcess::Start("log_writer", {path, "A"});
  auto second = testsupport::ChildProcess::Start("log_writer", {path, "B"});
  ASSERT_TRUE(first && second);
  ASSERT_EQ(first->Wait(), 0);
  ASSERT_EQ(second->Wait(), 0);

  std::vector<std::string> lines = Lines(testsupport::ReadFile(path));
  ASSERT_EQ(lines.size(), 2u * kThreadsPerProcess * kLinesPerThread);
  const std::regex whole(R"(^\[\d{4}/\d{6}:INFO:shell_log_test\(\d+\)\] ([AB]) (\d) (\d+) (x+)$)");
  std::set<std::string> seen;
  for (const std::string& line : lines) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, whole)) << line;
    ASSERT_EQ(match[4].length(), 40 + std::stoi(match[3]) % 50) << line;
    seen.insert(match[1].str() + match[2].str() + "/" + match[3].str());
  }
  EXPECT_EQ(seen.size(), lines.size());
}

}  // namespace
}  // namespace shell
