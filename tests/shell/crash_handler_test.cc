#include "shell/crash_handler.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/child_process.h"
#include "support/desktop.h"
#include "support/log_capture.h"
#include "support/platform_facts.h"

namespace shell {
namespace {

// Fails at once, or first tries to replace the crash handler (args[0] ==
// "replace").
QOR_CHILD_MAIN(crashing_process) {
  testsupport::LogCapture log;
  InstallCrashFilter();
  LockCrashFilter();
  if (args[0] == "replace" && !testsupport::TryToReplaceCrashHandler()) return 3;
  testsupport::CrashNow();
  return 0;
}

class CrashHandlerTest : public testing::TestWithParam<const char*> {};

TEST_P(CrashHandlerTest, FailureShowsTheMessageAndLeavesADump) {
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::u8path(testsupport::CrashReportPath()), ignored);
  auto child = testsupport::ChildProcess::Start("crashing_process", {GetParam()});
  ASSERT_TRUE(child);
  EXPECT_TRUE(testsupport::DismissMessageBox(kCrashCaption, 30000));
  EXPECT_NE(child->Wait(), 0);
  EXPECT_TRUE(testsupport::LooksLikeCrashReport(testsupport::ReadFile(testsupport::CrashReportPath())));
}

INSTANTIATE_TEST_SUITE_P(Plain, CrashHandlerTest, testing::Values("plain"));
// The shell's handler still runs after something else tried to take over.
INSTANTIATE_TEST_SUITE_P(AfterReplacement, CrashHandlerTest, testing::Values("replace"));

}  // namespace
}  // namespace shell
