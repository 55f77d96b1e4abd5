#include "shell/startup_options.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "base2/text_convert.h"
#include "platform/instance_counter.h"
#include "support/child_process.h"
#include "support/desktop.h"
#include "support/temp_dir.h"

namespace shell {
namespace {

using Args = std::vector<std::u16string>;
using testsupport::ChildProcess;

TEST(StartupOptionsTest, ParsesShellAppArguments) {
  struct Case {
    const char16_t* argument;
    const char* key;  // null: not an option
    const char* value;
  } cases[] = {
      {u"--shell-app-lang=en", "lang", "en"},
      {u"--shell-app- k = v ", "k", "v"},
      {u"--shell-app-filter=x=y", "filter", "x"},
      {u"--shell-app-flag", "flag", ""},
      {u"prefix--shell-app-a=b", "a", "b"},
      {u"--shell-app-title=考试", "title", "考试"},
      {u"--shell-app-=v", nullptr, nullptr},
      {u"--type=renderer", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    auto option = ParseShellAppArgument(c.argument);
    SCOPED_TRACE(base2::Utf16ToUtf8(c.argument));
    ASSERT_EQ(option.has_value(), c.key != nullptr);
    if (c.key) {
      EXPECT_EQ(*option, std::make_pair(std::string(c.key), std::string(c.value)));
    }
  }
}

TEST(StartupOptionsTest, OwnOptions) {
  EXPECT_EQ(base2::WriteJson(OwnStartupOptions({u"shell"}, "1")), R"({"ShowDevTools":"1"})");
  EXPECT_EQ(base2::WriteJson(OwnStartupOptions({u"shell", u"--shell-app-lang=en", u"--shell-app-mode=exam"}, "1")),
            R"({"ShowDevTools":"1","lang":"en","mode":"exam"})");
  EXPECT_EQ(base2::WriteJson(OwnStartupOptions({u"--shell-app-ShowDevTools=0", u"--shell-app-a.b=1",
                                                u"--shell-app-a.c=2", u"--shell-app-lang=en", u"--shell-app-lang=de"},
                                               "1")),
            R"({"ShowDevTools":"0","a":{"b":"1","c":"2"},"lang":"de"})");
}

TEST(StartupOptionsTest, SubProcessMarker) {
  EXPECT_EQ(SubProcessTest({u"shell", u"--type=renderer"}), 0);
  EXPECT_EQ(SubProcessTest({u"shell", u"x--type=gpu"}), 0);
  EXPECT_EQ(SubProcessTest({u"shell", u"--shell-app-type=x"}), -1);
}

// A start of the program as far as the options: args[0] is where it writes
// its options text, the rest its command line. With "hold" it stays in its
// loop (InstanceCount raised) until killed or its args[1] file appears.
QOR_CHILD_MAIN(options_process) {
  Args arguments;
  for (size_t i = 2; i < args.size(); ++i) arguments.push_back(base2::Utf8ToUtf16(args[i]));
  std::string options = BuildStartupOptions(arguments, "1");
  bool hold = args[1] != "-";
  if (hold) platform::RaiseInstanceCount();
  testsupport::WriteFile(args[0], options);
  while (hold && !std::filesystem::exists(std::filesystem::u8path(args[1]))) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return 0;
}

std::string WaitForFile(const std::string& path) {
  for (int i = 0; i < 1000 && !std::filesystem::exists(std::filesystem::u8path(path)); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return testsupport::ReadFile(path);
}

TEST(StartupOptionsTest, FirstProcessPublishesAndOthersMerge) {
  testsupport::TempDir dir;
  auto first = ChildProcess::Start("options_process",
                                   {dir.Child("first.json"), dir.Child("stop"), "--shell-app-lang=en", "--shell-app-a.b=1"});
  EXPECT_EQ(WaitForFile(dir.Child("first.json")), R"({"ShowDevTools":"1","a":{"b":"1"},"lang":"en"})");

  auto sub = ChildProcess::Start("options_process",
                                 {dir.Child("sub.json"), "-", "--type=renderer", "--shell-app-a.c=2", "--shell-app-lang=fr"});
  ASSERT_EQ(sub->Wait(), 0);
  EXPECT_EQ(testsupport::ReadFile(dir.Child("sub.json")), R"({"ShowDevTools":"1","a":{"b":"1","c":"2"},"lang":"fr"})");

  // The block is unchanged by the reader.
  auto later = ChildProcess::Start("options_process", {dir.Child("later.json"), "-", "--type=gpu"});
  ASSERT_EQ(later->Wait(), 0);
  EXPECT_EQ(testsupport::ReadFile(dir.Child("later.json")), R"({"ShowDevTools":"1","a":{"b":"1"},"lang":"en"})");

  testsupport::WriteFile(dir.Child("stop"), "");
  EXPECT_EQ(first->Wait(), 0);
}

QOR_CHILD_MAIN(instance_count) { return platform::InstanceCount(); }

TEST(StartupOptionsTest, AKilledCopyLeavesNothingBehind) {
  testsupport::TempDir dir;
  auto victim = ChildProcess::Start("options_process", {dir.Child("victim.json"), dir.Child("never"), "--shell-app-old=1"});
  WaitForFile(dir.Child("victim.json"));
  EXPECT_EQ(ChildProcess::Start("instance_count", {})->Wait(), 1);
  victim->Kill();
  victim->Wait();

  EXPECT_EQ(ChildProcess::Start("instance_count", {})->Wait(), 0);
  auto next = ChildProcess::Start("options_process", {dir.Child("next.json"), "-", "--shell-app-new=1"});
  ASSERT_EQ(next->Wait(), 0);
  EXPECT_EQ(testsupport::ReadFile(dir.Child("next.json")), R"({"ShowDevTools":"1","new":"1"})");
}

// The running copy: a window of class "SHELL", counted, out of sight until
// restored (args: ready file, time to wait). Once restored it writes
// "<ready>.restored" and stays until "<ready>.stop" appears. Exit code 0 when
// restored.
QOR_CHILD_MAIN(running_copy) {
  BuildStartupOptions({u"--shell-app-first=1"}, "1");
  platform::RaiseInstanceCount();
  bool restored = testsupport::ShowShellWindowUntilRestored([&] { testsupport::WriteFile(args[0], "ready"); },
                                                            std::stoi(args[1]));
  if (restored) {
    testsupport::WriteFile(args[0] + ".restored", "");
    for (int i = 0; i < 1000 && !std::filesystem::exists(std::filesystem::u8path(args[0] + ".stop")); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  platform::LowerInstanceCount();
  return restored ? 0 : 1;
}

// A second start: exits with the single-instance test's result for MultiApp args[0].
QOR_CHILD_MAIN(second_copy) { return SingleInstanceTest({u"shell", u"--shell-app-second=1"}, args[0]); }

TEST(SingleInstanceTest, SecondCopyRestoresTheFirstAndEnds) {
  testsupport::TempDir dir;
  auto first = ChildProcess::Start("running_copy", {dir.Child("ready"), "20000"});
  WaitForFile(dir.Child("ready"));
  EXPECT_EQ(ChildProcess::Start("second_copy", {"1"})->Wait(), 1);
  WaitForFile(dir.Child("ready.restored"));
  // The second copy's options went nowhere: a sub-process reads the first's.
  auto sub = ChildProcess::Start("options_process", {dir.Child("sub.json"), "-", "--type=renderer"});
  ASSERT_EQ(sub->Wait(), 0);
  EXPECT_EQ(testsupport::ReadFile(dir.Child("sub.json")), R"({"ShowDevTools":"1","first":"1"})");
  testsupport::WriteFile(dir.Child("ready.stop"), "");
  EXPECT_EQ(first->Wait(), 0) << "the first copy's window was not restored";
}

TEST(SingleInstanceTest, WithMultiAppZeroBothRun) {
  testsupport::TempDir dir;
  auto first = ChildProcess::Start("running_copy", {dir.Child("ready"), "1500"});
  WaitForFile(dir.Child("ready"));
  EXPECT_EQ(ChildProcess::Start("second_copy", {"0"})->Wait(), 0);
  EXPECT_EQ(first->Wait(), 1) << "restored although MultiApp is 0";
}

}  // namespace
}  // namespace shell
