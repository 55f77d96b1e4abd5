#include "common/qor_core_plugin.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "support/log_capture.h"

namespace qor_plugin {
const char kModuleName[] = "runtime";
const char kVersionTag[] = "[V(9/9)]";
}  // namespace qor_plugin

namespace qor_plugin {
namespace {

void PLN_CALL FirstLog(int, const char*) {}
void PLN_CALL SecondLog(int, const char*) {}

TEST(PluginRuntimeTest, SetParamStoresOnlyTheThreeKeys) {
  PlnSetParam("LOG", reinterpret_cast<intptr_t>(&FirstLog));
  PlnSetParam("LOG", reinterpret_cast<intptr_t>(&SecondLog));
  PlnSetParam("log", reinterpret_cast<intptr_t>(&FirstLog));
  PlnSetParam("OTHER", reinterpret_cast<intptr_t>(&FirstLog));
  EXPECT_EQ(g_log_, &SecondLog);
  EXPECT_EQ(PlnUnInitialize(), 0);
  EXPECT_EQ(g_log_, nullptr);
}

TEST(PluginRuntimeTest, ArgsMembersReadAsStrings) {
  EXPECT_EQ(ReadArgsMember(u"{\"res\":\"图.png\",\"n\":1}", "res"), "图.png");
  EXPECT_FALSE(ReadArgsMember(u"{\"n\":1}", "n"));
  EXPECT_FALSE(ReadArgsMember(u"{\"n\":1}", "res"));
  EXPECT_FALSE(ReadArgsMember(u"[1]", "res"));
  EXPECT_FALSE(ReadArgsMember(u"", "res"));
  EXPECT_EQ(DeserializeJson("not json"), nullptr);
  EXPECT_EQ(DeserializeJson("{\"a\":{\"b\":1}}")->at("a").at("b"), 1);
}

TEST(PluginRuntimeTest, TextConversionsRoundTrip) {
  EXPECT_EQ(StrToWstr("plain"), u"plain");
  EXPECT_EQ(wstr2str(u"plain"), "plain");
  EXPECT_EQ(wstr2str(u"ab\xD800" u"cd"), "ab");  // stops before what cannot be converted
  EXPECT_EQ(StrToWstr(""), u"");
  EXPECT_EQ(wstr2str(u""), "");
}

void Answer(const PlnChar* args, std::u16string& answer) { answer = std::u16string(u"got ") + args; }
void Huge(const PlnChar*, std::u16string& answer) { answer.assign(kAnswerBufferUnits + 10, u'x'); }
void Throw(const PlnChar*, std::u16string&) { throw std::runtime_error("inside the action"); }

const PluginAction kActions[] = {{"answer", &Answer}, {"huge", &Huge}, {"throw", &Throw}};

std::u16string Perform(const char* key, const char16_t* args, int32_t* bytes_out = nullptr) {
  static std::vector<PlnChar> buffer(kAnswerBufferUnits);
  int32_t bytes = -1;
  RunProcessMessage(kActions, 3, key, args, buffer.data(), &bytes);
  if (bytes_out) *bytes_out = bytes;
  return std::u16string(buffer.data(), static_cast<size_t>(bytes) / 2);
}

TEST(PluginRuntimeTest, FrameFoldsOnlyAsciiCapitals) {
  int32_t bytes = 0;
  EXPECT_EQ(Perform("ANSWER", u"x", &bytes), u"got x");
  EXPECT_EQ(bytes, 10);
  EXPECT_EQ(Perform("answer\xC3\x8D", u"x", &bytes), u"");
  EXPECT_EQ(bytes, 0);
  EXPECT_EQ(Perform("huge", u"").size(), kMaxAnswerUnits);  // cut to what the buffer holds
}

TEST(PluginRuntimeTest, ExceptionInAnActionLeavesTheAnswerEmpty) {
  testsupport::LogCapture log;
  int32_t bytes = -1;
  EXPECT_EQ(Perform("THROW", u"{\"a\":1}", &bytes), u"");
  EXPECT_EQ(bytes, 0);
  EXPECT_TRUE(log.Contains(":INFO:qor_core_plugin(")) << log.Contents();
  EXPECT_TRUE(log.Contains("] 【runtime::PlnOnProcessMessage】执行异常， action->THROW,args->{\"a\":1}\n"))
      << log.Contents();
}

}  // namespace
}  // namespace qor_plugin
