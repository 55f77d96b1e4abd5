#include "core/qor_core.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

#include "core/core_test_util.h"
#include "support/child_process.h"
#include "support/platform_facts.h"

namespace Qor {
namespace Core {
namespace {

using testsupport::CoreTest;
using testsupport::ResponseCollector;

const std::u16string kInternalError = u"OnTaskAction InteralErr。";
const std::u16string kOtherError = u"OnTaskAction other Err。";

TEST_F(CoreTest, AnswersComeBackUnderTheirUid) {
  EXPECT_EQ(Ask("rt-1", "echo", "echo", u"{\"res\":\"考试 😀\"}"), u"{\"res\":\"考试 😀\"}");
  EXPECT_EQ(Ask("rt-2", "echo", "empty"), u"");
  // "setplayvol" under another key, and "waveform" with another action, are ordinary requests.
  EXPECT_EQ(Ask("rt-3", "echo", "setplayvol", u"v"), u"v");
}

TEST_F(CoreTest, AnswerBufferEdges) {
  std::u16string full = Ask("buf-full", "bigans", "any");
  ASSERT_EQ(full.size(), kMaxAnswerUnits);
  EXPECT_EQ(full.front(), u'a');
  EXPECT_EQ(full.back(), static_cast<char16_t>(u'a' + (kMaxAnswerUnits - 1) % 26));
  EXPECT_EQ(Ask("buf-zero", "zerolen", "any"), u"");  // written, but its length left at 0
}

TEST_F(CoreTest, MissingModuleIsAnsweredThenFoundOnceInstalled) {
  std::filesystem::remove(PluginPath("late"));
  EXPECT_EQ(Ask("late-1", "late", "echo", u"x"), kInternalError);
  EXPECT_TRUE(log_.Contains("QorCore::OnTaskAction interalErr:Could not load dynamic library "));
  InstallEchoAs("late");
  EXPECT_EQ(Ask("late-2", "late", "echo", u"x"), u"x");
}

TEST_F(CoreTest, FailureTextIsCutAt128Bytes) {
  EXPECT_EQ(Ask("long-1", std::string(150, 'k'), "any"), kInternalError);
  std::string log = log_.Contents();
  const std::string marker = "interalErr:";
  size_t start = log.find(marker);
  ASSERT_NE(start, std::string::npos) << log;
  start += marker.size();
  std::string text = log.substr(start, log.find('\n', start) - start);
  EXPECT_EQ(text.size(), 128u) << text;
  EXPECT_EQ(text.rfind("Could not load dynamic library ", 0), 0u) << text;
}

TEST_F(CoreTest, MissingExportsFailEveryTime) {
  struct Case {
    const char* key;
    const char* line;
    const char* exception;
  } cases[] = {
      {"noinit", "SYMBOL_INIT Fail:", "interalErr:SYMBOL_INIT 未找到."},
      {"nosetparam", "SYMBOL_SETPARAM Fail:", "interalErr:SYMBOL_SETPARAM 未找到."},
      {"noproc", "SYMBOL_PROCMESSAGE Fail:", "interalErr:SYMBOL_PROCMESSAGE 未找到."},
  };
  for (const Case& c : cases) {
    for (int attempt = 0; attempt < 2; ++attempt) {
      std::string uid = std::string(c.key) + "-" + std::to_string(attempt);
      EXPECT_EQ(Ask(uid, c.key, "any"), kInternalError) << uid;
    }
    EXPECT_TRUE(log_.Contains(c.line)) << c.key;
    EXPECT_TRUE(log_.Contains(c.exception)) << c.key;
  }
  EXPECT_EQ(Ask("after-missing", "echo", "echo", u"still works"), u"still works");
}

// Exit code 0 when the thrower's answer is the "other" error text.
QOR_CHILD_MAIN(thrower_request) {
  StartCore();
  SetResponseHook(&ResponseCollector::Hook);
  HandleRequest("throw-1", "thrower", "boom", u"");
  return ResponseCollector::Get().WaitFor("throw-1") == u"OnTaskAction other Err。" ? 0 : 1;
}

TEST_F(CoreTest, ExceptionEscapingAModuleIsOtherError) {
  if (!testsupport::ExceptionsCrossModuleBoundaries()) {
    // Nothing the host can catch: the process ends, and the crash handler
    // takes over. Only a broken module does this; ours catch everything.
    auto child = testsupport::ChildProcess::Start("thrower_request", {});
    ASSERT_TRUE(child);
    EXPECT_NE(child->Wait(), 0);
    return;
  }
  EXPECT_EQ(Ask("throw-1", "thrower", "boom"), kOtherError);
  std::string path = base2::SystemToUtf8(QorCore::GetInstance().ModulePath("thrower"));
  EXPECT_TRUE(log_.Contains("QorCore::OnTaskAction other Err。msgId:throw-1, pluginkey: " + path + ", actionKeyboom"))
      << log_.Contents();
}

TEST_F(CoreTest, FastAnswerOvertakesSlowOne) {
  HandleRequest("slow-1", "slow", "wait", u"600");
  HandleRequest("fast-1", "echo", "echo", u"fast");
  ASSERT_TRUE(ResponseCollector::Get().WaitForCount(2));
  auto responses = ResponseCollector::Get().Snapshot();
  EXPECT_EQ(responses[0], ResponseCollector::Response("fast-1", u"fast"));
  EXPECT_EQ(responses[1], ResponseCollector::Response("slow-1", u"slow"));
}

TEST_F(CoreTest, SynchronousRouteAnswersNothing) {
  std::filesystem::remove(PluginPath("waveform"));
  HandleRequest("sync-1", "waveform", "setplayvol", u"50");
  EXPECT_TRUE(log_.Contains("QorCore::SynNotify 调用出错。"));

  InstallEchoAs("waveform");
  HandleRequest("sync-2", "waveform", "setplayvol", u"50");
  // The call ran before HandleRequest returned: the module is loaded already.
  EXPECT_EQ(Ask("sync-3", "waveform", "stats"), u"init=1;params=LOG,WLOG,EXEC_CALLBACK");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  for (const auto& response : ResponseCollector::Get().Snapshot()) {
    EXPECT_TRUE(response.first != "sync-1" && response.first != "sync-2") << response.first;
  }
}

TEST_F(CoreTest, ModuleMessagesReachTheirUid) {
  EXPECT_EQ(Ask("push-1", "pusher", "push", u"push-target"), u"pushed");
  EXPECT_EQ(ResponseCollector::Get().WaitFor("push-target"), u"from a thread");
  EXPECT_EQ(ResponseCollector::Get().WaitFor("pushed-while-loading"), u"from PlnSetParam");
}

TEST_F(CoreTest, ModuleLogLinesTakeTheirLevel) {
  Ask("log-1", "echo", "log", u"7|level seven");
  Ask("log-2", "echo", "log", u"2|level two");
  Ask("log-3", "echo", "wlog", u"1|宽字符");
  std::string log = log_.Contents();
  EXPECT_NE(log.find(":INFO:qor_core_pln_manager("), std::string::npos) << log;
  EXPECT_NE(log.find(")] level seven\n"), std::string::npos) << log;
  EXPECT_NE(log.find(":ERROR:qor_core_pln_manager("), std::string::npos) << log;
  EXPECT_NE(log.find(":WARNING:qor_core_pln_manager("), std::string::npos) << log;
  EXPECT_NE(log.find(")] 宽字符\n"), std::string::npos) << log;
}

TEST_F(CoreTest, KeysThatAreNotPlainFileNamesAreRefused) {
  const char* refused[] = {"", "../echo", "..", "plugins/echo", "sub\\echo", "C:echo", "ec\nho", "\x7F"};
  int n = 0;
  for (const char* key : refused) {
    EXPECT_EQ(Ask("refused-" + std::to_string(n++), key, "echo", u"x"), kInternalError) << key;
  }
  EXPECT_TRUE(log_.Contains("interalErr:Refused plug-in key: ../echo\n"));
  EXPECT_TRUE(log_.Contains("interalErr:Refused plug-in key: ec\\x0Aho\n"));
  EXPECT_FALSE(log_.Contains("Could not load dynamic library"));
  EXPECT_EQ(Ask("accepted", "echo", "echo", u"x"), u"x");
  EXPECT_TRUE(IsAcceptablePluginKey("caddo"));
  EXPECT_TRUE(IsAcceptablePluginKey("v1.2"));
}

TEST_F(CoreTest, EveryUidOfAStressGetsExactlyOneAnswer) {
  constexpr int kThreads = 8;
  constexpr int kPerThread = 2500;
  const char* keys[] = {"echo", "stress_a", "stress_b", "slow"};
  std::vector<std::thread> senders;
  for (int t = 0; t < kThreads; ++t) {
    senders.emplace_back([&keys, t] {
      for (int i = 0; i < kPerThread; ++i) {
        std::string uid = "s" + std::to_string(t) + "-" + std::to_string(i);
        const char* key = keys[(t + i) % 4];
        std::u16string args = key == std::string("slow") ? u"0" : base2::Utf8ToUtf16(uid);
        HandleRequest(uid.c_str(), key, "echo", args.c_str());
      }
    });
  }
  for (std::thread& sender : senders) sender.join();
  ASSERT_TRUE(ResponseCollector::Get().WaitForCount(kThreads * kPerThread, std::chrono::seconds(120)));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // nothing more may come
  std::map<std::string, int> count;
  for (const auto& [uid, answer] : ResponseCollector::Get().Snapshot()) {
    ++count[uid];
    EXPECT_TRUE(answer == u"slow" || answer == base2::Utf8ToUtf16(uid)) << uid << ": " << base2::Utf16ToUtf8(answer);
  }
  EXPECT_EQ(count.size(), static_cast<size_t>(kThreads * kPerThread));
  for (const auto& [uid, n] : count) ASSERT_EQ(n, 1) << uid;
}

// Exit code 0 when nothing arrives and nothing is logged after StopCore.
QOR_CHILD_MAIN(stopped_core) {
  testsupport::LogCapture log;
  StartCore();
  SetResponseHook(&ResponseCollector::Hook);
  HandleRequest("before-stop", "slow", "wait", u"300");
  StopCore();
  HandleRequest("after-stop", "pusher", "push", u"pushed-after-stop");
  std::this_thread::sleep_for(std::chrono::milliseconds(900));
  if (!ResponseCollector::Get().Snapshot().empty()) return 1;
  if (log.Contains("OnTaskAction")) return 2;
  return 0;
}

TEST(CoreStopTest, AnswersAfterStopCoreAreDroppedSilently) {
  auto child = testsupport::ChildProcess::Start("stopped_core", {});
  ASSERT_TRUE(child);
  EXPECT_EQ(child->Wait(), 0);
}

}  // namespace
}  // namespace Core
}  // namespace Qor
