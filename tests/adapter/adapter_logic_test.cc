#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "adapter/browser_book.h"
#include "adapter/callback_registry.h"
#include "adapter/client_decisions.h"
#include "base2/file_path.h"
#include "platform/guid.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace Qor {
namespace Adapter {
namespace {

using Registry = CallbackRegistry<std::string>;

Registry::Record Record(uint64_t context, const std::string& function) {
  Registry::Record record;
  record.context = context;
  record.function = function;
  return record;
}

TEST(CallbackRegistryTest, FirstRegistrationWinsAndOutlivesResponses) {
  Registry registry;
  EXPECT_TRUE(registry.Register("uid", Record(1, "first")));
  EXPECT_FALSE(registry.Register("uid", Record(1, "second")));
  std::vector<std::string> called;
  auto invoke = [&](const Registry::Record& record) {
    called.push_back(record.function);
    return true;
  };
  EXPECT_TRUE(registry.Deliver("uid", invoke));
  EXPECT_TRUE(registry.Deliver("uid", invoke));
  EXPECT_FALSE(registry.Deliver("other", invoke));
  EXPECT_EQ(called, (std::vector<std::string>{"first", "first"}));
  registry.Remove("uid");
  registry.Remove("never registered");
  EXPECT_FALSE(registry.Deliver("uid", invoke));
}

TEST(CallbackRegistryTest, CallbackMayRegisterAndRemoveDuringDelivery) {
  Registry registry;
  registry.Register("self", Record(1, "self"));
  bool result = registry.Deliver("self", [&](const Registry::Record& record) {
    registry.Remove("self");                     // its own record
    registry.Register("new", Record(1, "new"));  // and a new one, on the same lock
    return record.function == "self";
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(registry.size(), 1u);
  EXPECT_TRUE(registry.Deliver("new", [](const Registry::Record&) { return true; }));
}

TEST(CallbackRegistryTest, PurgeDropsOnlyTheReleasedContext) {
  Registry registry;
  registry.Register("a", Record(1, "a"));
  registry.Register("b", Record(2, "b"));
  registry.Register("c", Record(1, "c"));
  registry.PurgeContext(1);
  EXPECT_EQ(registry.size(), 1u);
  EXPECT_TRUE(registry.Deliver("b", [](const Registry::Record&) { return true; }));
}

TEST(BrowserBookTest, PopupKeepsTheLoopAliveAfterTheMainBrowserClosed) {
  BrowserBook book;
  book.OnAfterCreated(7);
  book.OnAfterCreated(8);  // a pop-up
  book.OnAfterCreated(9);  // the developer tools
  EXPECT_EQ(book.MainBrowserId(), 7);
  EXPECT_EQ(book.PopupBrowsers(), (std::vector<int>{8, 9}));
  EXPECT_FALSE(book.OnBeforeClose(7));
  EXPECT_FALSE(book.HasMainBrowser());
  EXPECT_FALSE(book.OnBeforeClose(9));
  book.OnAfterCreated(10);  // created while no main browser is held: the new main one
  EXPECT_EQ(book.MainBrowserId(), 10);
  EXPECT_FALSE(book.OnBeforeClose(8));
  EXPECT_TRUE(book.OnBeforeClose(10));  // the last one ends the loop
  EXPECT_EQ(book.BrowserCount(), 0);
}

TEST(ClientDecisionsTest, Keys) {
  EXPECT_EQ(DecideKey(kKeyF12, "0"), KeyAction::kOpenDevTools);
  for (const char* value : {"1", "00", " 0", ""}) EXPECT_EQ(DecideKey(kKeyF12, value), KeyAction::kPass) << value;
  EXPECT_EQ(DecideKey(kKeyF5, "0"), KeyAction::kSwallow);
  EXPECT_EQ(DecideKey(65, "0"), KeyAction::kPass);
  EXPECT_TRUE(ConsumeBeforePage(kKeyBackspace, true, false));
  EXPECT_FALSE(ConsumeBeforePage(kKeyBackspace, true, true));
  EXPECT_FALSE(ConsumeBeforePage(kKeyBackspace, false, false));
}

TEST(ClientDecisionsTest, LoadErrors) {
  EXPECT_TRUE(ShowErrorPageFor(false, "http://127.0.0.1:9/", "file:///app/packages/defaultpage/loaderror.html"));
  EXPECT_FALSE(ShowErrorPageFor(true, "http://127.0.0.1:9/", "file:///app/packages/defaultpage/loaderror.html"));
  EXPECT_FALSE(ShowErrorPageFor(false, "file:///app/packages/defaultpage/loaderror.html",
                                "file:///app/packages/defaultpage/loaderror.html"));
  EXPECT_EQ(ProposedDownloadPath("", "a.txt"), "");
  EXPECT_EQ(ProposedDownloadPath("docs", "a.txt"), base2::JoinPath("docs", "a.txt"));
}

TEST(ClientDecisionsTest, GuidForm) {
  std::string guid = platform::NewGuidText();
  EXPECT_TRUE(std::regex_match(guid, std::regex("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}")))
      << guid;
  EXPECT_NE(guid, platform::NewGuidText());
}

class AppConfigTest : public testing::Test {
 protected:
  void WriteAppJson(const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::u8path(dir_.Child("packages")));
    testsupport::WriteFile(base2::JoinPath(dir_.Child("packages"), "app.json"), bytes);
  }
  testsupport::TempDir dir_;
  testsupport::LogCapture log_;
};

TEST_F(AppConfigTest, OptionsOverrideAndNestedObjectsMerge) {
  WriteAppJson("\xEF\xBB\xBF{\"name\":\"demo\",\"lang\":\"en\",\"ui\":{\"theme\":\"dark\",\"size\":1}}");
  EXPECT_EQ(MergedAppConfig(dir_.path(), R"({"ShowDevTools":"1","lang":"zh","ui":{"size":"2"}})"),
            R"({"ShowDevTools":"1","lang":"zh","name":"demo","ui":{"size":"2","theme":"dark"}})");
  EXPECT_EQ(log_.Contents(), "");
}

TEST_F(AppConfigTest, TextsThatGiveNoObjectAreFatalLinesAndUndefined) {
  struct Case {
    const char* app_json;  // null: no file
    const char* options;
    const char* line;
  } cases[] = {
      {nullptr, "{}", "Check failed: root_A. "},
      {"{\"a\":", "{}", "Check failed: root_A. "},
      {"{}", "not json", "Check failed: root_B. "},
      {"[1,2]", "{}", "Check failed: dict_val_A. "},
      {"{}", "\"text\"", "Check failed: dict_val_B. "},
  };
  for (const Case& c : cases) {
    testsupport::LogCapture log;
    std::filesystem::remove(std::filesystem::u8path(base2::JoinPath(dir_.Child("packages"), "app.json")));
    if (c.app_json) WriteAppJson(c.app_json);
    EXPECT_FALSE(MergedAppConfig(dir_.path(), c.options).has_value()) << c.line;
    EXPECT_TRUE(log.Contains(":FATAL:client_decisions(")) << log.Contents();
    EXPECT_TRUE(log.Contains("] " + std::string(c.line) + "\n")) << log.Contents();
  }
}

}  // namespace
}  // namespace Adapter
}  // namespace Qor
