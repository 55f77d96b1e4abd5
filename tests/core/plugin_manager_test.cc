#include "core/qor_core_pln_manager.h"

#include <gtest/gtest.h>

#include "core/core_test_util.h"
#include "core/exception.h"

namespace Qor {
namespace Core {
namespace {

using testsupport::CoreTest;
using testsupport::ResponseCollector;

TEST(ExceptionTest, MessageIsCutAt128Bytes) {
  EXPECT_EQ(std::string(base::InternalErrorException(std::string(300, 'x')).what()), std::string(128, 'x'));
  // Never half a character: 42 three-byte characters fill 126 bytes.
  std::string chinese;
  for (int i = 0; i < 50; ++i) chinese += "未";
  EXPECT_EQ(std::string(base::Exception(chinese).what()).size(), 126u);
  base::InternalErrorException original("copied");
  base::InternalErrorException copy = original;
  EXPECT_STREQ(copy.what(), "copied");
}

TEST_F(CoreTest, TwoThreadsAskingForANewModuleLoadItOnce) {
  HandleRequest("once-1", "counter", "stats", u"");
  HandleRequest("once-2", "counter", "stats", u"");
  const std::u16string expected = u"init=1;params=LOG,WLOG,EXEC_CALLBACK";
  EXPECT_EQ(ResponseCollector::Get().WaitFor("once-1"), expected);
  EXPECT_EQ(ResponseCollector::Get().WaitFor("once-2"), expected);
}

}  // namespace
}  // namespace Core
}  // namespace Qor
