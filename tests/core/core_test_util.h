#ifndef QOR_TESTS_CORE_CORE_TEST_UTIL_H_
#define QOR_TESTS_CORE_CORE_TEST_UTIL_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base2/text_convert.h"
#include "core/qor_core.h"
#include "support/log_capture.h"
#include "support/response_collector.h"

namespace testsupport {

// A started core whose answers land in the ResponseCollector, with the log
// captured for each test.
class CoreTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Qor::Core::StartCore();
    Qor::Core::SetResponseHook(&ResponseCollector::Hook);
  }
  void SetUp() override { ResponseCollector::Get().Clear(); }

  // Sends a request and waits for its answer; "<no answer>" when none came.
  static std::u16string Ask(const std::string& uid, const std::string& key, const std::string& action,
                            const std::u16string& args = u"") {
    Qor::Core::HandleRequest(uid.c_str(), key.c_str(), action.c_str(), args.c_str());
    return ResponseCollector::Get().WaitFor(uid).value_or(u"<no answer>");
  }

  static std::filesystem::path PluginPath(const std::string& key) {
    return std::filesystem::u8path(
        base2::SystemToUtf8(Qor::Core::QorCore::GetInstance().ModulePath(key)));
  }

  // Puts a copy of the echo module into the plugins folder under `key`.
  static void InstallEchoAs(const std::string& key) {
    std::filesystem::copy_file(PluginPath("echo"), PluginPath(key),
                               std::filesystem::copy_options::overwrite_existing);
  }

  LogCapture log_;
};

}  // namespace testsupport

#endif  // QOR_TESTS_CORE_CORE_TEST_UTIL_H_
