#include "base2/json_util.h"

#include <gtest/gtest.h>

namespace base2 {
namespace {

TEST(JsonUtilTest, ParseGivesObjectsOnly) {
  EXPECT_EQ(ParseJsonObject(R"({"res":"a.png"})")->at("res"), "a.png");
  for (const char* text : {"", "[1]", "\"text\"", "{", "{\"a\":}", "null", "{\"a\":1}trailing"}) {
    EXPECT_FALSE(ParseJsonObject(text).has_value()) << text;
  }
}

TEST(JsonUtilTest, DottedPathMakesNestedObjects) {
  Json object = Json::object();
  SetPath(object, "a.b", "1");
  SetPath(object, "a.c", "2");
  SetPath(object, "x", "3");
  SetPath(object, "x.y", "4");  // a text in the way is replaced by an object
  EXPECT_EQ(WriteJson(object), R"({"a":{"b":"1","c":"2"},"x":{"y":"4"}})");
}

TEST(JsonUtilTest, DeepMergeMergesObjectsAndReplacesTheRest) {
  Json target = *ParseJsonObject(R"({"keep":1,"nested":{"a":1,"b":2},"replace":{"o":1},"list":[1]})");
  Json source = *ParseJsonObject(R"({"nested":{"b":3,"c":4},"replace":"text","list":[2],"new":true})");
  DeepMerge(target, source);
  EXPECT_EQ(WriteJson(target),
            R"({"keep":1,"list":[2],"nested":{"a":1,"b":3,"c":4},"new":true,"replace":"text"})");
}

TEST(JsonUtilTest, WriterIsCompactSortedAndSurvivesBadBytes) {
  Json object = Json::object();
  object["zeta"] = "\xE4\xB8\xAD";
  object["alpha"] = "\xBF\xBC";  // not UTF-8
  EXPECT_EQ(WriteJson(object), "{\"alpha\":\"\xEF\xBF\xBD\xEF\xBF\xBD\",\"zeta\":\"\xE4\xB8\xAD\"}");
}

}  // namespace
}  // namespace base2
