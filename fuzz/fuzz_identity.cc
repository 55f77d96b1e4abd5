#include "common/plugin_identity.h"

namespace qor_plugin {
const char kModuleName[] = "fuzz";
const char kVersionTag[] = "";
}  // namespace qor_plugin
