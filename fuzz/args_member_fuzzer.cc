#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/qor_core_plugin.h"

// The input as UTF-16 code units, the way a request's arguments arrive.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<PlnChar> args(size / 2 + 1, 0);
  for (size_t i = 0; i + 1 < size; i += 2) args[i / 2] = static_cast<PlnChar>(data[i] | data[i + 1] << 8);
  qor_plugin::ReadArgsMember(args.data(), "res");
  return 0;
}
