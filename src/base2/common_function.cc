#include "base2/common_function.h"

#include "base2/logging.h"
#include "base2/text_convert.h"
#include "common/plugin_identity.h"

namespace commonFunction {

std::string U2G(const std::string& utf8) {
  try {
    return base2::Utf8ToSystem(utf8);
  } catch (...) {
    LOG(ERROR) << qor_plugin::kVersionTag << "commonFunction::U2G() error.";
    return std::string();
  }
}

}  // namespace commonFunction
