#include <gtest/gtest.h>

#include "support/child_process.h"

int main(int argc, char** argv) {
  int child_result = testsupport::MaybeRunChild(argc, argv);
  if (child_result >= 0) return child_result;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
