// The picture tool: width and height of JPEG and PNG files.
#include <string>

#include "base2/common_function.h"
#include "base2/logging.h"
#include "base2/text_convert.h"
#include "common/qor_core_plugin.h"
#include "picture_size.h"

namespace qor_plugin {
const char kModuleName[] = "vistel";
const char kVersionTag[] = "";
}  // namespace qor_plugin

namespace {

void Init(const PlnChar*, std::u16string& answer) {
  LOG(INFO) << "【vistel::PlnOnProcessMessage】init.";
  answer += u"init ok.";
}

void GetWidthHeight(const PlnChar* args, std::u16string& answer) {
  qor_plugin::LogActionLine("getwh");
  std::optional<std::string> file = qor_plugin::ReadArgsMember(args, "res");
  if (!file) {
    answer += u"获取文件名失败";
    return;
  }
  std::string path = commonFunction::U2G(*file);
  int width = 0;
  int height = 0;
  switch (GetPicWidthHeight(path.c_str(), &width, &height)) {
    case 0:
      answer += base2::Utf8ToUtf16(std::to_string(width) + "*" + std::to_string(height));
      break;
    case -1:
      answer += u"文件名过短";
      break;
    case -2:
      answer += u"读取图片宽高失败";
      break;
    default:
      answer += u"只支持jpg png";
      break;
  }
}

void Destroy(const PlnChar*, std::u16string& answer) {
  LOG(INFO) << base2::Utf16ToUtf8(u"【vistel::PlnOnProcessMessage】destroy.");
  answer += u"destroy ok.";
}

const qor_plugin::PluginAction kActions[] = {
    {"init", &Init},
    {"getwh", &GetWidthHeight},
    {"destroy", &Destroy},
};

}  // namespace

PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char* action_key, const PlnChar* args, PlnChar* answer,
                                            int32_t* answer_bytes) {
  return qor_plugin::RunProcessMessage(kActions, sizeof(kActions) / sizeof(kActions[0]), action_key, args, answer,
                                       answer_bytes);
}
