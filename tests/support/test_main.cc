#include <gtest/gtest.h>

#include "shell/crash_handler.h"
#include "support/child_process.h"

int main(int argc, char** argv) {
  // A crashing child of a test starts this binary again to show the message.
  int helper_result = shell::MaybeShowCrashMessage(argc, argv);
  if (helper_result >= 0) return helper_result;
  int child_result = testsupport::MaybeRunChild(argc, argv);
  if (child_result >= 0) return child_result;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
