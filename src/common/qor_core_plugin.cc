#include "common/qor_core_plugin.h"

#include <cstring>

#include "base2/logging.h"
#include "base2/string_util.h"
#include "base2/text_convert.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/system_text.h"

HostLogFunc g_log_ = nullptr;
HostWLogFunc g_wlog_ = nullptr;
HostExecCallbackFunc g_exec_callback_ = nullptr;

PLN_EXPORT int PLN_CALL PlnInitiliaze() {
  try {
    logging::InitLogging(
        logging::DailyLogFileName(platform::ExecutableDir(), platform::LocalTime(std::time(nullptr))));
    logging::SetMinLogLevel(logging::LOG_INFO);
    LOG(INFO) << "=============================================";
    LOG(INFO) << "========QorCorePlugin.log starting===========";
    LOG(INFO) << "=============================================";
  } catch (...) {
    // The module works without its log.
  }
  return 0;
}

PLN_EXPORT int PLN_CALL PlnSetParam(const char* key, intptr_t value) {
  if (!key) return 0;
  if (std::strcmp(key, kParamLog) == 0) {
    g_log_ = reinterpret_cast<HostLogFunc>(value);
  } else if (std::strcmp(key, kParamWLog) == 0) {
    g_wlog_ = reinterpret_cast<HostWLogFunc>(value);
  } else if (std::strcmp(key, kParamExecCallback) == 0) {
    g_exec_callback_ = reinterpret_cast<HostExecCallbackFunc>(value);
  }
  return 0;
}

PLN_EXPORT int PLN_CALL PlnUnInitialize() {
  g_log_ = nullptr;
  g_wlog_ = nullptr;
  g_exec_callback_ = nullptr;
  return 0;
}

std::u16string StrToWstr(const std::string& text) {
  try {
    return platform::SystemToUtf16(text);
  } catch (...) {
    LOG(ERROR) << qor_plugin::kVersionTag << qor_plugin::kModuleName << "::StrToWstr() error.";
    return std::u16string();
  }
}

std::string wstr2str(const std::u16string& text) {
  try {
    // What the code page can hold, up to the first character it cannot.
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      size_t units = (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
      std::u16string one = text.substr(i, units);
      std::string converted = platform::Utf16ToSystem(one);
      if (converted.empty() || platform::SystemToUtf16(converted) != one) break;
      out += converted;
      i += units - 1;
    }
    return out;
  } catch (...) {
    LOG(ERROR) << qor_plugin::kVersionTag << qor_plugin::kModuleName << "::wstr2str() error.";
    return std::string();
  }
}

std::unique_ptr<base2::Json> DeserializeJson(std::string text) {
  std::optional<base2::Json> object = base2::ParseJsonObject(text);
  if (!object) return nullptr;
  return std::make_unique<base2::Json>(std::move(*object));
}

namespace qor_plugin {

std::optional<std::string> ReadArgsMember(const PlnChar* args, const char* name) {
  std::unique_ptr<base2::Json> object = DeserializeJson(base2::Utf16ToUtf8(args ? args : u""));
  if (!object) return std::nullopt;
  auto member = object->find(name);
  if (member == object->end() || !member->is_string()) return std::nullopt;
  return member->get<std::string>();
}

void LogActionLine(const char* key) {
  LOG(INFO) << "【" << kModuleName << "::PlnOnProcessMessage】" << key << ".";
}

int RunProcessMessage(const PluginAction* actions, size_t action_count, const char* action_key, const PlnChar* args,
                      PlnChar* answer, int32_t* answer_bytes) {
  *answer_bytes = 0;
  try {
    std::u16string text;
    std::string key = base2::AsciiLower(action_key ? action_key : "");
    for (size_t i = 0; i < action_count; ++i) {
      if (key == actions[i].key) {
        actions[i].run(args, text);
        break;
      }
    }
    if (text.size() > kMaxAnswerUnits) text.resize(kMaxAnswerUnits);
    std::memcpy(answer, text.c_str(), (text.size() + 1) * sizeof(PlnChar));
    *answer_bytes = static_cast<int32_t>(text.size() * sizeof(PlnChar));
  } catch (...) {
    try {
      LOG(INFO) << "【" << kModuleName << "::PlnOnProcessMessage】执行异常， action->" << (action_key ? action_key : "")
                << ",args->" << base2::Utf16ToUtf8(args ? args : u"");
    } catch (...) {
    }
  }
  return 0;
}

}  // namespace qor_plugin
